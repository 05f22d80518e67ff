// The stage cascading window (automatic pairing, user-interactive cascading) and the
// criteria dialog.
#include <QAction>
#include <QCheckBox>
#include <QListWidget>
#include <QRadioButton>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

#include "stages/pairing_text.h"
#include "stages/stage_record.h"
#include "ui/column_list.h"
#include "ui/tfm_cascade.h"
#include "ui/tfm_criteria.h"
#include "ui/tfm_graph.h"
#include "ui/tfm_pairs.h"
#include "ui/tfm_par_ent.h"
#include "ui_test_support.h"

using namespace tavrel;
using namespace tavrel::ui;
using namespace tavrel::ui::test;

namespace {

// The flatness of the cascade up to each stage, straight from the stage functions: the
// largest value of the product of the stage magnitudes on the response grid over the
// smallest in the flatness band (a lowpass band: FlatBandLo..FlatBandHi).
std::vector<double> FlatnessFromStages(const DesignState& state, const StageTables& tables) {
    std::vector<double> flatness;
    for (int last = 1; last <= state.StageCount; ++last) {
        long double highest = 0, lowestInBand = 1e300L;
        for (const Real48& grid : tables.ResponseGrid) {
            const long double w = grid;
            long double product = 1;
            for (int stage = 1; stage <= last; ++stage) product *= StageMagnitude(tables.Stage[stage], w);
            highest = std::max(highest, product);
            if (w >= tables.FlatBandLo && w <= tables.FlatBandHi) lowestInBand = std::min(lowestInBand, product);
        }
        flatness.push_back(double(highest / lowestInBand));
    }
    return flatness;
}

std::vector<std::string> StageTypes(const DesignState& state, const StageTables& tables) {
    std::vector<std::string> types;
    for (int stage = 1; stage <= state.StageCount; ++stage) types.push_back(tables.Stage[stage].TypeName);
    return types;
}

}  // namespace

class CascadingWindowTest : public QObject {
    Q_OBJECT
private slots:
    // The default lowpass: Butterworth of order 7, three pole pairs and a real pole.
    void init() {
        session_.Start();
        TfmMain* main = session_.main();
        main->Command("Cascading User-interactive")->trigger();
        main->Command("Lowpass")->trigger();
        Click(main->ParEnt(), "calculate");
        Click(main->ParEnt(), "next");
        Click(main->Graph(), "next");
        cascade_ = main->Cascade();
    }
    void cleanup() { session_.Stop(); }

    void automaticPairingOpensTheCascadedWindow() {
        QVERIFY(cascade_->isVisible());
        QVERIFY(!session_.main()->Pairs()->isVisible());
        QVERIFY(!session_.main()->Graph()->isVisible());
        QCOMPARE(cascade_->windowTitle(), QString("Order (cascade) stages to optimize response"));
        const DesignState& state = session_.main()->State();
        QCOMPARE(int(state.StageCount), 4);
        QCOMPARE(cascade_->Pairs()->LineCount(), 4);
        QCOMPARE(cascade_->Flatness()->count(), 4);
        // The default criteria put the first-order lowpass first.
        QVERIFY(cascade_->Pairs()->LineText(0).startsWith("FLP \tSNGL POLE"));
        QVERIFY(cascade_->Pairs()->LineText(1).startsWith("SLP \tPOLE PAIR\tfp: "));
        CheckFlatnessColumn();
        auto* next = Find<QPushButton>(cascade_, "next");
        QVERIFY(!next->isEnabled());
        QVERIFY(next->toolTip().contains("Circuit selection"));
        QVERIFY(session_.main()->Command("Show transfer function")->isEnabled());
    }

