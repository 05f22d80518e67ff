// The pole-zero pairing window in user-interactive mode: joining with its error
// messages, Undo and Undo All, Next, Back, and the mode switches.
#include <QAction>
#include <QCheckBox>
#include <QRadioButton>
#include <QRegularExpression>

#include "stages/pairing.h"
#include "ui/column_list.h"
#include "ui/tfm_cascade.h"
#include "ui/tfm_graph.h"
#include "ui/tfm_pairs.h"
#include "ui/tfm_par_ent.h"
#include "ui_test_support.h"

using namespace tavrel;
using namespace tavrel::ui;
using namespace tavrel::ui::test;

namespace {

// Clicks the lines at `rows` of a multi-selection list, each once.
void SelectRows(ColumnList* list, std::initializer_list<int> rows) {
    list->clearSelection();
    for (int row : rows) list->topLevelItem(row)->setSelected(true);
}

}  // namespace

class PairingWindowTest : public QObject {
    Q_OBJECT
private slots:
    // An elliptic lowpass of order 5: two pole pairs and a real pole, two zero pairs.
    void init() {
        session_.Start();
        TfmMain* main = session_.main();
        main->Command("Pairing User-interactive")->trigger();
        main->Command("Cascading User-interactive")->trigger();
        main->Command("Lowpass")->trigger();
        TfmParEnt* spec = main->ParEnt();
        QTest::mouseClick(Find<QCheckBox>(spec, "force"), Qt::LeftButton, {}, QPoint(6, 6));
        Retype(Find<QLineEdit>(spec, "force_order"), "5");
        Click(spec, "calculate");
        Click(spec, "next");
        QTest::mouseClick(Find<QRadioButton>(main->Graph(), "approx3"), Qt::LeftButton, {}, QPoint(6, 6));
        Click(main->Graph(), "next");
        pairs_ = main->Pairs();
    }
    void cleanup() { session_.Stop(); }

    void nextOfTheApproximationWindowOpensThePairingWindow() {
        QVERIFY(pairs_->isVisible());
        QVERIFY(!session_.main()->Graph()->isVisible());
        QCOMPARE(pairs_->windowTitle(), QString("Pair zeros and poles to create 1st and 2nd order stages"));
        const StageTables& tables = session_.main()->Tables();
        QCOMPARE(int(tables.PoleEntryCount), 3);
        QCOMPARE(int(tables.ZeroEntryCount), 2);
        QCOMPARE(pairs_->Poles()->LineCount(), 3);
        QCOMPARE(pairs_->Zeros()->LineCount(), 2);
        QCOMPARE(pairs_->Pairs()->LineCount(), 0);
        QVERIFY(pairs_->Poles()->LineText(0).startsWith(" PAIR   -"));
        QVERIFY(pairs_->Poles()->LineText(0).contains(QRegularExpression("rad/s\\s+fp: \\S+ Hz\\s+Q: ")));
        QVERIFY(pairs_->Poles()->LineText(0).contains("fp: "));
        QVERIFY(pairs_->Poles()->LineText(2).startsWith(" SNGL   -"));
        QVERIFY(pairs_->Zeros()->LineText(0).startsWith(" PAIR\tfz: "));
        QCOMPARE(session_.main()->State().DesignStep, Step::ApproximationChosen);
        QVERIFY(!Find<QCheckBox>(pairs_, "hideNextTime")->isChecked());
        QVERIFY(!session_.main()->Command("Show transfer function")->isEnabled());
    }

