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

// A pole (cross) or zero (circle) of the pole-zero plot; a root of higher multiplicity
// has its count written beside it.
struct Marker {
    enum class Shape { Cross, Circle };
    QPointF at;
    Shape shape = Shape::Cross;
    QColor color;
    int multiplicity = 1;
};

// A part of the specification mask: over the band xLo..xHi (either may lie beyond the
// axis, infinities included) the response must stay above `level` (a passband: the region
// below is shaded) or below it (a stopband: the region above is shaded).
struct MaskBand {
    double xLo, xHi, level;
    bool passband;
};

struct PlotSpec {
    QString xTitle, yTitle;
    bool logX = false;
    double xLo = 0, xHi = 1, yLo = 0, yHi = 1;
    bool grid = true;
    bool originLines = false;             // the axes of the s-plane through 0
    bool equalScales = false;             // one unit is as long on both axes
    std::optional<double> referenceLevel;  // the 3 dB line
    std::vector<MaskBand> mask;
    std::vector<Curve> curves;
    std::vector<Marker> markers;
};

// The font of every plot text.
QFont PlotFont();

// The narrowest a plot of equal scales is drawn, as its width over its height: the horizontal
// range is widened about its middle up to it (the s-plane of a narrow bandpass filter).
inline constexpr double kNarrowestEqualScales = 0.6;

// The spec with its horizontal range widened as far as a plot of equal scales needs to keep
// a readable shape in the rectangle; other specs unchanged. Drawing and mouse mapping both
// start from it.
PlotSpec FittedToRect(const PlotSpec& spec, const QRectF& rect, const QFontMetricsF& metrics);

// Where the parts of a plot go inside the rectangle it is drawn in, and the mapping
// between data and device coordinates of its axes. With equal scales the area inside the
// axes takes the shape of the data ranges, centered in the room there is.
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
