// Automatic pairing and cascading from the approximation window, the stage transfer
// functions window in Hz and rad/s, and the building blocks window.
#include <QAction>
#include <QCheckBox>
#include <QRadioButton>
#include <QToolBar>
#include <cmath>

#include "stages/stage_record.h"
#include "ui/column_list.h"
#include "ui/tfm_blocks.h"
#include "ui/tfm_cascade.h"
#include "ui/tfm_graph.h"
#include "ui/tfm_pairs.h"
#include "ui/tfm_par_ent.h"
#include "ui/tfm_transfer.h"
#include "ui/step_indicator.h"
#include "ui_test_support.h"

using namespace tavrel;
using namespace tavrel::ui;
using namespace tavrel::ui::test;

namespace {

constexpr double kTwoPi = 6.283185307179586476925286766559;

bool Near(double shown, double expected, double relative) {
    return std::fabs(shown - expected) <= relative * std::fabs(expected);
}

}  // namespace

class StageResultsTest : public QObject {
    Q_OBJECT
private slots:
    // The default lowpass, Butterworth of order 7, in both automatic modes.
    void init() {
        session_.Start();
        session_.CalculateDefaults();
        QVERIFY(!session_.main()->Command("Show transfer function")->isEnabled());
        Click(session_.main()->Graph(), "next");
    }
    void cleanup() { session_.Stop(); }

    void automaticModesSkipThePairingAndCascadingWindows() {
        TfmMain* main = session_.main();
        QVERIFY(!main->Pairs()->isVisible());
        QVERIFY(!main->Cascade()->isVisible());
        QVERIFY(main->Graph()->isVisible());
        // Circuit selection follows; until its page exists the design stays on this page, and
        // the steps show pairing and cascading done automatically.
        QVERIFY(session_.messages()->Boxes().empty());
        QCOMPARE(main->CurrentPage(), std::optional<WizardPage>(WizardPage::Approximation));
        QVERIFY(!main->PageWidget(WizardPage::CircuitSelection));
        QCOMPARE(main->Steps()->MarkOf(WizardPage::Pairing), StepIndicator::Mark::Automatic);
        QCOMPARE(main->Steps()->MarkOf(WizardPage::Cascading), StepIndicator::Mark::Automatic);
        QCOMPARE(main->Steps()->MarkOf(WizardPage::CircuitSelection), StepIndicator::Mark::Ahead);
        const DesignState& state = main->State();
        QCOMPARE(state.DesignStep, Step::CascadingDone);
        QCOMPARE(int(state.StageCount), 4);
        QCOMPARE(main->Tables().Stage[1].TypeName, std::string("FLP "));
        QVERIFY(main->Command("Show transfer function")->isEnabled());
        QVERIFY2(main->StatusText().contains("4 stages formed and cascaded"), qPrintable(main->StatusText()));
    }

    void theNinthToolbarButtonShowsTheTransferFunctions() {
        QList<QAction*> buttons;
        for (QAction* a : session_.main()->findChild<QToolBar*>("toolbar")->actions())
            if (!a->isSeparator()) buttons << a;
        QCOMPARE(buttons.at(8), session_.main()->Command("Show transfer function"));
        buttons.at(8)->trigger();
        QVERIFY(session_.main()->Transfer()->isVisible());
        QCOMPARE(session_.main()->Transfer()->windowTitle(), QString("Stage Transfer Functions"));
    }

    void transferFunctionsInHzAndRadPerSecond() {
        TfmTransfer* transfer = session_.main()->Transfer();
        session_.main()->Command("Show transfer function")->trigger();
        QVERIFY(transfer->InHz());
        QVERIFY(Find<QPushButton>(transfer, "hertz")->isChecked());
        const StageTables& tables = session_.main()->Tables();
        CheckPage(transfer->Page(), tables, true);
        QCOMPARE(transfer->Page().title, std::string("Butterworth Lowpass Filter  N=7"));

        Click(transfer, "radians");
        QVERIFY(!transfer->InHz());
        CheckPage(transfer->Page(), tables, false);

        // The stage gains share a DC gain of 1: the product of the To of the lowpass stages.
        double product = 1;
        for (const auto& row : transfer->Page().rows) product *= QString::fromStdString(row[1]).toDouble();
        QVERIFY2(Near(product, 1.0, 1e-6), qPrintable(QString::number(product, 'g', 12)));

        // Every opening starts in Hz.
        Click(transfer, "ok");
        QVERIFY(!transfer->isVisible());
        session_.main()->Command("Show transfer function")->trigger();
        QVERIFY(transfer->InHz());
        QCOMPARE(transfer->Page().heads[8], std::string("fp"));
    }

    void aNewApproximationChoiceWithdrawsTheTransferFunctions() {
        session_.main()->Command("Show transfer function")->trigger();
        QTest::mouseClick(Find<QRadioButton>(session_.main()->Graph(), "approx1"), Qt::LeftButton, {}, QPoint(6, 6));
        QVERIFY(!session_.main()->Command("Show transfer function")->isEnabled());
        QVERIFY(!session_.main()->Transfer()->isVisible());
        // Next rebuilds the stages for the Chebyshev filter of order 4: two pole pairs.
        Click(session_.main()->Graph(), "next");
        QCOMPARE(int(session_.main()->State().StageCount), 2);
        QCOMPARE(session_.main()->Tables().Stage[1].TypeName, std::string("SLP "));
        QVERIFY(session_.main()->Command("Show transfer function")->isEnabled());
    }

