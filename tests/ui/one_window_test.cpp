// The one window: the wizard steps as its pages, the row of steps, the shortcuts written in
// the menus, a whole design from the keyboard, Esc on the dialogs and the window's geometry.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStackedWidget>
#include <QTemporaryFile>

#include "ui/column_list.h"
#include "ui/step_indicator.h"
#include "ui/tfm_cascade.h"
#include "ui/tfm_db_conv.h"
#include "ui/tfm_graph.h"
#include "ui/tfm_help.h"
#include "ui/tfm_pairs.h"
#include "ui/tfm_par_ent.h"
#include "ui_test_support.h"

using namespace tavrel;
using namespace tavrel::ui;
using namespace tavrel::ui::test;

namespace {

using Mark = StepIndicator::Mark;

QString Marks(TfmMain* main) {
    QString marks;
    for (int page = 0; page < kWizardPageCount; ++page) {
        switch (main->Steps()->MarkOf(static_cast<WizardPage>(page))) {
            case Mark::Current: marks += 'C'; break;
            case Mark::Reached: marks += 'x'; break;
            case Mark::Automatic: marks += 'a'; break;
            case Mark::Ahead: marks += '.'; break;
        }
    }
    return marks;
}

QWidget* Focused() { return QApplication::focusWidget(); }

// Types into the box that has the focus, replacing what it holds.
void TypeOver(const QString& text) {
    QTest::keyClick(Focused(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(Focused(), text);
}

// Chooses a menu command by the mnemonics of the menu, its submenu and the command.
void ChooseFromMenu(QWidget* window, Qt::Key menu, Qt::Key submenu, Qt::Key command) {
    QTest::keyClick(window, menu, Qt::AltModifier);
    QTRY_VERIFY(qobject_cast<QMenu*>(QApplication::activePopupWidget()));
    QMenu* top = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QTest::keyClick(top, submenu);
    QTRY_VERIFY(QApplication::activePopupWidget() != top);
    QTest::keyClick(QApplication::activePopupWidget(), command);
    QTRY_VERIFY(!QApplication::activePopupWidget());
    // The offscreen platform hands activation back to the window late (a desktop does it as
    // the menu closes): let its queued activations pass, then make sure the window has it.
    QTest::qWait(50);
    QApplication::setActiveWindow(window);
    QVERIFY(QTest::qWaitForWindowActive(window));
}

}  // namespace

class OneWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        session_.Start();
        session_.Activate();
    }
    void cleanup() { session_.Stop(); }

    // Every step is a page of the main window, never a window of its own.
    void theStepsArePagesOfTheMainWindow() {
        TfmMain* main = session_.main();
        auto* pages = Find<QStackedWidget>(main, "pages");
        for (QWidget* page : {static_cast<QWidget*>(main->ParEnt()), static_cast<QWidget*>(main->Graph()),
                              static_cast<QWidget*>(main->Pairs()), static_cast<QWidget*>(main->Cascade())}) {
            QVERIFY(!page->isWindow());
            QCOMPARE(page->parentWidget(), static_cast<QWidget*>(pages));
        }
        QCOMPARE(main->CurrentPage(), std::optional<WizardPage>());
        QCOMPARE(Marks(main), QString("......."));
        // The coming steps have their places and no page yet.
        for (WizardPage later : {WizardPage::CircuitSelection, WizardPage::ComponentCalculation,
                                 WizardPage::FinalResponses})
            QVERIFY(!main->PageWidget(later));
    }

    // The row of steps follows the design through the wizard, with interactive pairing and
    // cascading, and back.
    void theStepsShowWhereTheDesignIs() {
        TfmMain* main = session_.main();
        main->Command("Pairing User-interactive")->trigger();
        main->Command("Cascading User-interactive")->trigger();
        main->Command("Lowpass")->trigger();
        QCOMPARE(Marks(main), QString("C......"));
        QCOMPARE(Find<QLabel>(main, "heading")->text(), QString("Enter frequency, attenuation and gain values."));
        Click(main->ParEnt(), "calculate");
        Click(main->ParEnt(), "next");
        QCOMPARE(main->CurrentPage(), std::optional<WizardPage>(WizardPage::Approximation));
        QCOMPARE(Marks(main), QString("xC....."));
        QCOMPARE(Find<QLabel>(main, "heading")->text(), main->Graph()->windowTitle());
        Click(main->Graph(), "next");
        QCOMPARE(Marks(main), QString("xxC...."));
        Click(main->Pairs(), "autoAddAll");
        Click(main->Pairs(), "next");
        QCOMPARE(main->CurrentPage(), std::optional<WizardPage>(WizardPage::Cascading));
        QCOMPARE(Marks(main), QString("xxxC..."));
        main->Command("Back")->trigger();
        QCOMPARE(Marks(main), QString("xxCx..."));
        main->Command("Back")->trigger();
        QCOMPARE(Marks(main), QString("xCxx..."));
        // Pairing done automatically is marked so.
        main->Command("Pairing Automatic")->trigger();
        QCOMPARE(Marks(main), QString("xCax..."));
    }

