#include "draw/schematic_text_check.h"

#include <QLineF>

#include "circuits/schematic/schematic_geometry.h"

namespace tavrel::draw {

namespace {

using schematic::SchematicSymbol;
using schematic::SymbolKind;

std::string Name(const QString& text) { return "\"" + text.section('\n', 0, 0).toStdString() + "\""; }

// Whether an axis-parallel segment enters the rectangle.
bool Crosses(const QLineF& line, const QRectF& r) {
    const QRectF span = QRectF(line.p1(), line.p2()).normalized();
    return span.left() <= r.right() && span.right() >= r.left() && span.top() <= r.bottom() && span.bottom() >= r.top();
}

// The lines a symbol draws outside its body rectangle: the leads.
std::vector<QLineF> LeadsOf(const SchematicGrid& g, const SchematicSymbol& s) {
    if (s.kind != SymbolKind::OpAmp) return {QLineF(g.At(s.pins[0]), g.At(s.pins[1]))};
    const QRectF body = g.Rect(s.body);
    const bool right = s.direction == schematic::Side::Right;
    std::vector<QLineF> leads;
    for (int pin = 0; pin < 2; ++pin) {
        const QPointF in = g.At(s.pins[pin]);
        leads.emplace_back(in, QPointF(right ? body.left() : body.right(), in.y()));
    }
    const QPointF out = g.At(s.pins[2]);
    leads.emplace_back(QPointF(right ? body.right() : body.left(), out.y()), out);
    return leads;
}

}  // namespace

std::vector<std::string> SchematicTextFaults(QPaintDevice* device, const QRectF& area,
                                             const schematic::SchematicDrawing& drawing,
                                             const SchematicValues* values) {
    const SchematicGrid g = SchematicGridFor(area);
    const std::vector<PlacedSchematicText> texts = PlaceSchematicTexts(device, area, drawing, values);
    // A text's block includes the line spacing; one pixel of it may touch a neighbour.
    const auto inner = [](const QRectF& r) { return r.adjusted(1, 1, -1, -1); };

    std::vector<std::pair<std::string, QRectF>> shapes;
    std::vector<std::pair<std::string, QLineF>> lines;
    for (const SchematicSymbol& s : drawing.symbols) {
        const std::string name = schematic::SymbolName(s);
        shapes.push_back({name, g.Rect(s.body)});
        for (const QLineF& lead : LeadsOf(g, s)) lines.push_back({"a lead of " + name, lead});
    }
    for (const auto& ground : drawing.grounds) {
        shapes.push_back({"a ground", g.Rect(schematic::GroundOutline(ground))});
        lines.push_back({"a ground lead", QLineF(g.At(ground.at), g.Rect(schematic::GroundOutline(ground)).center())});
    }
    const double terminal = g.Unit() / 2;
    for (const auto& t : drawing.terminals) {
        shapes.push_back({"a terminal", QRectF(g.At(t.at) - QPointF(terminal, terminal), QSizeF(2 * terminal, 2 * terminal))});
    }
    const double dot = std::max(2.0, g.Unit() * 0.22);
    for (const auto& j : drawing.junctions) {
        shapes.push_back({"a dot", QRectF(g.At(j.at) - QPointF(dot, dot), QSizeF(2 * dot, 2 * dot))});
    }
    for (const auto& w : drawing.wires) lines.push_back({"a wire", QLineF(g.At(w.from), g.At(w.to))});

    std::vector<std::string> faults;
    for (size_t i = 0; i < texts.size(); ++i) {
        const QRectF r = inner(texts[i].rect);
        const std::string name = Name(texts[i].text);
        if (!area.contains(texts[i].rect)) faults.push_back(name + " leaves the area");
        for (size_t j = i + 1; j < texts.size(); ++j) {
            if (r.intersects(inner(texts[j].rect))) faults.push_back(name + " covers " + Name(texts[j].text));
        }
        for (const auto& [what, shape] : shapes) {
            if (r.intersects(shape)) faults.push_back(name + " touches " + what);
        }
        for (const auto& [what, line] : lines) {
            if (Crosses(line, r)) faults.push_back(name + " touches " + what);
        }
    }
    return faults;
}

}  // namespace tavrel::draw
