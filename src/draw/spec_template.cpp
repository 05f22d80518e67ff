#include "draw/spec_template.h"

#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace tavrel::draw {

namespace {

// Attenuations of the picture on a drawing scale (not true dB): passband ripple,
// stopband attenuation and the depth of the plot.
constexpr double kApb = 8, kAsb = 42, kDepth = 62;
// The band edges as fractions of the frequency axis.
constexpr double kLowEdge = 0.38, kHighEdge = 0.62, kOuterLow = 0.25, kOuterHigh = 0.75;

struct Band {
    double from, to;
};

struct Shape {
    std::vector<Band> passbands, stopbands;
    // The prototype frequency u of a point of the axis: 0..1 passband, above the
    // stopband edge ratio the stopband.
    double (*prototype)(double x);
    double stopbandRatio;
};

double LowpassU(double x) { return x / kLowEdge; }
double HighpassU(double x) { return x <= 0 ? 1e9 : kHighEdge / x; }
double BandpassU(double x) { return std::fabs(x - 0.5) / (0.5 - kLowEdge); }
double BandstopU(double x) {
    const double d = std::fabs(x - 0.5);
    return d <= 0 ? 1e9 : (0.5 - kOuterLow) / d;
}

Shape ShapeOf(FilterKind kind) {
    switch (kind) {
        case FilterKind::Highpass: return {{{kHighEdge, 1}}, {{0, kLowEdge}}, HighpassU, kHighEdge / kLowEdge};
        case FilterKind::Bandpass:
            return {{{kLowEdge, kHighEdge}}, {{0, kOuterLow}, {kOuterHigh, 1}}, BandpassU,
                    (0.5 - kOuterLow) / (0.5 - kLowEdge)};
        case FilterKind::Bandstop:
            return {{{0, kOuterLow}, {kOuterHigh, 1}}, {{kLowEdge, kHighEdge}}, BandstopU,
                    (0.5 - kOuterLow) / (0.5 - kLowEdge)};
        default: return {{{0, kLowEdge}}, {{kHighEdge, 1}}, LowpassU, kHighEdge / kLowEdge};
    }
}

// A response that ripples in the passband, falls through the transition band and
// ripples below the stopband limit.
double Attenuation(double u, double stopbandRatio) {
    if (u <= 1) return kApb * (1 - std::cos(3 * M_PI * u)) / 2;
    if (u < stopbandRatio) {
        const double t = (u - 1) / (stopbandRatio - 1);
        return kApb + (kAsb + 4 - kApb) * t * t * (3 - 2 * t);
    }
    return kAsb + 4 + (kDepth - kAsb - 6) * std::fabs(std::sin(1.5 * M_PI * std::log(u / stopbandRatio)));
}

void Hatch(QPainter& p, const QRectF& r) {
    p.fillRect(r, QBrush(QColor(150, 150, 150), Qt::BDiagPattern));
    p.setPen(QPen(Qt::black, 1.5));
}

}  // namespace

void DrawSpecificationTemplate(QPainter& p, const QRectF& rect, FilterKind kind, bool hzUnits) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.fillRect(rect, Qt::white);
    QFont font("Arial");
    font.setPointSizeF(10);
    p.setFont(font);
    const QFontMetricsF m(font);
    const double line = m.height();
    const QRectF plot = rect.adjusted(m.horizontalAdvance("-Asb") + 20, line, -line, -3.5 * line);
    auto X = [&](double f) { return plot.left() + f * plot.width(); };
    auto Y = [&](double a) { return plot.top() + a / kDepth * plot.height(); };

    const Shape shape = ShapeOf(kind);
    for (const Band& b : shape.passbands) {
        Hatch(p, QRectF(QPointF(X(b.from), Y(kApb)), QPointF(X(b.to), plot.bottom())));
        p.drawLine(QPointF(X(b.from), Y(kApb)), QPointF(X(b.to), Y(kApb)));
        if (b.from > 0) p.drawLine(QPointF(X(b.from), Y(kApb)), QPointF(X(b.from), plot.bottom()));
        if (b.to < 1) p.drawLine(QPointF(X(b.to), Y(kApb)), QPointF(X(b.to), plot.bottom()));
    }
    for (const Band& b : shape.stopbands) {
        Hatch(p, QRectF(QPointF(X(b.from), plot.top()), QPointF(X(b.to), Y(kAsb))));
        p.drawLine(QPointF(X(b.from), Y(kAsb)), QPointF(X(b.to), Y(kAsb)));
        if (b.from > 0) p.drawLine(QPointF(X(b.from), plot.top()), QPointF(X(b.from), Y(kAsb)));
        if (b.to < 1) p.drawLine(QPointF(X(b.to), plot.top()), QPointF(X(b.to), Y(kAsb)));
    }

    QPainterPath curve;
    for (int i = 0; i <= 400; ++i) {
        const double x = i / 400.0;
        const QPointF at(X(x), Y(std::min(kDepth, Attenuation(shape.prototype(x), shape.stopbandRatio))));
        if (i == 0)
            curve.moveTo(at);
        else
            curve.lineTo(at);
    }
    p.setPen(QPen(QColor(0, 70, 200), 2));
    p.drawPath(curve);

    // Axes and the names of the entries.
    p.setPen(QPen(Qt::black, 1.5));
    p.drawLine(plot.topLeft(), plot.bottomLeft());
    p.drawLine(plot.bottomLeft(), plot.bottomRight());
    p.setPen(Qt::black);
    auto leftLabel = [&](double a, const QString& text) {
        p.drawText(QRectF(rect.left(), Y(a) - line / 2, plot.left() - rect.left() - 6, line),
                   Qt::AlignRight | Qt::AlignVCenter, text);
    };
    leftLabel(0, "0 dB");
    leftLabel(kApb, "-Apb");
    leftLabel(kAsb, "-Asb");
    const QString f = hzUnits ? "f" : QString(QChar(0x03C9));
    auto below = [&](double x, const QString& text, double row) {
        p.drawText(QRectF(X(x) - 40, plot.bottom() + 4 + row * line, 80, line), Qt::AlignCenter, text);
    };
    auto span = [&](double from, double to, const QString& text, double row) {
        const double y = plot.bottom() + 4 + row * line + line / 2;
        p.drawLine(QPointF(X(from), y), QPointF(X(to), y));
        for (double end : {from, to}) p.drawLine(QPointF(X(end), y - 4), QPointF(X(end), y + 4));
        p.fillRect(QRectF(X(0.5) - 20, y - line / 2, 40, line), Qt::white);
        p.drawText(QRectF(X(0.5) - 20, y - line / 2, 40, line), Qt::AlignCenter, text);
    };
    switch (kind) {
        case FilterKind::Highpass:
            below(kLowEdge, f + "sb", 0);
            below(kHighEdge, f + "pb", 0);
            break;
        case FilterKind::Bandpass:
            below(0.5, f + "0", 0);
            span(kLowEdge, kHighEdge, "Bpb", 1);
            span(kOuterLow, kOuterHigh, "Bsb", 2);
            break;
        case FilterKind::Bandstop:
            below(0.5, f + "0", 0);
            span(kLowEdge, kHighEdge, "Bsb", 1);
            span(kOuterLow, kOuterHigh, "Bpb", 2);
            break;
        default:
            below(kLowEdge, f + "pb", 0);
            below(kHighEdge, f + "sb", 0);
            break;
    }
    p.drawText(QRectF(plot.right() - 60, plot.bottom() + 4, 60, line), Qt::AlignRight, f);
    p.restore();
}

}  // namespace tavrel::draw