    void theStandardShortcutsAreOnTheCommands() {
        const std::pair<const char*, QKeySequence> commands[] = {
            {"New Design", QKeySequence::New},       {"Open Design...", QKeySequence::Open},
            {"Save Design", QKeySequence::Save},     {"Save Design As...", QKeySequence::SaveAs},
            {"Print", QKeySequence::Print},          {"Copy to Clipboard", QKeySequence::Copy},
            {"Close Design", QKeySequence::Close},   {"Exit", QKeySequence::Quit},
            {"Contents", QKeySequence(Qt::Key_F1)},  {"Next", QKeySequence(Qt::ALT | Qt::Key_Right)},
            {"Back", QKeySequence(Qt::ALT | Qt::Key_Left)}};
        for (const auto& [caption, keys] : commands) {
            QAction* action = session_.main()->Command(caption);
            QVERIFY2(action, caption);
            QCOMPARE(action->shortcut(), keys);
            // In a menu of the menu bar, where the menu writes it beside the caption.
            bool inMenu = false;
            for (QAction* top : session_.main()->menuBar()->actions())
                if (top->menu() && top->menu()->actions().contains(action)) inMenu = true;
            QVERIFY2(inMenu, caption);
        }
    }

    void newStartsTheKindStartedLast() {
        TfmMain* main = session_.main();
        QTest::keyClick(main, Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(main->State().FilterKind, FilterKind::Lowpass);
        QCOMPARE(main->CurrentPage(), std::optional<WizardPage>(WizardPage::Specification));
        main->Command("Bandstop")->trigger();
        main->CloseDesign();
        QCOMPARE(main->Command("New Design")->text(), QString("&New Bandstop Design"));
        QTest::keyClick(main, Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(main->State().FilterKind, FilterKind::Bandstop);
        QVERIFY(Find<QLineEdit>(main->ParEnt(), "f0")->isVisible());
    }

    void escapeClosesTheDialogs() {
        TfmMain* main = session_.main();
        const std::pair<QAction*, QWidget*> dialogs[] = {{main->Command("dB<-->V/V"), main->DbConv()},
                                                         {main->Command("Contents"), main->Help()}};
        for (const auto& [command, dialog] : dialogs) {
            command->trigger();
            QVERIFY(dialog->isVisible());
            QApplication::setActiveWindow(dialog);
            QVERIFY(QTest::qWaitForWindowActive(dialog));
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : dialog, Qt::Key_Escape);
            QVERIFY2(!dialog->isVisible(), qPrintable(command->text()));
        }
    }

    // The geometry the settings file keeps comes back as it was; one from a screen that is
    // not there any more is brought onto this one.
    void theGeometryIsKept() {
        TfmMain* main = session_.main();
        main->SetGeometry({120, 90, 900, 640, false});
        WindowGeometry g = main->Geometry();
        QCOMPARE(g.width, 900);
        QCOMPARE(g.height, 640);
        QCOMPARE(g.x, 120);
        QCOMPARE(g.y, 90);
        QVERIFY(!g.maximized);
        main->SetGeometry({50000, 50000, 1000, 700, false});
        g = main->Geometry();
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(screen.contains(QRect(g.x, g.y, g.width, g.height)));
    }

    // Changing the page is a switch of the stack and the marks, no rebuilding.
    void backAndNextSwitchPagesInPlace() {
        TfmMain* main = session_.main();
        main->Command("Lowpass")->trigger();
        Click(main->ParEnt(), "calculate");
        Click(main->ParEnt(), "next");
        QWidget* graph = main->Graph();
        main->Command("Back")->trigger();
        QVERIFY(!graph->isVisible());
        QVERIFY(main->ParEnt()->isVisible());
        QVERIFY(!main->Command("Back")->isEnabled());  // the first page has no Back
        main->Command("Next")->trigger();
        QCOMPARE(main->Graph(), graph);
        QVERIFY(graph->isVisible());
    }

    // A whole design driven from the keyboard alone, as a user who does not touch the mouse:
    // the options through the menu mnemonics, a new lowpass with its shortcut, the entries typed
    // and tabbed through, Enter for Calculate and Next, Alt+Right and Alt+Left between the pages.
    void aWholeDesignWithTheKeyboard() {
        TfmMain* main = session_.main();
        const DesignState& state = main->State();
        // Options > Pole-zero pairing > User-interactive, Options > Stage cascading > User-interactive.
        ChooseFromMenu(main, Qt::Key_O, Qt::Key_P, Qt::Key_U);
        ChooseFromMenu(main, Qt::Key_O, Qt::Key_S, Qt::Key_U);
        QVERIFY(!state.AutoPairing && !state.AutoCascading);

        QTest::keyClick(main, Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(main->CurrentPage(), std::optional<WizardPage>(WizardPage::Specification));
        // 1 dB / 40 dB, 1 kHz / 3 kHz, typed field after field.
        QCOMPARE(Focused()->objectName(), QString("apb"));
        TypeOver("1");
        QTest::keyClick(Focused(), Qt::Key_Tab);
        QCOMPARE(Focused()->objectName(), QString("asb"));
        TypeOver("40");
        QTest::keyClick(Focused(), Qt::Key_Tab);
        QCOMPARE(Focused()->objectName(), QString("f1"));
        QTest::keyClick(Focused(), Qt::Key_Tab);  // its unit box stays at kHz
        QTest::keyClick(Focused(), Qt::Key_Tab);
        QCOMPARE(Focused()->objectName(), QString("f2"));
        TypeOver("3");
        QTest::keyClick(Focused(), Qt::Key_Return);  // Calculate
        QCOMPARE(state.Approx[Butterworth].Order, 5);
        QCOMPARE(state.Approx[Elliptic].Order, 3);
        QTest::keyClick(Focused(), Qt::Key_Return);  // Next, the default once Calculate enabled it
        QCOMPARE(main->CurrentPage(), std::optional<WizardPage>(WizardPage::Approximation));

        QTest::keyClick(Focused(), Qt::Key_Right, Qt::AltModifier);
        QCOMPARE(main->CurrentPage(), std::optional<WizardPage>(WizardPage::Pairing));
        QCOMPARE(main->Pairs()->Poles()->LineCount(), 3);
        QTest::keyClick(Focused(), Qt::Key_U, Qt::AltModifier);  // A&uto Add All, pressed as a button is
        QTRY_COMPARE(main->Pairs()->Pairs()->LineCount(), 3);
        QTest::keyClick(Focused(), Qt::Key_Return);  // Next
        QCOMPARE(main->CurrentPage(), std::optional<WizardPage>(WizardPage::Cascading));
        QCOMPARE(state.StageCount, std::int16_t{3});

        for (WizardPage page : {WizardPage::Pairing, WizardPage::Approximation, WizardPage::Specification}) {
            QTest::keyClick(Focused(), Qt::Key_Left, Qt::AltModifier);
            QCOMPARE(main->CurrentPage(), std::optional<WizardPage>(page));
        }
        QCOMPARE(Focused()->objectName(), QString("apb"));

        // Ctrl+W closes the changed design after its question.
        session_.messages()->Answer(MessageAnswer::No);
        QTest::keyClick(Focused(), Qt::Key_W, Qt::ControlModifier);
        QCOMPARE(session_.messages()->Last(), QString("Do you wish to save this design?"));
        QCOMPARE(main->CurrentPage(), std::optional<WizardPage>());
    }

private:
    ProgramSession session_;
};

// A screen of 1920 x 1080, so that the window's own size is not cut down to the 800 x 800 of
// the bare offscreen platform.
int main(int argc, char** argv) {
    QTemporaryFile screens;
    if (!screens.open()) return 1;
    screens.write(R"({"screens": [{"name": "wide", "x": 0, "y": 0, "width": 1920, "height": 1080,
                      "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    screens.flush();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screens.fileName().toLocal8Bit());
    QApplication app(argc, argv);
    OneWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "one_window_test.moc"
