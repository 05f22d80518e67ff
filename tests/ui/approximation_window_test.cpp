// The approximation window: choosing, pages, zoom and unzoom, axes and the point
// calculator, after a Calculate in the specification window.
#include <QAction>
#include <QClipboard>
#include <cmath>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>

#include "draw/plot.h"
#include "ui/graph_view.h"
#include "ui/tfm_axes.h"
#include "ui/tfm_graph.h"
#include "ui/tfm_par_ent.h"
#include "ui/tfm_point_calc.h"
#include "ui_test_support.h"

using namespace tavrel;
using namespace tavrel::ui;
using namespace tavrel::ui::test;

class ApproximationWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        session_.Start();
        session_.main()->Command("Lowpass")->trigger();
        Click(session_.main()->ParEnt(), "calculate");
        Click(session_.main()->ParEnt(), "next");
        graph_ = session_.main()->Graph();
        graph_->resize(1000, 600);
        QApplication::processEvents();
    }
    void cleanup() { session_.Stop(); }

    void nextOpensTheWindowWithTheOrders() {
        QVERIFY(graph_->isVisible());
        QVERIFY(!session_.main()->ParEnt()->isVisible());
        QCOMPARE(session_.main()->State().DesignStep, Step::SpecificationDone);
        QCOMPARE(Find<QLabel>(graph_, "order0")->text(), QString("N = 7"));
        QCOMPARE(Find<QRadioButton>(graph_, "approx3")->text(), QString(" Elliptic  (Cauer)  "));
        QVERIFY(Find<QRadioButton>(graph_, "approx0")->isChecked());
    }

    void tooHighAnApproximationIsDisabled() {
        // Bessel needs more than order 20 for 30 dB an octave away.
        QCOMPARE(Find<QLabel>(graph_, "order4")->text(), QString("N > 20"));
        QVERIFY(!Find<QRadioButton>(graph_, "approx4")->isEnabled());
        QCOMPARE(graph_->ShownApprox(), std::vector<int>({0, 1, 2, 3}));
        QCOMPARE(graph_->View()->Plot().curves.size(), std::size_t{4});
    }

    void choosingAnApproximation() {
        QTest::mouseClick(Find<QRadioButton>(graph_, "approx1"), Qt::LeftButton, {}, QPoint(6, 6));
        const DesignState& state = session_.main()->State();
        QCOMPARE(int(state.ChosenApprox), 1);
        QCOMPARE(state.DesignStep, Step::ApproximationChosen);
        QVERIFY(state.DesignModified && state.Recalculated);
        QTest::mouseClick(Find<QRadioButton>(graph_, "viewSingle"), Qt::LeftButton, {}, QPoint(6, 6));
        QCOMPARE(graph_->View()->Plot().curves.size(), std::size_t{1});
        QVERIFY(graph_->View()->Plot().curves[0].legend.startsWith("Chebyshev"));
        QVERIFY(graph_->View()->Plot().curves[0].legend.endsWith("N = 4"));
    }

    void pagesHaveTheirAxisTitles() {
        struct Page {
            draw::GraphPage page;
            QString x, y;
        };
        const QString time = QString("Time (X1e%1 s)").arg(session_.main()->State().TimeExponent);
        const Page pages[] = {
            {draw::GraphPage::Gain, "Frequency  (Hz)", "Gain  (dB)"},
            {draw::GraphPage::Phase, "Frequency  (Hz)", "Phase (degrees)"},
            {draw::GraphPage::Delay, "Frequency  (Hz)", "Delay (X1e-3 s)"},
            {draw::GraphPage::Step, time, "Step Response (volts)"},
            {draw::GraphPage::Impulse, time, "Impulse Response (X1e3 volts)"},
            {draw::GraphPage::PoleZero, "Re[s]", "Im[s]"},
        };
        for (const Page& p : pages) {
            graph_->SetPage(p.page);
            QCOMPARE(graph_->View()->Plot().xTitle, p.x);
            QCOMPARE(graph_->View()->Plot().yTitle, p.y);
        }
        // Seven poles of the Butterworth filter, no finite zeros.
        QCOMPARE(graph_->View()->Plot().markers.size(), std::size_t{7});
        auto* listing = Find<QPlainTextEdit>(graph_, "listing");
        QVERIFY(listing->isVisible());
        QCOMPARE(listing->toPlainText().count("Pole pair"), 3);
        QCOMPARE(listing->toPlainText().count("Single pole"), 1);
    }

    void gainCurveMeetsTheSpecificationAtTheEdges() {
        // Butterworth: -0.5 dB at 1 kHz, 0 dB at the low end, below -30 dB at 2 kHz.
        const auto& points = graph_->View()->Plot().curves[0].points;
        QVERIFY(std::fabs(points.front().y()) < 1e-3);
        Click(graph_, "pointCalculator");
        auto* calculator = graph_->findChild<TfmPointCalc*>();
        Retype(Find<QLineEdit>(calculator, "frequency"), "1000");
        Click(calculator, "calculate");
        QCOMPARE(Find<QLabel>(calculator, "gainDb")->text(), QString("-5.00000E-1  dB"));
        Retype(Find<QLineEdit>(calculator, "frequency"), "2000");
        Click(calculator, "calculate");
        QVERIFY(Find<QLabel>(calculator, "gainDb")->text().startsWith("-3"));
    }

    void zoomAndUnzoom() {
        const DesignState& state = session_.main()->State();
        const double lo = state.FreqLo, hi = state.FreqHi;
        GraphView* view = graph_->View();
        const draw::PlotLayout layout(view->Plot(), QRectF(view->rect()), QFontMetricsF(draw::PlotFont(), view));
        const QPoint from = layout.ToDevice({500, 0}).toPoint();
        const QPoint to = layout.ToDevice({2000, -20}).toPoint();
        QTest::mousePress(view, Qt::LeftButton, {}, from);
        QTest::mouseMove(view, (from + to) / 2);
        QTest::mouseMove(view, to);
        QTest::mouseRelease(view, Qt::LeftButton, {}, to);
        QCOMPARE(graph_->ZoomDepth(), std::size_t{1});
        QVERIFY(std::fabs(state.FreqLo / 500 - 1) < 0.02);
        QVERIFY(std::fabs(state.FreqHi / 2000 - 1) < 0.02);
        QVERIFY(std::fabs(view->Plot().yLo + 20) < 0.5);
        // The grid was rebuilt over the zoomed band and the curves recomputed on it.
        QVERIFY(std::fabs(state.FreqGrid[0].F / state.FreqLo - 1) < 1e-9);
        QVERIFY(Find<QPushButton>(graph_, "unzoom")->isEnabled());

        // A rectangle drawn towards the upper left does not zoom.
        QTest::mousePress(view, Qt::LeftButton, {}, to);
        QTest::mouseRelease(view, Qt::LeftButton, {}, from);
        QCOMPARE(graph_->ZoomDepth(), std::size_t{1});

        Click(graph_, "unzoom");
        QCOMPARE(graph_->ZoomDepth(), std::size_t{0});
        QCOMPARE(static_cast<double>(state.FreqLo), lo);
        QCOMPARE(static_cast<double>(state.FreqHi), hi);
        QVERIFY(!Find<QPushButton>(graph_, "unzoom")->isEnabled());
    }

    void configureAxesToVoltsPerVolt() {
        Click(graph_, "configureAxes");
        auto* axes = graph_->findChild<TfmAxes*>();
        QVERIFY(axes->isVisible());
        QTest::mouseClick(Find<QRadioButton>(axes, "vv"), Qt::LeftButton, {}, QPoint(6, 6));
        QTest::mouseClick(Find<QRadioButton>(axes, "linearFrequency"), Qt::LeftButton, {}, QPoint(6, 6));
        axes->accept();
        QCOMPARE(graph_->View()->Plot().yTitle, QString("Gain  (Vo/Vin)"));
        QVERIFY(!graph_->View()->Plot().logX);
        QVERIFY(!session_.main()->State().DbDisplay);
        QVERIFY(std::fabs(*graph_->View()->Plot().referenceLevel - 1 / std::sqrt(2.0)) < 1e-6);
    }

    void nextIsOfferedAndBackReturns() {
        QVERIFY(Find<QPushButton>(graph_, "next")->isEnabled());
        Click(graph_, "back");
        QVERIFY(!graph_->isVisible());
        QVERIFY(session_.main()->ParEnt()->isVisible());
        QVERIFY(!session_.main()->State().Recalculated);
    }

    void copyPutsTheGraphOnTheClipboard() {
        QVERIFY(session_.main()->Command("Copy to Clipboard")->isEnabled());
        session_.main()->Command("Copy to Clipboard")->trigger();
        const QImage image = QGuiApplication::clipboard()->image();
        QCOMPARE(image.size(), graph_->View()->size());
    }

private:
    ProgramSession session_;
    TfmGraph* graph_ = nullptr;
};

QTEST_MAIN(ApproximationWindowTest)
#include "approximation_window_test.moc"