    void browsingForwardKeepsTheStages() {
        TfmMain* main = session_.main();
        std::vector<std::string> cascaded;
        for (int stage = 1; stage <= 4; ++stage) cascaded.push_back(main->Tables().Stage[stage].TypeName);
        Click(main->Graph(), "back");  // the design is not recalculated any more
        Click(main->ParEnt(), "next");
        main->Command("Pairing User-interactive")->trigger();
        Click(main->Graph(), "next");
        // Not rebuilt: the pairing window shows the stages as they are, nothing left to pair.
        TfmPairs* pairs = main->Pairs();
        QVERIFY(pairs->isVisible());
        QCOMPARE(pairs->Poles()->LineCount(), 0);
        QCOMPARE(pairs->Pairs()->LineCount(), 4);
        QCOMPARE(main->State().DesignStep, Step::CascadingDone);
        for (int stage = 1; stage <= 4; ++stage) QCOMPARE(main->Tables().Stage[stage].TypeName, cascaded[size_t(stage - 1)]);
        Click(pairs, "next");  // automatic cascading: stages formed again
        QVERIFY(main->Command("Show transfer function")->isEnabled());
    }

    void buildingBlocks() {
        session_.main()->Command("The building blocks")->trigger();
        TfmBlocks* blocks = session_.main()->Blocks();
        QVERIFY(blocks->isVisible());
        QCOMPARE(blocks->windowTitle(), QString("The building blocks"));
        struct Choice {
            const char* order;
            const char* type;
            int code;
        };
        const Choice choices[] = {{"second", "lowpass", StageCode::SLP},       {"second", "bandpass", StageCode::SBP},
                                  {"second", "lowpassNotch", StageCode::SLPN}, {"second", "notch", StageCode::SN},
                                  {"first", "highpass", StageCode::FHP},       {"first", "lowpass", StageCode::FLP}};
        for (const Choice& c : choices) {
            QTest::mouseClick(Find<QRadioButton>(blocks, c.order), Qt::LeftButton, {}, QPoint(6, 6));
            QTest::mouseClick(Find<QRadioButton>(blocks, c.type), Qt::LeftButton, {}, QPoint(6, 6));
            QCOMPARE(blocks->StageType(), c.code);
        }
        // First-order stages are lowpass or highpass only.
        QVERIFY(!Find<QRadioButton>(blocks, "bandpass")->isEnabled());
        QTest::mouseClick(Find<QRadioButton>(blocks, "second"), Qt::LeftButton, {}, QPoint(6, 6));
        QTest::mouseClick(Find<QRadioButton>(blocks, "bandpass"), Qt::LeftButton, {}, QPoint(6, 6));
        QTest::mouseClick(Find<QRadioButton>(blocks, "first"), Qt::LeftButton, {}, QPoint(6, 6));
        QCOMPARE(blocks->StageType(), int(StageCode::FLP));
    }

private:
    // Checks the rows against the stage records: coefficients from wp, Qp and wc in the
    // unit of the page, and the literal 0 and 1.0 of the type.
    static void CheckPage(const draw::TransferFunctionPage& page, const StageTables& tables, bool hz) {
        QCOMPARE(page.heads[8], std::string(hz ? "fp" : "wp"));
        QCOMPARE(page.heads[10], std::string(hz ? "fz" : "wz"));
        QCOMPARE(page.rows.size(), std::size_t{4});
        const double unit = hz ? kTwoPi : 1;
        for (size_t k = 0; k < page.rows.size(); ++k) {
            const auto& row = page.rows[k];
            const StageRecord& stage = tables.Stage[k + 1];
            QCOMPARE(row[0], std::to_string(k + 1));
            auto value = [&](int column) { return QString::fromStdString(row[size_t(column)]).toDouble(); };
            if (stage.StageType == StageCode::FLP) {
                const double fc = double(static_cast<long double>(stage.Wc)) / unit;
                for (int column : {2, 3, 5}) QCOMPARE(row[size_t(column)], std::string("0"));
                QCOMPARE(row[6], std::string("1.0"));
                QVERIFY(Near(value(4), fc, 1e-7) && Near(value(7), fc, 1e-7));
                QCOMPARE(row[8], std::string("----"));
                QCOMPARE(row[9], std::string("----"));
            } else {
                QCOMPARE(stage.StageType, StageCode::SLP);
                const double fp = double(static_cast<long double>(stage.Wp)) / unit;
                const double qp = double(static_cast<long double>(stage.Qp));
                QCOMPARE(row[2], std::string("0"));
                QCOMPARE(row[3], std::string("0"));
                QCOMPARE(row[5], std::string("1.0"));
                QVERIFY(Near(value(4), fp * fp, 1e-7));
                QVERIFY(Near(value(7), fp * fp, 1e-7));
                QVERIFY(Near(value(6), fp / qp, 1e-7));
                QVERIFY(Near(value(8), fp, 1e-7));
                QVERIFY(Near(value(9), qp, 1e-7));
            }
            QCOMPARE(row[10], std::string("----"));
        }
    }

    ProgramSession session_;
};

QTEST_MAIN(StageResultsTest)
#include "stage_results_test.moc"
