#include "draw/schematic_painter.h"

#include <QFontMetricsF>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

#include "circuits/schematic/schematic_geometry.h"
#include "core/number_format.h"

namespace tavrel::draw {

using schematic::GridPoint;
using schematic::GridRect;
using schematic::GridSpot;
using schematic::PenColour;
using schematic::SchematicDrawing;
using schematic::SchematicSymbol;
using schematic::Side;
using schematic::SymbolKind;

namespace {

// Areas this wide keep a margin, 20 pixels at the sides and 10 at top and bottom, so the
// drawing does not touch the window's frame; smaller areas, such as previews, use every pixel.
constexpr double kMarginFromWidth = 641;
constexpr double kMarginX = 20;
constexpr double kMarginY = 10;

const QColor kLabelGreen(0, 128, 0);
// The stock bullet follows a value in stock after one blank.
const QString kStockMark = QStringLiteral(" \u2022");

QColor PenColourOf(PenColour c) { return c == PenColour::Blue ? QColor(Qt::blue) : QColor(Qt::black); }

// The lines written beside a resistor or capacitor.
QString ValueText(const SchematicSymbol& s, const SchematicValues* values) {
    QString text = QString::fromStdString(schematic::SymbolName(s));
    if (!values) return text;
    const auto& list = s.kind == SymbolKind::Resistor ? values->resistors : values->capacitors;
    if (s.number < 1 || s.number > static_cast<int>(list.size())) return text;
    const SchematicComponentValue& v = list[s.number - 1];
    const auto format = [&](double x) {
        return QString::fromStdString(TrimLeading(s.kind == SymbolKind::Resistor ? FormatResistance(x) : FormatCapacitance(x)));
    };
    text += "\n" + format(v.userFixed ? v.userValue : v.value);
    if (v.inStock) text += kStockMark;
    if (v.exact > 0 && !v.userFixed) text += "\n(" + format(v.exact) + ")";
    return text;
}

// A block of lines placed against a spot, growing towards the side.
QRectF BlockAt(QPointF spot, Side side, QSizeF size) {
    switch (side) {
        case Side::Up: return {spot.x() - size.width() / 2, spot.y() - size.height(), size.width(), size.height()};
        case Side::Down: return {spot.x() - size.width() / 2, spot.y(), size.width(), size.height()};
        case Side::Left: return {spot.x() - size.width(), spot.y() - size.height() / 2, size.width(), size.height()};
        case Side::Right: return {spot.x(), spot.y() - size.height() / 2, size.width(), size.height()};
    }
    return {};
}

Qt::Alignment AlignmentFor(Side side) {
    switch (side) {
        case Side::Left: return Qt::AlignRight | Qt::AlignVCenter;
        case Side::Right: return Qt::AlignLeft | Qt::AlignVCenter;
        default: return Qt::AlignHCenter | Qt::AlignVCenter;
    }
}

QSizeF BlockSize(const QFontMetricsF& metrics, const QString& text) {
    double width = 0;
    const QStringList lines = text.split('\n');
    for (const QString& line : lines) width = std::max(width, metrics.horizontalAdvance(line));
    return {std::ceil(width) + 1, lines.size() * metrics.lineSpacing()};
}

void DrawTwoPole(QPainter& p, const SchematicGrid& g, const SchematicSymbol& s) {
    const QPointF a = g.At(s.pins[0]);
    const QPointF b = g.At(s.pins[1]);
    const QRectF body = g.Rect(s.body);
    const bool across = s.pins[0].y == s.pins[1].y;
    // Leads from each pin to the body's near edge.
    const QPointF bodyStart = across ? QPointF(a.x() < b.x() ? body.left() : body.right(), a.y())
                                     : QPointF(a.x(), a.y() < b.y() ? body.top() : body.bottom());
    const QPointF bodyEnd = across ? QPointF(a.x() < b.x() ? body.right() : body.left(), a.y())
                                   : QPointF(a.x(), a.y() < b.y() ? body.bottom() : body.top());
    if (s.kind == SymbolKind::Capacitor) {
        p.drawLine(a, bodyStart);
        p.drawLine(bodyEnd, b);
        if (across) {
            p.drawLine(QPointF(body.left(), body.top()), QPointF(body.left(), body.bottom()));
            p.drawLine(QPointF(body.right(), body.top()), QPointF(body.right(), body.bottom()));
        } else {
            p.drawLine(QPointF(body.left(), body.top()), QPointF(body.right(), body.top()));
            p.drawLine(QPointF(body.left(), body.bottom()), QPointF(body.right(), body.bottom()));
        }
        return;
    }
    // Resistor: a zigzag of six strokes across the body.
    constexpr int kStrokes = 6;
    QPolygonF zigzag;
    zigzag << a << bodyStart;
    for (int i = 1; i < kStrokes; ++i) {
        const double t = static_cast<double>(i) / kStrokes;
        const QPointF along = bodyStart + (bodyEnd - bodyStart) * t;
        const double offset = (i % 2 ? 1 : -1) * (across ? body.height() : body.width()) / 2;
        zigzag << (across ? QPointF(along.x(), along.y() + offset) : QPointF(along.x() + offset, along.y()));
    }
    zigzag << bodyEnd << b;
    p.drawPolyline(zigzag);
}

void DrawOpAmp(QPainter& p, const SchematicGrid& g, const SchematicSymbol& s) {
    const QRectF body = g.Rect(s.body);
    const bool right = s.direction == Side::Right;
    const double back = right ? body.left() : body.right();
    const double tip = right ? body.right() : body.left();
    const QPointF out = g.At(s.pins[2]);
    p.drawPolygon(QPolygonF{{QPointF(back, body.top()), QPointF(back, body.bottom()), QPointF(tip, out.y())}});
    p.drawLine(QPointF(tip, out.y()), out);
    const double sign = g.Unit() * 0.3;
    const double inward = (right ? 1 : -1) * g.Unit() * 0.75;
    for (int pin = 0; pin < 2; ++pin) {
        const QPointF in = g.At(s.pins[pin]);
        p.drawLine(in, QPointF(back, in.y()));
        const QPointF c(back + inward, in.y());
        p.drawLine(c - QPointF(sign, 0), c + QPointF(sign, 0));
        if (pin == 0) p.drawLine(c - QPointF(0, sign), c + QPointF(0, sign));
    }
}

void DrawGround(QPainter& p, const SchematicGrid& g, const schematic::SchematicGround& ground) {
    const QPointF at = g.At(ground.at);
    const QRectF outline = g.Rect(schematic::GroundOutline(ground));
    const double halfWidth = outline.width() / 2;
    if (ground.style == schematic::GroundStyle::Bars) {
        // Three bars, each narrower, the widest a little below the lead's end.
        const double top = outline.top() + outline.height() * 0.25;
        p.drawLine(at, QPointF(at.x(), top));
        for (int i = 0; i < 3; ++i) {
            const double y = top + i * (outline.bottom() - top) / 2;
            const double w = halfWidth * (1.0 - 0.35 * i);
            p.drawLine(QPointF(at.x() - w, y), QPointF(at.x() + w, y));
        }
        return;
    }
    const double top = outline.top() + outline.height() * 0.2;
    p.drawLine(at, QPointF(at.x(), top));
    p.drawPolygon(QPolygonF{{QPointF(at.x() - halfWidth, top), QPointF(at.x() + halfWidth, top),
                             QPointF(at.x(), outline.bottom())}});
}

}  // namespace

QPointF SchematicGrid::At(GridPoint p) const { return origin + QPointF(p.x * cellWidth, p.y * cellHeight); }
QPointF SchematicGrid::At(GridSpot p) const { return origin + QPointF(p.x * cellWidth, p.y * cellHeight); }
QRectF SchematicGrid::Rect(const GridRect& r) const {
    return QRectF(At(GridSpot{r.left, r.top}), At(GridSpot{r.right, r.bottom}));
}
double SchematicGrid::Unit() const { return std::min(cellWidth, cellHeight); }

SchematicGrid SchematicGridFor(const QRectF& area) {
    SchematicGrid g;
    const bool margin = area.width() >= kMarginFromWidth;
    // The margin is kept on both sides, so the grid's far edge stays inside the area too.
    const QPointF shift = margin ? QPointF(kMarginX, kMarginY) : QPointF(0, 0);
    g.cellWidth = (area.width() - 2 * shift.x()) / schematic::kGridColumns;
    g.cellHeight = (area.height() - 2 * shift.y()) / schematic::kGridRows;
    g.origin = area.topLeft() + shift;
    return g;
}

QFont SchematicFont(const SchematicGrid& grid) {
    QFont font("Arial");
    // A text line about as high as a row (so texts scale with the drawing on a printer page),
    // never unreadably small.
    const double size = std::max(7.0, 0.8 * std::min(grid.cellHeight, 1.3 * grid.cellWidth));
    font.setPixelSize(static_cast<int>(std::lround(size)));
    return font;
}

std::vector<PlacedSchematicText> PlaceSchematicTexts(QPaintDevice* device, const QRectF& area,
                                                     const SchematicDrawing& drawing, const SchematicValues* values) {
    const SchematicGrid g = SchematicGridFor(area);
    const QFontMetricsF metrics(SchematicFont(g), device);
    std::vector<PlacedSchematicText> texts;
    for (const SchematicSymbol& s : drawing.symbols) {
        if (s.kind == SymbolKind::OpAmp) continue;
        const QString text = ValueText(s, values);
        texts.push_back({BlockAt(g.At(s.valueSpot), s.valueSide, BlockSize(metrics, text)), text, PenColourOf(s.colour),
                         AlignmentFor(s.valueSide)});
    }
    // Labels keep clear of the terminal circle they usually name.
    const double gap = g.Unit() * 0.8;
    for (const schematic::SchematicLabel& l : drawing.labels) {
        const QString text = QString::fromStdString(l.text);
        const QPointF at = g.At(l.at);
        const QPointF spot = l.side == Side::Left    ? at - QPointF(gap, 0)
                             : l.side == Side::Right ? at + QPointF(gap, 0)
                             : l.side == Side::Up    ? at - QPointF(0, gap)
                                                     : at + QPointF(0, gap);
        texts.push_back({BlockAt(spot, l.side, BlockSize(metrics, text)), text, kLabelGreen, AlignmentFor(l.side)});
    }
    return texts;
}

void PaintSchematic(QPainter& painter, const QRectF& area, const SchematicDrawing& drawing,
                    const SchematicValues* values) {
    const SchematicGrid g = SchematicGridFor(area);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const double width = std::max(1.0, g.Unit() / 9);
    const auto pen = [&](PenColour c) {
        painter.setPen(QPen(PenColourOf(c), width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    };
    painter.setBrush(Qt::NoBrush);
    for (const schematic::SchematicWire& w : drawing.wires) {
        pen(w.colour);
        painter.drawLine(g.At(w.from), g.At(w.to));
    }
    for (const SchematicSymbol& s : drawing.symbols) {
        pen(s.colour);
        if (s.kind == SymbolKind::OpAmp) {
            DrawOpAmp(painter, g, s);
        } else {
            DrawTwoPole(painter, g, s);
        }
    }
    for (const schematic::SchematicGround& ground : drawing.grounds) {
        pen(ground.colour);
        DrawGround(painter, g, ground);
    }
    const double dot = std::max(2.0, g.Unit() * 0.22);
    for (const schematic::SchematicJunction& j : drawing.junctions) {
        pen(j.colour);
        painter.setBrush(PenColourOf(j.colour));
        painter.drawEllipse(g.At(j.at), dot, dot);
    }
    // Terminals are hollow circles the wire ends at.
    painter.setBrush(Qt::white);
    for (const schematic::SchematicTerminal& t : drawing.terminals) {
        pen(t.colour);
        painter.drawEllipse(g.At(t.at), g.Unit() / 2, g.Unit() / 2);
    }
    painter.setBrush(Qt::NoBrush);
    painter.setFont(SchematicFont(g));
    for (const PlacedSchematicText& t : PlaceSchematicTexts(painter.device(), area, drawing, values)) {
        painter.setPen(t.colour);
        painter.drawText(t.rect, static_cast<int>(t.alignment), t.text);
    }
    painter.restore();
}

std::optional<SchematicSymbol> SchematicComponentAt(const QRectF& area, const SchematicDrawing& drawing, QPointF point) {
    const SchematicGrid g = SchematicGridFor(area);
    for (const SchematicSymbol& s : drawing.symbols) {
        if (s.kind != SymbolKind::OpAmp && g.Rect(s.clickRect).contains(point)) return s;
    }
    return std::nullopt;
}

}  // namespace tavrel::draw
