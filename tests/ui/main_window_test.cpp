// The main window: enabling, the save question with its three answers, closing, the
// converter and the About box.
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>

#include "ui/tfm_db_conv.h"
#include "ui/tfm_graph.h"
#include "ui/tfm_help.h"
#include "ui/tfm_par_ent.h"
#include "ui_test_support.h"

using namespace tavrel;
using namespace tavrel::ui;
using namespace tavrel::ui::test;

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        session_.Start();
    }
    void cleanup() { session_.Stop(); }

    void atStartOnlyTheStartingCommandsAreEnabled() {
        for (const char* on : {"New Design", "Lowpass", "Highpass", "Bandpass", "Bandstop", "Hz", "dB<-->V/V",
                               "Contents", "About Tavrel"})
            QVERIFY2(session_.main()->Command(on)->isEnabled(), on);
        // Opening, saving and printing wait for their files and pages; until then they stay off.
        for (const char* off : {"Open Design...", "Save Design", "Save Design As...", "Close Design",
                                "Copy to Clipboard", "Save data to Ascii File", "Save SPICE Netlist", "Print",
                                "Show transfer function", "Next", "Back"})
            QVERIFY2(!session_.main()->Command(off)->isEnabled(), off);
        QCOMPARE(session_.main()->windowTitle(), QString("Tavrel - [Untitled]"));
        QVERIFY(session_.main()->StatusText().startsWith("No design"));
    }

    void theKindButtonStaysDown() {
        session_.main()->Command("Highpass")->trigger();
        QVERIFY(session_.main()->Command("Highpass")->isChecked());
        QVERIFY(!session_.main()->Command("Lowpass")->isChecked());
        QCOMPARE(session_.main()->State().FilterKind, FilterKind::Highpass);
        QCOMPARE(Find<QLineEdit>(session_.main()->ParEnt(), "f1")->text(), QString("2"));
        session_.main()->CloseDesign();
        QVERIFY(!session_.main()->Command("Highpass")->isChecked());
    }

    void anUnchangedDesignClosesWithoutAQuestion() {
        session_.main()->Command("Lowpass")->trigger();
        session_.main()->ParEnt()->close();
        QVERIFY(session_.messages()->Boxes().empty());
        QVERIFY(!session_.main()->ParEnt()->isVisible());
    }

    void theSaveQuestionAndItsAnswers() {
        for (MessageAnswer answer : {MessageAnswer::Cancel, MessageAnswer::Yes, MessageAnswer::No}) {
            session_.messages()->Clear();
            StartAndCalculate();
            Click(session_.main()->ParEnt(), "next");
            QCOMPARE(session_.main()->State().DesignStep, Step::SpecificationDone);
            session_.messages()->Answer(answer);
            Click(session_.main()->Graph(), "close");
            QCOMPARE(session_.messages()->Boxes().front().text, QString("Do you wish to save this design?"));
            QCOMPARE(session_.messages()->Boxes().front().buttons, MessageButtons::YesNoCancel);
            const bool discarded = answer == MessageAnswer::No;
            QCOMPARE(session_.main()->Graph()->isVisible(), !discarded);
            QCOMPARE(session_.main()->State().DesignStep, discarded ? Step::NoDesign : Step::SpecificationDone);
            if (answer == MessageAnswer::Yes)
                QCOMPARE(session_.messages()->Last(), QString("The design could not be saved, so it stays open."));
            if (!discarded) {
                session_.messages()->Answer(MessageAnswer::No);
                session_.main()->CloseDesign();
            }
            QVERIFY(!session_.main()->Command("Save Design")->isEnabled());
        }
    }

    void exitAsksForAChangedDesign() {
        StartAndCalculate();
        Click(session_.main()->ParEnt(), "next");
        session_.messages()->Answer(MessageAnswer::Cancel);
        QVERIFY(!session_.main()->close());
        QVERIFY(session_.main()->isVisible());
        session_.messages()->Answer(MessageAnswer::No);
        QVERIFY(session_.main()->close());
        QVERIFY(!session_.main()->Graph()->isVisible());
    }

    void aNewLowpassResetsGainAndForceBox() {
        StartAndCalculate();
        QTest::mouseClick(Find<QCheckBox>(session_.main()->ParEnt(), "force"), Qt::LeftButton, {}, QPoint(4, 4));
        Retype(Find<QLineEdit>(session_.main()->ParEnt(), "gain"), "6");
        session_.main()->Command("Lowpass")->trigger();  // never Next: no question
        QVERIFY(!Find<QCheckBox>(session_.main()->ParEnt(), "force")->isChecked());
        QCOMPARE(Find<QLineEdit>(session_.main()->ParEnt(), "gain")->text(), QString("0"));
        QCOMPARE(static_cast<double>(session_.main()->State().OverallGain), 1.0);
    }

    void copyPutsTheResultTableOnTheClipboard() {
        StartAndCalculate();
        session_.main()->Command("Copy to Clipboard")->trigger();
        const QImage image = QGuiApplication::clipboard()->image();
        QCOMPARE(image.size(), session_.main()->ParEnt()->Picture().size());
    }

    void dbConverter() {
        session_.main()->Command("dB<-->V/V")->trigger();
        TfmDbConv* converter = session_.main()->DbConv();
        QVERIFY(converter->isVisible());
        auto* box = Find<QLineEdit>(converter, "number");
        QCOMPARE(box->text(), QString("0.0000"));
        Retype(box, "20x\t");  // the letter and the tab are swallowed
        QCOMPARE(box->text(), QString("20"));
        Click(converter, "vv");
        QCOMPARE(box->text(), QString(" 1.000000E+1"));
        Click(converter, "db");
        QCOMPARE(box->text(), QString("20"));
        Retype(box, "800");
        Click(converter, "vv");
        QCOMPARE(session_.messages()->Last(), QString("dB limited here to +/- 700"));
        QCOMPARE(session_.messages()->Boxes().back().icon, MessageIcon::Information);
        QCOMPARE(box->text(), QString("800"));
    }

    void helpAndAbout() {
        session_.main()->Command("Contents")->trigger();
        QVERIFY(session_.main()->Help()->isVisible());
        QVERIFY(session_.main()->Help()->Text().contains("Force Filter Order"));
        session_.main()->Command("About Tavrel")->trigger();
        QVERIFY(session_.messages()->Last().startsWith("Tavrel"));
    }

private:
    void StartAndCalculate() {
        session_.main()->Command("Lowpass")->trigger();
        Click(session_.main()->ParEnt(), "calculate");
        QVERIFY(session_.main()->Command("Close Design")->isEnabled());
        QVERIFY(session_.main()->Command("Copy to Clipboard")->isEnabled());
    }

    ProgramSession session_;
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
