// The approximation window: choosing, pages, zoom and unzoom, axes and the point
// calculator, after a Calculate in the specification window.
#include <QAction>
#include <QCheckBox>
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
        session_.CalculateDefaults();
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
        // The default lowpass settles within a few milliseconds and its group delay peaks
        // above 1 ms (Chebyshev), both shown in milliseconds; the s-plane in kHz as s / 2 pi.
        const Page pages[] = {
            {draw::GraphPage::Gain, "Frequency  (Hz)", "Gain  (dB)"},
            {draw::GraphPage::Phase, "Frequency  (Hz)", "Phase (degrees)"},
            {draw::GraphPage::Delay, "Frequency  (Hz)", "Delay  (ms)"},
            {draw::GraphPage::Step, "Time  (ms)", "Step Response (volts)"},
            {draw::GraphPage::Impulse, "Time  (ms)", "Impulse Response (X1e3 volts)"},
            {draw::GraphPage::PoleZero, "Re[s]/2\u03C0  (kHz)", "Im[s]/2\u03C0  (kHz)"},
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

    // The gain page of a specified filter shows the mask: below -Apb up to the passband
    // edge, above -Asb from the stopband edge; the check box takes it away.
    void theGainPageShowsTheSpecificationMask() {
        graph_->SetPage(draw::GraphPage::Gain);
        const auto& mask = graph_->View()->Plot().mask;
        QCOMPARE(mask.size(), std::size_t{2});
        QVERIFY(mask[0].passband && !mask[1].passband);
        QCOMPARE(mask[0].level, -0.5);
        QCOMPARE(mask[1].level, -30.0);
        QVERIFY(std::fabs(mask[0].xHi / 1000 - 1) < 1e-12);  // Hz
        QVERIFY(std::fabs(mask[1].xLo / 2000 - 1) < 1e-12);
        QVERIFY(std::isinf(mask[1].xHi));
        // Every curve keeps out of the shaded regions inside the axis range.
        for (const draw::Curve& curve : graph_->View()->Plot().curves)
            for (const QPointF& p : curve.points) {
                if (p.x() <= 1000) QVERIFY2(p.y() >= -0.5 - 1e-6, qPrintable(curve.legend));
                if (p.x() >= 2000) QVERIFY2(p.y() <= -30 + 1e-6, qPrintable(curve.legend));
            }
        QTest::mouseClick(Find<QCheckBox>(graph_, "mask"), Qt::LeftButton, {}, QPoint(6, 6));
        QVERIFY(graph_->View()->Plot().mask.empty());
        QTest::mouseClick(Find<QCheckBox>(graph_, "mask"), Qt::LeftButton, {}, QPoint(6, 6));
        QCOMPARE(graph_->View()->Plot().mask.size(), std::size_t{2});
    }

    // Equal scales: one kHz is as long on both axes, so the Butterworth poles, all at the
    // radius of the 3 dB frequency, are drawn on a circle.
    void theButterworthPolesLieOnADrawnCircle() {
        graph_->SetPage(draw::GraphPage::PoleZero);
        GraphView* view = graph_->View();
        const draw::PlotSpec fitted =
            draw::FittedToRect(view->Plot(), QRectF(view->rect()), QFontMetricsF(draw::PlotFont(), view));
        const draw::PlotLayout layout(fitted, QRectF(view->rect()), QFontMetricsF(draw::PlotFont(), view));
        const QPointF origin = layout.ToDevice({0, 0});
        const double unitX = layout.ToDevice({1, 0}).x() - origin.x();
        const double unitY = origin.y() - layout.ToDevice({0, 1}).y();
        QVERIFY2(std::fabs(unitX / unitY - 1) < 1e-9, qPrintable(QString("%1 %2").arg(unitX).arg(unitY)));
        std::vector<double> radii;
        for (const draw::Marker& m : view->Plot().markers) {
            const QPointF d = layout.ToDevice(m.at) - origin;
            radii.push_back(std::hypot(d.x(), d.y()));
        }
        QCOMPARE(radii.size(), std::size_t{7});
        for (double r : radii) QVERIFY(std::fabs(r / radii.front() - 1) < 1e-6);
        // The range is fitted to the roots: they reach within the margin of the top and bottom.
        const double top = view->Plot().yHi;
        double highest = 0;
        for (const draw::Marker& m : view->Plot().markers) highest = std::max(highest, m.at.y());
        QVERIFY(highest / top > 0.8);
    }

    void timeAxesEndAfterTheSettlingInMilliseconds() {
        graph_->SetPage(draw::GraphPage::Step);
        const draw::PlotSpec& plot = graph_->View()->Plot();
        QCOMPARE(plot.xTitle, QString("Time  (ms)"));
        QCOMPARE(plot.xHi, static_cast<double>(session_.main()->State().TimeSpan) * 1e3);
        QCOMPARE(plot.curves.front().points.back().x(), plot.xHi);
    }

    void anOrderBelowOneIsShownUnusable() {
        DesignState& state = session_.main()->State();
        state.Approx[Chebyshev].Order = 0;  // as the library leaves a specification that asks for no filter
        QTest::mouseClick(Find<QRadioButton>(graph_, "approx1"), Qt::LeftButton, {}, QPoint(6, 6));
        graph_->Redisplay();
        QCOMPARE(Find<QLabel>(graph_, "order1")->text(), QString("N < 1"));
        QVERIFY(!Find<QRadioButton>(graph_, "approx1")->isEnabled());
        QVERIFY(!Find<QRadioButton>(graph_, "approx1")->toolTip().isEmpty());
        QCOMPARE(graph_->CheckedApprox(), 0);  // the first usable one is checked instead
        for (int approx = 0; approx < kApproxCount; ++approx) state.Approx[approx].Order = 0;
        graph_->Redisplay();
        QVERIFY(!Find<QPushButton>(graph_, "next")->isEnabled());
        QVERIFY(!session_.main()->Command("Next")->isEnabled());
    }

    // A highpass of order 7 has a 7-fold zero at the origin, written beside its circle.
    void aRepeatedZeroCarriesItsMultiplicity() {
        session_.messages()->Answer(MessageAnswer::No);  // the lowpass of init goes
        session_.CalculateDefaults("Highpass");
        TfmGraph* graph = session_.main()->Graph();
        graph->SetPage(draw::GraphPage::PoleZero);
        const auto& markers = graph->View()->Plot().markers;
        int circles = 0;
        for (const draw::Marker& m : markers) {
            if (m.shape != draw::Marker::Shape::Circle) continue;
            ++circles;
            QCOMPARE(m.at, QPointF(0, 0));
            QCOMPARE(m.multiplicity, 7);
        }
        QCOMPARE(circles, 1);
        QCOMPARE(markers.size(), std::size_t{8});
    }

    // The bandpass s-plane is fitted to its roots: they fill the height, and the plot area is
    // narrower than tall rather than mostly empty.
    void theBandpassPlaneIsFittedToItsRoots() {
        session_.messages()->Answer(MessageAnswer::No);
        session_.CalculateDefaults("Bandpass");
        TfmGraph* graph = session_.main()->Graph();
        graph->SetPage(draw::GraphPage::PoleZero);
        GraphView* view = graph->View();
        const draw::PlotSpec& plot = view->Plot();
        double top = 0, left = 0;
        for (const draw::Marker& m : plot.markers) {
            top = std::max(top, m.at.y());
            left = std::min(left, m.at.x());
        }
        QVERIFY(top / plot.yHi > 0.8);
        QVERIFY(left / plot.xLo > 0.5);
        const QFontMetricsF metrics(draw::PlotFont(), view);
        const draw::PlotSpec fitted = draw::FittedToRect(plot, QRectF(view->rect()), metrics);
        const draw::PlotLayout layout(fitted, QRectF(view->rect()), metrics);
        QVERIFY(layout.Area().width() < layout.Area().height());
    }

private:
    ProgramSession session_;
    TfmGraph* graph_ = nullptr;
};

QTEST_MAIN(ApproximationWindowTest)
#include "approximation_window_test.moc"
