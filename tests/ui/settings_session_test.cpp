// The settings file around a running program: options from the file on the menus, the file
// written once at exit and not when the exit is cancelled, and files the program cannot use.
#include <QAction>
#include <memory>
#include <random>

#include "io/settings_file.h"
#include "io/user_directories.h"
#include "support/scratch_directory.h"
#include "ui/settings_session.h"
#include "ui/tfm_par_ent.h"
#include "ui_test_support.h"

using namespace tavrel;
using namespace tavrel::ui;
using namespace tavrel::ui::test;

using testing_support::ReadWholeFile;
using testing_support::WriteWholeFile;

class SettingsSessionTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        folder_ = std::make_unique<testing_support::ScratchDirectory>("tavrel-settings-ui");
        file_ = *folder_ / kSettingsFileName;
        session_.Start();
    }
    void cleanup() {
        session_.Stop();
        folder_.reset();
    }

    void theOptionsOfTheFileAreOnTheMenus() {
        WriteWholeFile(file_,
                  "[Settings]\nPole-Zero pairing=automatic\nStage cascading=Automatic\nFrequency units=rad/s\n"
                  "[Component inventory]\nUsecap=TRUE\nUseres=yes\n[Component Characteristics]\nAllCapsStnd=yes\n"
                  "RTolerance=0.25\n[Cascade Criteria]\nUseQ=yes\nFirst stage=1112131\n");
        SettingsSession settings(*session_.main(), file_);
        TfmMain* main = session_.main();
        QVERIFY(session_.messages()->Boxes().empty());
        QVERIFY(main->Command("Pairing User-interactive")->isChecked());
        QVERIFY(main->Command("Cascading Automatic")->isChecked());
        QVERIFY(main->Command("rad/s")->isChecked());
        QVERIFY(main->Command("Capacitor Enable")->isChecked());
        QVERIFY(!main->Command("Resistor Enable")->isChecked());
        QVERIFY(main->Command("All capacitors standard values")->isChecked());
        const Design& design = main->CurrentDesign();
        QVERIFY(!design.State.AutoPairing);
        QVERIFY(!design.State.HzUnits);
        QVERIFY(!design.Stages.Criteria.UseQ);
        QCOMPARE(PreferencesText(design.Stages.Criteria.FirstStagePrefs), std::string("11121314"));
        QCOMPARE(static_cast<double>(design.Characteristics.RTolerance), 0.25);
        // The window of the resistor values follows the tolerance: 0.25 % takes the E96 list.
        main->Command("Resistor values")->trigger();
    }

    void theFileIsWrittenOnceAtExit() {
        WriteWholeFile(file_, "; my comment\n[Settings]\nFrequency units=rad/s\n[Other]\nkept=yes\n");
        SettingsSession settings(*session_.main(), file_);
        session_.main()->Command("Resistor Enable")->trigger();
        session_.main()->Command("Hz")->trigger();
        QVERIFY(session_.main()->close());
        const ProfileText text = ProfileFromBytes(ReadWholeFile(file_));
        QCOMPARE(text.lines.front(), std::string("; my comment"));
        QCOMPARE(ProfileValue(text, "Component inventory", "Useres"), std::optional<std::string>("TRUE"));
        QCOMPARE(ProfileValue(text, "Settings", "Frequency units"), std::optional<std::string>("hertz"));
        QCOMPARE(ProfileValue(text, "Other", "kept"), std::optional<std::string>("yes"));
        QCOMPARE(ProfileValue(text, "Component Characteristics", "RTolerance"), std::optional<std::string>("1"));
        // A second close (the application quitting after the window) writes nothing more.
        WriteWholeFile(file_, "changed by hand\n");
        session_.main()->close();
        QCOMPARE(ReadWholeFile(file_), std::string("changed by hand\n"));
    }

    // The window opens where and as large as it was left; a maximized one opens maximized.
    void theWindowOpensWhereItWasLeft() {
        WriteWholeFile(file_, "[General]\nMainposn=40,30\nMainsize=900,700\n");
        {
            SettingsSession settings(*session_.main(), file_);
            QCOMPARE(session_.main()->geometry(), QRect(40, 30, 900, 700));
            session_.main()->setGeometry(60, 50, 1000, 720);
            QVERIFY(session_.main()->close());
        }
        const Settings kept = ReadSettings(ProfileFromBytes(ReadWholeFile(file_)));
        QCOMPARE(kept.MainLeft, 60);
        QCOMPARE(kept.MainTop, 50);
        QCOMPARE(kept.MainWidth, 1000);
        QCOMPARE(kept.MainHeight, 720);
        QVERIFY(!kept.MainMaximized);
        session_.Stop();
        session_.Start();
        WriteWholeFile(file_, "[General]\nMainposn=60,50\nMainsize=1000,720\nMaximized=TRUE\n");
        SettingsSession again(*session_.main(), file_);
        QVERIFY(session_.main()->windowState() & Qt::WindowMaximized);
        QCOMPARE(session_.main()->Geometry().width, 1000);
    }

    void cancelAtExitLeavesTheFileUnwritten() {
        WriteWholeFile(file_, "[Settings]\nStage cascading=Manual\n");
        SettingsSession settings(*session_.main(), file_);
        session_.main()->Command("Cascading Automatic")->trigger();
        session_.main()->Command("Lowpass")->trigger();
        Click(session_.main()->ParEnt(), "calculate");
        Click(session_.main()->ParEnt(), "next");
        QVERIFY(session_.main()->State().DesignModified);
        session_.messages()->Answer(MessageAnswer::Cancel);
        QVERIFY(!session_.main()->close());
        QCOMPARE(session_.messages()->Last(), QString("Do you wish to save this design?"));
        QCOMPARE(ReadWholeFile(file_), std::string("[Settings]\nStage cascading=Manual\n"));
        // Discarding the design lets the program close, and now the file is written.
        session_.messages()->Answer(MessageAnswer::No);
        QVERIFY(session_.main()->close());
        QCOMPARE(ProfileValue(ProfileFromBytes(ReadWholeFile(file_)), "Settings", "Stage cascading"),
                 std::optional<std::string>("Automatic"));
    }

    void aDirectoryInPlaceOfTheFileStartsOnTheDefaultsAndSaysSoOnce() {
        std::filesystem::create_directory(file_);
        SettingsSession settings(*session_.main(), file_);
        QCOMPARE(int(session_.messages()->Boxes().size()), 1);
        QVERIFY(session_.messages()->Last().contains("cannot be read (not a regular file)"));
        QVERIFY(session_.main()->isVisible());
        QVERIFY(session_.main()->Command("Pairing Automatic")->isChecked());
        QVERIFY(session_.main()->Command("Hz")->isChecked());
        QVERIFY(session_.main()->close());
        QCOMPARE(int(session_.messages()->Boxes().size()), 1);
        QVERIFY(std::filesystem::is_directory(file_));
    }

    void withoutAConfigurationFolderTheProgramRunsOnDefaultsAndSaysSoOnce() {
        SettingsSession settings(*session_.main(), std::nullopt);
        QCOMPARE(int(session_.messages()->Boxes().size()), 1);
        QCOMPARE(session_.messages()->Last(), QString(kNoConfigDirectoryMessage));
        QVERIFY(session_.main()->Command("Pairing Automatic")->isChecked());
        QVERIFY(!session_.main()->Command("Capacitor Enable")->isChecked());
        QCOMPARE(static_cast<double>(session_.main()->CurrentDesign().Characteristics.OpTolerance), 30.0);
        QVERIFY(session_.main()->close());
        QCOMPARE(int(session_.messages()->Boxes().size()), 1);
    }

    void filesOfRandomBytesAnEmptyOneAndAHugeLineStartOnTheDefaults() {
        std::mt19937 random(15);
        std::string noise(64 << 10, '\0');
        for (char& c : noise) c = static_cast<char>(random() & 0xFF);
        for (const std::string& bytes : {noise, std::string(), "[Settings]\nFrequency units=" + std::string(1 << 20, 'x')}) {
            session_.Stop();
            session_.Start();
            WriteWholeFile(file_, bytes);
            SettingsSession settings(*session_.main(), file_);
            QVERIFY(session_.messages()->Boxes().empty());
            QVERIFY(session_.main()->isVisible());
            QVERIFY(session_.main()->Command("Pairing Automatic")->isChecked());
            QVERIFY(session_.main()->close());
            const Settings back = ReadSettings(ProfileFromBytes(ReadWholeFile(file_)));
            QVERIFY(back.AutoPairing);
        }
    }

private:
    ProgramSession session_;
    std::unique_ptr<testing_support::ScratchDirectory> folder_;
    std::filesystem::path file_;
};

QTEST_MAIN(SettingsSessionTest)
#include "settings_session_test.moc"
