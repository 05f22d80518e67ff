#include <QGuiApplication>
#include <QImage>
#include <gtest/gtest.h>

#include "draw/legend_names.h"
#include "draw/plot.h"

namespace tavrel::draw {
namespace {

// Fonts need a running application.
QGuiApplication& App() {
    static int argc = 1;
    static char name[] = "tavrel_draw_tests";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    return app;
}

PlotSpec LogPlot() {
    PlotSpec spec;
    spec.logX = true;
    spec.xLo = 100, spec.xHi = 10000, spec.yLo = -70, spec.yHi = 10;
    spec.curves.push_back({{{100, 0}, {1000, -3}, {1900, -40}, {2000, -200}, {2100, -40}, {10000, -60}},
                           Qt::blue, "Butterworth N = 7"});
    return spec;
}

TEST(PlotLayout, MapsDataToDeviceAndBack) {
    App();
    const PlotSpec spec = LogPlot();
    const PlotLayout layout(spec, QRectF(0, 0, 600, 400), QFontMetricsF(PlotFont()));
    EXPECT_NEAR(layout.ToDevice({100, -70}).x(), layout.Area().left(), 1e-9);
    EXPECT_NEAR(layout.ToDevice({100, -70}).y(), layout.Area().bottom(), 1e-9);
    EXPECT_NEAR(layout.ToDevice({1000, 0}).x(), layout.Area().center().x(), 1e-9);  // a decade is half the axis
    const QPointF back = layout.ToData(layout.ToDevice({3162, -42}));
    EXPECT_NEAR(back.x(), 3162, 1e-6);
    EXPECT_NEAR(back.y(), -42, 1e-9);
    EXPECT_GT(layout.Legend().width(), 0);
    EXPECT_GE(layout.Legend().left(), layout.Area().right());
    EXPECT_LE(layout.Legend().right(), 600);
}

TEST(DrawPlot, ANotchReachesTheBottomOfTheAxis) {
    App();
    const PlotSpec spec = LogPlot();
    QImage image(600, 400, QImage::Format_RGB32);
    QPainter p(&image);
    DrawPlot(p, QRectF(image.rect()), spec);
    p.end();
    const PlotLayout layout(spec, QRectF(image.rect()), QFontMetricsF(PlotFont()));
    // The -200 dB point lies far below the axis; the lines to it run through the bottom edge.
    const double bottom = layout.Area().bottom() - 1.5;
    const int from = static_cast<int>(layout.ToDevice({1900, 0}).x());
    const int to = static_cast<int>(layout.ToDevice({2100, 0}).x());
    int curvePixels = 0;
    for (int x = from; x <= to; ++x) {
        const QColor c = image.pixelColor(x, static_cast<int>(bottom));
        curvePixels += c.blue() > 150 && c.red() < 120;
    }
    EXPECT_GE(curvePixels, 2);
}

TEST(AlignedApproxNames, EndInNAndAreNoWiderThanButterworth) {
    App();
    const QFontMetricsF metrics(PlotFont());
    const auto names = AlignedApproxNames(metrics);
    EXPECT_EQ(names[0], "Butterworth               N");
    const double limit = metrics.horizontalAdvance(names[0]);
    for (const QString& name : names) {
        EXPECT_TRUE(name.endsWith(" N")) << name.toStdString();
        // Removing one more blank would make it narrower than needed, or it has none left.
        EXPECT_LE(metrics.horizontalAdvance(name), limit + metrics.horizontalAdvance(' ')) << name.toStdString();
    }
    EXPECT_TRUE(names[4].startsWith("Bessel (Thompson) "));
}

}  // namespace
}  // namespace tavrel::draw