    void upAndDownMoveTheStageAndRecomputeFlatness() {
        const DesignState& state = session_.main()->State();
        const StageTables& tables = session_.main()->Tables();
        const QString second = cascade_->Pairs()->LineText(1), third = cascade_->Pairs()->LineText(2);
        const std::vector<double> before = FlatnessFromStages(state, tables);
        cascade_->Pairs()->SelectRow(2);
        Click(cascade_, "up");
        QCOMPARE(cascade_->Pairs()->LineText(1), third);
        QCOMPARE(cascade_->Pairs()->LineText(2), second);
        QCOMPARE(cascade_->Pairs()->SelectedRows(), std::vector<int>({1}));
        QVERIFY(state.DesignModified && state.Recalculated);
        CheckFlatnessColumn();
        QVERIFY(std::fabs(FlatnessFromStages(state, tables)[1] - before[1]) > 1e-3);

        Click(cascade_, "down");
        QCOMPARE(cascade_->Pairs()->LineText(1), second);
        QCOMPARE(cascade_->Pairs()->SelectedRows(), std::vector<int>({2}));
        CheckFlatnessColumn();
    }

    void upOnTheFirstAndDownOnTheLastOnlyRecompute() {
        const std::vector<std::string> order = StageTypes(session_.main()->State(), session_.main()->Tables());
        cascade_->Pairs()->SelectRow(0);
        Click(cascade_, "up");
        QCOMPARE(cascade_->Pairs()->SelectedRows(), std::vector<int>({0}));
        cascade_->Pairs()->SelectRow(3);
        Click(cascade_, "down");
        QCOMPARE(cascade_->Pairs()->SelectedRows(), std::vector<int>({3}));
        QCOMPARE(StageTypes(session_.main()->State(), session_.main()->Tables()), order);
        CheckFlatnessColumn();
    }

    void cascadeRestoresTheAutomaticOrder() {
        QStringList automatic;
        for (int row = 0; row < 4; ++row) automatic << cascade_->Pairs()->LineText(row);
        cascade_->Pairs()->SelectRow(1);
        Click(cascade_, "up");
        QVERIFY(cascade_->Pairs()->LineText(0) != automatic[0]);
        Click(cascade_, "cascade");
        for (int row = 0; row < 4; ++row) QCOMPARE(cascade_->Pairs()->LineText(row), automatic[row]);
        CheckFlatnessColumn();
    }

    void criteriaPriorities() {
        Click(cascade_, "criteria");
        TfmCriteria* criteria = session_.main()->Criteria();
        QVERIFY(criteria->isVisible());
        QCOMPARE(criteria->windowTitle(), QString("Criteria; Automatic mode"));
        QCOMPARE(Priorities(criteria, "first"), QStringList({"1", "2", "3", "4"}));
        QCOMPARE(Priorities(criteria, "last"), QStringList({"", "", "", ""}));
        QVERIFY(Find<QRadioButton>(criteria, "maximumFlatness")->isChecked());

        // Enabled in the order 2, 0, 1 they get 1, 2, 3; disabling priority 1 closes the gap.
        for (const char* box : {"last2", "last0", "last1"}) ClickBox(criteria, box);
        QCOMPARE(Priorities(criteria, "last"), QStringList({"2", "3", "1", ""}));
        ClickBox(criteria, "last2");
        QCOMPARE(Priorities(criteria, "last"), QStringList({"1", "2", "", ""}));

        // A priority click advances it, from the highest back to 1.
        Click(criteria, "firstPriority0");
        QCOMPARE(Priorities(criteria, "first"), QStringList({"2", "2", "3", "4"}));
        Click(criteria, "ok");
        QCOMPARE(session_.messages()->Last(), QString("First stage priorities must be unique."));
        QVERIFY(criteria->isVisible());
        for (int k = 0; k < 3; ++k) Click(criteria, "firstPriority0");
        QCOMPARE(Priorities(criteria, "first"), QStringList({"1", "2", "3", "4"}));
        Click(criteria, "lastPriority1");
        Click(criteria, "ok");
        QCOMPARE(session_.messages()->Last(), QString("Last stage priorities must be unique."));

        // Cancel keeps the criteria as they were.
        Click(criteria, "cancel");
        QVERIFY(!criteria->isVisible());
        const CascadeCriteria& kept = session_.main()->Tables().Criteria;
        QCOMPARE(PreferencesText(kept.LastStagePrefs), std::string(kDefaultLastStage));
        QCOMPARE(PreferencesText(kept.FirstStagePrefs), std::string(kDefaultFirstStage));
    }