    void refusedJoinsChangeNothing_data() {
        QTest::addColumn<QList<int>>("poles");
        QTest::addColumn<QList<int>>("zeros");
        QTest::addColumn<QString>("message");
        QTest::newRow("nothing") << QList<int>{} << QList<int>{} << "Pole or pole pair not selected";
        QTest::newRow("only a zero") << QList<int>{} << QList<int>{0} << "Pole or pole pair not selected";
        QTest::newRow("three poles") << QList<int>{0, 1, 2} << QList<int>{} << "Too many poles selected.";
        QTest::newRow("a pair and a real pole") << QList<int>{0, 2} << QList<int>{} << "Too many poles selected.";
        QTest::newRow("a pair and two zero pairs") << QList<int>{0} << QList<int>{0, 1} << "Too many zeros selected.";
        QTest::newRow("a real pole and a zero pair") << QList<int>{2} << QList<int>{0} << "Too many zeros selected";
    }
    void refusedJoinsChangeNothing() {
        QFETCH(QList<int>, poles);
        QFETCH(QList<int>, zeros);
        QFETCH(QString, message);
        pairs_->Poles()->clearSelection();
        for (int row : poles) pairs_->Poles()->topLevelItem(row)->setSelected(true);
        pairs_->Zeros()->clearSelection();
        for (int row : zeros) pairs_->Zeros()->topLevelItem(row)->setSelected(true);
        Click(pairs_, "add");
        QCOMPARE(session_.messages()->Last(), message);
        QCOMPARE(session_.messages()->Boxes().back().icon, MessageIcon::Error);
        QCOMPARE(pairs_->Pairs()->LineCount(), 0);
        QCOMPARE(pairs_->Poles()->LineCount(), 3);
        QCOMPARE(pairs_->Zeros()->LineCount(), 2);
    }

    void joinsUndoOfAMiddleLineAndANewAdd() {
        StageTables& tables = session_.main()->Tables();
        SelectRows(pairs_->Poles(), {0});
        SelectRows(pairs_->Zeros(), {0});
        Click(pairs_, "add");
        // The lists now hold pole pair 2, the real pole and zero pair 2.
        SelectRows(pairs_->Poles(), {0});
        SelectRows(pairs_->Zeros(), {0});
        Click(pairs_, "add");
        SelectRows(pairs_->Poles(), {0});
        pairs_->Zeros()->clearSelection();
        Click(pairs_, "add");
        QCOMPARE(session_.messages()->Boxes().size(), std::size_t{0});
        QCOMPARE(pairs_->Pairs()->LineCount(), 3);
        QCOMPARE(pairs_->Poles()->LineCount(), 0);
        QCOMPARE(pairs_->Zeros()->LineCount(), 0);
        QCOMPARE(session_.main()->State().DesignStep, Step::PairingDone);
        QVERIFY(pairs_->Pairs()->LineText(2).startsWith("FLP \tSNGL POLE"));
        const QString firstLine = pairs_->Pairs()->LineText(0);

        pairs_->Pairs()->SelectRow(1);
        Click(pairs_, "undo");
        QCOMPARE(pairs_->Pairs()->LineCount(), 2);
        QCOMPARE(pairs_->Poles()->LineCount(), 1);
        QCOMPARE(pairs_->Zeros()->LineCount(), 1);
        QCOMPARE(tables.Stage[2].Pole1, std::int16_t{0});
        QVERIFY(tables.Stage[2].TypeName.empty());
        // The remaining lines keep their stage records.
        QCOMPARE(std::vector<std::int16_t>(tables.PairLines), std::vector<std::int16_t>({1, 3}));
        QCOMPARE(pairs_->Pairs()->LineText(0), firstLine);
        QVERIFY(pairs_->Pairs()->LineText(1).startsWith("FLP \tSNGL POLE"));

        // Record 3 (lines + 1) belongs to the listed real-pole line; the new stage takes 2.
        SelectRows(pairs_->Poles(), {0});
        SelectRows(pairs_->Zeros(), {0});
        Click(pairs_, "add");
        QCOMPARE(std::vector<std::int16_t>(tables.PairLines), std::vector<std::int16_t>({1, 3, 2}));
        QCOMPARE(int(tables.Stage[3].Pole1), 3);
        QCOMPARE(tables.Stage[3].TypeName, std::string("FLP "));
        QCOMPARE(int(tables.Stage[2].Pole1), 2);
        QVERIFY(pairs_->Pairs()->LineText(1).startsWith("FLP \tSNGL POLE"));
        QVERIFY(pairs_->Pairs()->LineText(2).contains("POLE PAIR"));
        QVERIFY(pairs_->Pairs()->LineText(2).contains("ZERO PAIR"));

        Click(pairs_, "next");
        QVERIFY(!pairs_->isVisible());
        QVERIFY(session_.main()->Cascade()->isVisible());
        QCOMPARE(int(session_.main()->State().StageCount), 3);
    }

