#pragma once
#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <optional>
#include <vector>

namespace tavrel::draw {

// One curve of a plot in data coordinates. Lines to points outside the axes are cut at
// the edges, so that a notch (a point far below) is drawn down to the bottom.
struct Curve {
    std::vector<QPointF> points;
    QColor color;
    QString legend;  // empty: no legend line
};

// A pole (cross) or zero (circle) of the pole-zero plot.
struct Marker {
    enum class Shape { Cross, Circle };
    QPointF at;
    Shape shape = Shape::Cross;
    QColor color;
};

struct PlotSpec {
    QString xTitle, yTitle;
    bool logX = false;
    double xLo = 0, xHi = 1, yLo = 0, yHi = 1;
    bool grid = true;
    bool originLines = false;             // the axes of the s-plane through 0
    std::optional<double> referenceLevel;  // the 3 dB line
    std::vector<Curve> curves;
    std::vector<Marker> markers;
};

// The font of every plot text.
QFont PlotFont();

// Where the parts of a plot go inside the rectangle it is drawn in, and the mapping
// between data and device coordinates of its axes.
class PlotLayout {
public:
    PlotLayout(const PlotSpec& spec, const QRectF& rect, const QFontMetricsF& metrics);

    const QRectF& Area() const { return area_; }      // inside the axes
    const QRectF& Legend() const { return legend_; }  // empty when no curve has a legend
    QPointF ToDevice(QPointF data) const;
    QPointF ToData(QPointF device) const;

private:
    const PlotSpec& spec_;
    QRectF area_, legend_;
};

// Draws the whole plot: grid, axes with round ticks, titles, the 3 dB line, curves,
// markers and legend; with zoomRect (device coordinates) also the rubber band.
void DrawPlot(QPainter& painter, const QRectF& rect, const PlotSpec& spec,
              const std::optional<QRectF>& zoomRect = std::nullopt);

}  // namespace tavrel::draw