    void increasingQpWithoutAFirstStagePreference() {
        Click(cascade_, "criteria");
        TfmCriteria* criteria = session_.main()->Criteria();
        for (const char* box : {"first0", "first1", "first2", "first3"}) ClickBox(criteria, box);
        QTest::mouseClick(Find<QRadioButton>(criteria, "increasingQp"), Qt::LeftButton, {}, QPoint(6, 6));
        Click(criteria, "ok");
        QVERIFY(!criteria->isVisible());
        QVERIFY(session_.main()->Tables().Criteria.UseQ);
        Click(cascade_, "cascade");
        const StageTables& tables = session_.main()->Tables();
        for (int stage = 2; stage <= 4; ++stage) QVERIFY(tables.Stage[stage - 1].Qp <= tables.Stage[stage].Qp);
        QVERIFY(cascade_->Pairs()->LineText(0).startsWith("FLP "));  // Qp 0 is the smallest
        QVERIFY(cascade_->Pairs()->LineText(3).contains("Q: 2.25"));  // the Q of the seventh-order pair
    }

    void backReturnsToTheApproximationWindowWithAutomaticPairing() {
        Click(cascade_, "back");
        QVERIFY(!cascade_->isVisible());
        QVERIFY(session_.main()->Graph()->isVisible());
    }

    void choosingAutomaticCascadingClosesTheWindow() {
        QTest::mouseClick(Find<QCheckBox>(cascade_, "hideNextTime"), Qt::LeftButton, {}, QPoint(6, 6));
        QVERIFY(session_.main()->State().AutoCascading);
        QVERIFY(cascade_->isVisible());
        session_.main()->Command("Cascading User-interactive")->trigger();
        session_.main()->Command("Cascading Automatic")->trigger();
        QVERIFY(!cascade_->isVisible());
        QVERIFY(session_.main()->Graph()->isVisible());
    }

    // Every value of the cascading list carries its unit; the stage types and the flatness
    // explain themselves.
    void theStageListHasUnitsAndTooltips() {
        QVERIFY(cascade_->Pairs()->LineText(1).contains(QRegularExpression("fp: \\S+ Hz\tQ: ")));
        const int last = cascade_->Pairs()->LineCount() - 1;
        QVERIFY(cascade_->Pairs()->topLevelItem(0)->toolTip(0).startsWith("FLP: first-order lowpass"));
        QVERIFY(cascade_->Pairs()->topLevelItem(last)->toolTip(0).startsWith("SLP: second-order lowpass"));
        QCOMPARE(cascade_->Flatness()->toolTip(), QString(kFlatnessExplanation));
        QCOMPARE(cascade_->Flatness()->item(0)->toolTip(), QString(kFlatnessExplanation));
    }

private:
    void CheckFlatnessColumn() {
        const std::vector<double> expected = FlatnessFromStages(session_.main()->State(), session_.main()->Tables());
        QCOMPARE(cascade_->Flatness()->count(), int(expected.size()));
        for (int row = 0; row < int(expected.size()); ++row) {
            const double shown = cascade_->Flatness()->item(row)->text().toDouble();
            QVERIFY2(std::fabs(shown - expected[size_t(row)]) <= 0.005 + 1e-9,
                     qPrintable(QString("row %1: %2 vs %3").arg(row).arg(shown).arg(expected[size_t(row)])));
        }
    }
    static QStringList Priorities(QWidget* criteria, const char* panel) {
        QStringList texts;
        for (int k = 0; k < 4; ++k)
            texts << Find<QPushButton>(criteria, qPrintable(QString("%1Priority%2").arg(panel).arg(k)))->text();
        return texts;
    }
    static void ClickBox(QWidget* criteria, const char* name) {
        QTest::mouseClick(Find<QCheckBox>(criteria, name), Qt::LeftButton, {}, QPoint(6, 6));
    }

    ProgramSession session_;
    TfmCascade* cascade_ = nullptr;
};

QTEST_MAIN(CascadingWindowTest)
#include "cascading_window_test.moc"
