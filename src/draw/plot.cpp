#include "draw/plot.h"

#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "draw/axis_scale.h"

namespace tavrel::draw {

namespace {

constexpr double kTickLength = 4;
constexpr double kGap = 4;
constexpr double kSwatch = 22;
const QColor kGridColor(205, 205, 205);
const QColor kMinorGridColor(232, 232, 232);

struct TickLabel {
    double value;
    QString text;
};

std::vector<AxisTick> XTicks(const PlotSpec& spec) {
    return spec.logX ? LogTicks(spec.xLo, spec.xHi) : LinearTicks(spec.xLo, spec.xHi, 8);
}
std::vector<AxisTick> YTicks(const PlotSpec& spec) { return LinearTicks(spec.yLo, spec.yHi, 8); }

std::vector<TickLabel> Labels(const PlotSpec& spec, const std::vector<AxisTick>& ticks, bool xAxis) {
    std::vector<TickLabel> labels;
    const double step = xAxis ? RoundStep(spec.xHi - spec.xLo, 8) : RoundStep(spec.yHi - spec.yLo, 8);
    for (const AxisTick& t : ticks) {
        if (!t.major) continue;
        const std::string text = xAxis && spec.logX ? LogTickLabel(t.value) : LinearTickLabel(t.value, step);
        labels.push_back({t.value, QString::fromStdString(text)});
    }
    return labels;
}

double WidestLabel(const std::vector<TickLabel>& labels, const QFontMetricsF& metrics) {
    double widest = 0;
    for (const TickLabel& l : labels) widest = std::max(widest, metrics.horizontalAdvance(l.text));
    return widest;
}

}  // namespace

QFont PlotFont() {
    QFont font("Arial");
    font.setPointSizeF(9);
    return font;
}

PlotLayout::PlotLayout(const PlotSpec& spec, const QRectF& rect, const QFontMetricsF& metrics) : spec_(spec) {
    const double line = metrics.height();
    const double yLabels = WidestLabel(Labels(spec, YTicks(spec), false), metrics);
    double legendWidth = 0;
    for (const Curve& c : spec.curves)
        if (!c.legend.isEmpty()) legendWidth = std::max(legendWidth, kSwatch + kGap + metrics.horizontalAdvance(c.legend));
    const double left = rect.left() + kGap + line + kGap + yLabels + kTickLength + kGap;
    const double right = rect.right() - kGap - (legendWidth > 0 ? legendWidth + 3 * kGap : 2 * kGap);
    // Half a label above the top keeps the top tick label inside the rectangle.
    const double top = rect.top() + line;
    const double bottom = rect.bottom() - kGap - line - kGap - line - kTickLength;
    area_ = QRectF(QPointF(left, top), QPointF(std::max(left + 10, right), std::max(top + 10, bottom)));
    if (spec.equalScales && spec.xHi > spec.xLo && spec.yHi > spec.yLo) {
        const double scale = std::min(area_.width() / (spec.xHi - spec.xLo), area_.height() / (spec.yHi - spec.yLo));
        const QSizeF size((spec.xHi - spec.xLo) * scale, (spec.yHi - spec.yLo) * scale);
        area_ = QRectF(QPointF(area_.center().x() - size.width() / 2, area_.center().y() - size.height() / 2), size);
    }
    if (legendWidth > 0) {
        int count = 0;
        for (const Curve& c : spec.curves) count += c.legend.isEmpty() ? 0 : 1;
        legend_ = QRectF(area_.right() + 2 * kGap, area_.top(), legendWidth + kGap, count * (line + kGap) + kGap);
    }
}

PlotSpec FittedToRect(const PlotSpec& spec, const QRectF& rect, const QFontMetricsF& metrics) {
    if (!spec.equalScales || !(spec.xHi > spec.xLo) || !(spec.yHi > spec.yLo)) return spec;
    PlotSpec free = spec;
    free.equalScales = false;
    const QRectF room = PlotLayout(free, rect, metrics).Area();
    const double narrowest = std::min(kNarrowestEqualScales, room.width() / room.height());
    const double dy = spec.yHi - spec.yLo;
    PlotSpec fitted = spec;
    if ((spec.xHi - spec.xLo) / dy < narrowest) {
        const double middle = (spec.xLo + spec.xHi) / 2;
        fitted.xLo = middle - narrowest * dy / 2;
        fitted.xHi = middle + narrowest * dy / 2;
    }
    return fitted;
}

QPointF PlotLayout::ToDevice(QPointF data) const {
    double fx;
    if (spec_.logX)
        fx = (std::log10(data.x()) - std::log10(spec_.xLo)) / (std::log10(spec_.xHi) - std::log10(spec_.xLo));
    else
        fx = (data.x() - spec_.xLo) / (spec_.xHi - spec_.xLo);
    const double fy = (data.y() - spec_.yLo) / (spec_.yHi - spec_.yLo);
    return {area_.left() + fx * area_.width(), area_.bottom() - fy * area_.height()};
}

QPointF PlotLayout::ToData(QPointF device) const {
    const double fx = (device.x() - area_.left()) / area_.width();
    const double fy = (area_.bottom() - device.y()) / area_.height();
    const double x = spec_.logX
                         ? std::pow(10.0, std::log10(spec_.xLo) + fx * (std::log10(spec_.xHi) - std::log10(spec_.xLo)))
                         : spec_.xLo + fx * (spec_.xHi - spec_.xLo);
    return {x, spec_.yLo + fy * (spec_.yHi - spec_.yLo)};
}

namespace {

void DrawGridAndTicks(QPainter& p, const PlotSpec& spec, const PlotLayout& layout) {
    const QRectF& a = layout.Area();
    for (const AxisTick& t : XTicks(spec)) {
        const double x = layout.ToDevice({t.value, spec.yLo}).x();
        if (spec.grid) {
            p.setPen(QPen(t.major ? kGridColor : kMinorGridColor, 0));
            p.drawLine(QPointF(x, a.top()), QPointF(x, a.bottom()));
        }
        p.setPen(QPen(Qt::black, 0));
        p.drawLine(QPointF(x, a.bottom()), QPointF(x, a.bottom() + (t.major ? kTickLength : kTickLength / 2)));
    }
    for (const AxisTick& t : YTicks(spec)) {
        const double y = layout.ToDevice({spec.logX ? spec.xLo : 0, t.value}).y();
        if (spec.grid) {
            p.setPen(QPen(kGridColor, 0));
            p.drawLine(QPointF(a.left(), y), QPointF(a.right(), y));
        }
        p.setPen(QPen(Qt::black, 0));
        p.drawLine(QPointF(a.left() - kTickLength, y), QPointF(a.left(), y));
    }
}

void DrawLabelsAndTitles(QPainter& p, const QRectF& rect, const PlotSpec& spec, const PlotLayout& layout) {
    const QRectF& a = layout.Area();
    const QFontMetricsF metrics(p.font());
    const double line = metrics.height();
    p.setPen(Qt::black);
    double lastRight = -1e9;
    for (const TickLabel& l : Labels(spec, XTicks(spec), true)) {
        const double x = layout.ToDevice({l.value, spec.yLo}).x();
        const double w = metrics.horizontalAdvance(l.text);
        if (x - w / 2 < lastRight + kGap) continue;  // never let labels run into each other
        p.drawText(QRectF(x - w / 2, a.bottom() + kTickLength + kGap / 2, w, line), Qt::AlignCenter, l.text);
        lastRight = x + w / 2;
    }
    for (const TickLabel& l : Labels(spec, YTicks(spec), false)) {
        const double y = layout.ToDevice({spec.logX ? spec.xLo : 0, l.value}).y();
        p.drawText(QRectF(rect.left(), y - line / 2, a.left() - kTickLength - kGap - rect.left(), line),
                   Qt::AlignRight | Qt::AlignVCenter, l.text);
    }
    // The titles keep to the axes, also where a plot of equal scales leaves room around them.
    p.drawText(QRectF(a.left(), a.bottom() + kTickLength + kGap + line, a.width(), line), Qt::AlignCenter,
               spec.xTitle);
    const double yLabels = WidestLabel(Labels(spec, YTicks(spec), false), metrics);
    p.save();
    p.translate(std::max(rect.left() + kGap, a.left() - kTickLength - kGap - yLabels - kGap - line), a.center().y());
    p.rotate(-90);
    p.drawText(QRectF(-a.height() / 2, 0, a.height(), line), Qt::AlignCenter, spec.yTitle);
    p.restore();
}

// Splits the curve where a value is not finite.
void DrawCurve(QPainter& p, const PlotSpec& spec, const PlotLayout& layout, const Curve& curve) {
    QPainterPath path;
    bool open = false;
    for (const QPointF& d : curve.points) {
        if (!std::isfinite(d.x()) || !std::isfinite(d.y()) || (spec.logX && d.x() <= 0)) {
            open = false;
            continue;
        }
        // Far values are pulled in so that device coordinates stay small; the clip keeps
        // them outside, and a notch line still runs through the bottom edge.
        const double reach = 10 * (spec.yHi - spec.yLo);
        const QPointF at = layout.ToDevice({d.x(), std::clamp(d.y(), spec.yLo - reach, spec.yHi + reach)});
        if (open)
            path.lineTo(at);
        else
            path.moveTo(at);
        open = true;
    }
    p.setPen(QPen(curve.color, 1.6));
    p.drawPath(path);
}

void DrawMarker(QPainter& p, const PlotLayout& layout, const Marker& m) {
    const QPointF c = layout.ToDevice(m.at);
    constexpr double r = 4.5;
    p.setPen(QPen(m.color, 1.6));
    p.setBrush(Qt::NoBrush);
    if (m.shape == Marker::Shape::Circle) {
        p.drawEllipse(c, r, r);
    } else {
        p.drawLine(c + QPointF(-r, -r), c + QPointF(r, r));
        p.drawLine(c + QPointF(-r, r), c + QPointF(r, -r));
    }
    if (m.multiplicity > 1) {
        // Above and right of the marker, clear of the vertical axis through a zero at 0.
        const QFontMetricsF metrics(p.font());
        const QString count = QString::number(m.multiplicity);
        const QRectF box(c.x() + r + 1, c.y() - r - metrics.height(), metrics.horizontalAdvance(count) + 2,
                         metrics.height());
        p.fillRect(box, Qt::white);
        p.drawText(box, Qt::AlignCenter, count);
    }
}

// The shaded regions of the specification mask, drawn the way the specification template
// shows them: hatched where the response must not go, bounded by a firm line.
void DrawMask(QPainter& p, const PlotSpec& spec, const PlotLayout& layout) {
    const QRectF& a = layout.Area();
    for (const MaskBand& band : spec.mask) {
        const double lo = std::max(band.xLo, spec.xLo), hi = std::min(band.xHi, spec.xHi);
        if (!(hi > lo)) continue;
        const double left = layout.ToDevice({lo, spec.yLo}).x(), right = layout.ToDevice({hi, spec.yLo}).x();
        const double y = std::clamp(layout.ToDevice({lo, band.level}).y(), a.top(), a.bottom());
        const QRectF shaded(QPointF(left, band.passband ? y : a.top()), QPointF(right, band.passband ? a.bottom() : y));
        p.fillRect(shaded, QBrush(QColor(150, 150, 150), Qt::BDiagPattern));
        p.setPen(QPen(QColor(60, 60, 60), 1.5));
        p.drawLine(QPointF(left, y), QPointF(right, y));
        const double far = band.passband ? a.bottom() : a.top();
        if (band.xLo > spec.xLo) p.drawLine(QPointF(left, y), QPointF(left, far));
        if (band.xHi < spec.xHi) p.drawLine(QPointF(right, y), QPointF(right, far));
    }
}

void DrawLegend(QPainter& p, const PlotSpec& spec, const PlotLayout& layout) {
    if (layout.Legend().isEmpty()) return;
    const QFontMetricsF metrics(p.font());
    const double line = metrics.height();
    double y = layout.Legend().top() + kGap;
    for (const Curve& c : spec.curves) {
        if (c.legend.isEmpty()) continue;
        const double x = layout.Legend().left();
        p.setPen(QPen(c.color, 2.5));
        p.drawLine(QPointF(x, y + line / 2), QPointF(x + kSwatch, y + line / 2));
        p.setPen(Qt::black);
        p.drawText(QRectF(x + kSwatch + kGap, y, layout.Legend().right() - x - kSwatch, line),
                   Qt::AlignLeft | Qt::AlignVCenter, c.legend);
        y += line + kGap;
    }
}

}  // namespace

void DrawPlot(QPainter& painter, const QRectF& rect, const PlotSpec& shown, const std::optional<QRectF>& zoomRect) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setFont(PlotFont());
    painter.fillRect(rect, Qt::white);
    const PlotSpec spec = FittedToRect(shown, rect, QFontMetricsF(painter.font()));
    const PlotLayout layout(spec, rect, QFontMetricsF(painter.font()));
    const QRectF& area = layout.Area();

