#include "circuits/schematic/schematic_connectivity.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <tuple>

namespace tavrel::schematic {

namespace {

// Union-find over the grid points the drawing mentions.
class PointSets {
public:
    int Id(GridPoint p) {
        const auto [it, added] = ids_.try_emplace(p, static_cast<int>(parent_.size()));
        if (added) parent_.push_back(it->second);
        return it->second;
    }
    int Find(GridPoint p) { return Root(Id(p)); }
    void Join(GridPoint a, GridPoint b) { parent_[Root(Id(a))] = Root(Id(b)); }

private:
    int Root(int i) {
        while (parent_[i] != i) i = parent_[i] = parent_[parent_[i]];
        return i;
    }
    std::map<GridPoint, int> ids_;
    std::vector<int> parent_;
};

bool OnSegment(GridPoint p, const SchematicWire& w) {
    const long long cross = static_cast<long long>(w.to.x - w.from.x) * (p.y - w.from.y) -
                            static_cast<long long>(w.to.y - w.from.y) * (p.x - w.from.x);
    return cross == 0 && p.x >= std::min(w.from.x, w.to.x) && p.x <= std::max(w.from.x, w.to.x) &&
           p.y >= std::min(w.from.y, w.to.y) && p.y <= std::max(w.from.y, w.to.y);
}

// The point of the one terminal with the role, or a problem text.
std::optional<GridPoint> TerminalPoint(const SchematicDrawing& d, TerminalRole role, const char* what,
                                       std::vector<std::string>& problems) {
    std::optional<GridPoint> found;
    int count = 0;
    for (const SchematicTerminal& t : d.terminals) {
        if (t.role != role) continue;
        found = t.at;
        ++count;
    }
    if (count != 1) problems.push_back(std::string("the drawing has ") + std::to_string(count) + " " + what);
    return count == 1 ? found : std::nullopt;
}

}  // namespace

DrawnCircuit TraceCircuit(const SchematicDrawing& drawing) {
    DrawnCircuit circuit;
    PointSets sets;
    for (const SchematicWire& w : drawing.wires) sets.Join(w.from, w.to);
    for (const SchematicJunction& j : drawing.junctions) {
        for (const SchematicWire& w : drawing.wires) {
            if (OnSegment(j.at, w)) sets.Join(j.at, w.from);
        }
    }
    for (const SchematicGround& g : drawing.grounds) sets.Join(g.at, drawing.grounds.front().at);
    for (const SchematicTerminal& t : drawing.terminals) {
        if (t.role == TerminalRole::Unnamed) circuit.problems.push_back("a terminal has neither \"V i\" nor \"V o\"");
    }

    // The fixed nodes: ground, input, output.
    std::map<int, int> nodeOfSet;
    if (!drawing.grounds.empty()) nodeOfSet[sets.Find(drawing.grounds.front().at)] = 0;
    const auto input = TerminalPoint(drawing, TerminalRole::Input, "input terminals (\"V i\")", circuit.problems);
    const auto output = TerminalPoint(drawing, TerminalRole::Output, "output terminals (\"V o\")", circuit.problems);
    for (const auto& [point, node, what] : {std::tuple{input, 1, "input"}, std::tuple{output, 2, "output"}}) {
        if (!point) continue;
        const auto [it, added] = nodeOfSet.try_emplace(sets.Find(*point), node);
        if (!added) circuit.problems.push_back(std::string("the ") + what + " terminal is wired to another fixed node");
    }

    std::vector<const SchematicSymbol*> symbols;
    for (const SchematicSymbol& s : drawing.symbols) symbols.push_back(&s);
    std::stable_sort(symbols.begin(), symbols.end(), [](const SchematicSymbol* a, const SchematicSymbol* b) {
        return std::tie(a->kind, a->number) < std::tie(b->kind, b->number);
    });
    std::set<std::string> names;
    int nextNode = 3;
    for (const SchematicSymbol* s : symbols) {
        DrawnElement e{SymbolName(*s), {}};
        if (!names.insert(e.name).second) circuit.problems.push_back(e.name + " is drawn twice");
        for (const GridPoint& pin : s->pins) {
            const auto [it, added] = nodeOfSet.try_emplace(sets.Find(pin), nextNode);
            if (added) ++nextNode;
            e.nodes.push_back(it->second);
        }
        circuit.elements.push_back(std::move(e));
    }
    return circuit;
}

}  // namespace tavrel::schematic