    void nextBeforeEverythingIsPairedComplains() {
        SelectRows(pairs_->Poles(), {2});
        Click(pairs_, "add");
        Click(pairs_, "next");
        QCOMPARE(session_.messages()->Last(), QString("Pole-zero pairing not complete!"));
        QVERIFY(pairs_->isVisible());
        QVERIFY(!session_.main()->Cascade()->isVisible());
    }

    void undoNeedsASelectedLine() {
        Click(pairs_, "autoAddAll");
        QCOMPARE(pairs_->Pairs()->LineCount(), 3);
        pairs_->Pairs()->clearSelection();
        Click(pairs_, "undo");
        QCOMPARE(session_.messages()->Last(), QString("No pole-zero pair selected."));
        QCOMPARE(pairs_->Pairs()->LineCount(), 3);
    }

    void autoAddAllAndUndoAll() {
        Click(pairs_, "autoAddAll");
        QCOMPARE(pairs_->Poles()->LineCount(), 0);
        QCOMPARE(pairs_->Zeros()->LineCount(), 0);
        QCOMPARE(pairs_->Pairs()->LineCount(), 3);
        QCOMPARE(session_.main()->State().DesignStep, Step::PairingDone);
        Click(pairs_, "undoAll");
        QCOMPARE(pairs_->Poles()->LineCount(), 3);
        QCOMPARE(pairs_->Zeros()->LineCount(), 2);
        QCOMPARE(pairs_->Pairs()->LineCount(), 0);
        for (int stage = 1; stage <= 3; ++stage) QCOMPARE(int(session_.main()->Tables().Stage[stage].Pole1), 0);
    }

    void backReturnsToTheApproximationWindow() {
        Click(pairs_, "back");
        QVERIFY(!pairs_->isVisible());
        QVERIFY(session_.main()->Graph()->isVisible());
    }

    void hideThisWindowNextTimeSetsAutomaticPairing() {
        QTest::mouseClick(Find<QCheckBox>(pairs_, "hideNextTime"), Qt::LeftButton, {}, QPoint(6, 6));
        QVERIFY(session_.main()->State().AutoPairing);
        QVERIFY(session_.main()->Command("Pairing Automatic")->isChecked());
        QVERIFY(pairs_->isVisible());  // until Next
    }

    void choosingAutomaticPairingClosesTheWindow() {
        session_.main()->Command("Pairing Automatic")->trigger();
        QVERIFY(session_.main()->State().AutoPairing);
        QVERIFY(!pairs_->isVisible());
        QVERIFY(session_.main()->Graph()->isVisible());
        // Next now pairs without the window and stops at the cascading window.
        Click(session_.main()->Graph(), "next");
        QVERIFY(!pairs_->isVisible());
        QVERIFY(session_.main()->Cascade()->isVisible());
    }

    void unitsSwitchTheListLabels() {
        session_.main()->Command("Toggle Hz..Rad/s")->trigger();
        QVERIFY(pairs_->Poles()->LineText(0).contains("wp: "));
        QVERIFY(pairs_->Zeros()->LineText(0).contains("wz: "));
    }

private:
    ProgramSession session_;
    TfmPairs* pairs_ = nullptr;
};

QTEST_MAIN(PairingWindowTest)
#include "pairing_window_test.moc"