    DrawGridAndTicks(painter, spec, layout);
    DrawLabelsAndTitles(painter, rect, spec, layout);

    painter.save();
    painter.setClipRect(area.adjusted(-1, -1, 1, 1));
    DrawMask(painter, spec, layout);
    if (spec.originLines) {
        painter.setPen(QPen(Qt::darkGray, 0, Qt::DashLine));
        const QPointF o = layout.ToDevice({0, 0});
        painter.drawLine(QPointF(area.left(), o.y()), QPointF(area.right(), o.y()));
        painter.drawLine(QPointF(o.x(), area.top()), QPointF(o.x(), area.bottom()));
    }
    if (spec.referenceLevel) {
        const double y = layout.ToDevice({spec.logX ? spec.xLo : 0, *spec.referenceLevel}).y();
        painter.setPen(QPen(QColor(180, 0, 0), 1, Qt::DashLine));
        painter.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
    }
    for (const Curve& c : spec.curves) DrawCurve(painter, spec, layout, c);
    for (const Marker& m : spec.markers) DrawMarker(painter, layout, m);
    painter.restore();

    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area);
    DrawLegend(painter, spec, layout);
    if (zoomRect) {
        painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
        painter.drawRect(zoomRect->normalized());
    }
    painter.restore();
}

}  // namespace tavrel::draw
