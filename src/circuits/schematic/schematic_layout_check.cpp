#include "circuits/schematic/schematic_layout_check.h"

#include <algorithm>
#include <map>
#include <sstream>

#include "circuits/schematic/schematic_geometry.h"

namespace tavrel::schematic {

namespace {

std::string At(GridPoint p) {
    std::ostringstream out;
    out << "(" << p.x << "," << p.y << ")";
    return out.str();
}

bool IsEnd(GridPoint p, const SchematicWire& w) { return p == w.from || p == w.to; }

// p strictly between the ends of an axis-parallel wire.
bool InsideWire(GridPoint p, const SchematicWire& w) {
    if (IsEnd(p, w)) return false;
    if (w.from.x == w.to.x) return p.x == w.from.x && p.y > std::min(w.from.y, w.to.y) && p.y < std::max(w.from.y, w.to.y);
    if (w.from.y == w.to.y) return p.y == w.from.y && p.x > std::min(w.from.x, w.to.x) && p.x < std::max(w.from.x, w.to.x);
    return false;
}

bool Overlap(const GridRect& a, const GridRect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Whether an axis-parallel wire runs through the rectangle (touching its edge counts).
bool WireThrough(const SchematicWire& w, const GridRect& r) {
    if (w.from.x == w.to.x) {
        const double x = w.from.x;
        return x >= r.left && x <= r.right && std::min(w.from.y, w.to.y) < r.bottom && std::max(w.from.y, w.to.y) > r.top;
    }
    if (w.from.y == w.to.y) {
        const double y = w.from.y;
        return y >= r.top && y <= r.bottom && std::min(w.from.x, w.to.x) < r.right && std::max(w.from.x, w.to.x) > r.left;
    }
    return false;
}

bool InGrid(double x, double y) { return x >= 0 && x <= kGridColumns && y >= 0 && y <= kGridRows; }

class Checker {
public:
    explicit Checker(const SchematicDrawing& d) : d_(d) {
        for (const SchematicWire& w : d.wires) {
            ++ends_[w.from];
            ++ends_[w.to];
        }
        for (const SchematicSymbol& s : d.symbols) {
            for (const GridPoint& p : s.pins) ++items_[p];
        }
        for (const SchematicTerminal& t : d.terminals) ++items_[t.at];
        for (const SchematicGround& g : d.grounds) ++items_[g.at];
        for (const SchematicJunction& j : d.junctions) dots_[j.at] = true;
    }

    std::vector<std::string> Run() {
        WireEnds();
        Branches();
        Pins();
        Wires();
        Outlines();
        return std::move(faults_);
    }

private:
    int PassingWires(GridPoint p) const {
        return static_cast<int>(std::count_if(d_.wires.begin(), d_.wires.end(), [&](const SchematicWire& w) { return InsideWire(p, w); }));
    }
    int Count(const std::map<GridPoint, int>& m, GridPoint p) const {
        const auto it = m.find(p);
        return it == m.end() ? 0 : it->second;
    }

    void WireEnds() {
        for (const auto& [p, n] : ends_) {
            const bool dot = dots_.count(p) > 0;
            if (PassingWires(p) > 0 && !dot) faults_.push_back("a wire ends on another wire without a dot at " + At(p));
            if (n == 1 && Count(items_, p) == 0 && !dot && PassingWires(p) == 0) {
                faults_.push_back("a wire end touches nothing at " + At(p));
            }
        }
    }

    void Branches() {
        std::map<GridPoint, bool> points;
        for (const auto& [p, n] : ends_) points[p] = true;
        for (const auto& [p, n] : items_) points[p] = true;
        for (const auto& [p, dot] : dots_) points[p] = true;
        for (const auto& [p, unused] : points) {
            const int branches = Count(ends_, p) + Count(items_, p) + 2 * PassingWires(p);
            const bool dot = dots_.count(p) > 0;
            if (branches >= 3 && !dot) faults_.push_back(std::to_string(branches) + " branches meet without a dot at " + At(p));
            if (branches < 3 && dot) faults_.push_back("a dot where only " + std::to_string(branches) + " branches meet at " + At(p));
        }
    }

    void Pins() {
        for (const SchematicSymbol& s : d_.symbols) {
            for (const GridPoint& p : s.pins) {
                if (PassingWires(p) > 0 && !dots_.count(p)) faults_.push_back("a pin of " + SymbolName(s) + " lies on a passing wire at " + At(p));
                if (Count(ends_, p) + Count(items_, p) < 2 && !dots_.count(p)) {
                    faults_.push_back("a pin of " + SymbolName(s) + " is not connected at " + At(p));
                }
            }
        }
    }

    void Wires() {
        for (size_t i = 0; i < d_.wires.size(); ++i) {
            const SchematicWire& a = d_.wires[i];
            if (a.from.x != a.to.x && a.from.y != a.to.y) faults_.push_back("a slanted wire from " + At(a.from));
            if (a.from == a.to) faults_.push_back("a wire of no length at " + At(a.from));
            for (size_t j = i + 1; j < d_.wires.size(); ++j) {
                const SchematicWire& b = d_.wires[j];
                const bool sameColumn = a.from.x == a.to.x && b.from.x == b.to.x && a.from.x == b.from.x;
                const bool sameRow = a.from.y == a.to.y && b.from.y == b.to.y && a.from.y == b.from.y;
                if (!sameColumn && !sameRow) continue;
                const auto lo = [&](const SchematicWire& w) { return sameRow ? std::min(w.from.x, w.to.x) : std::min(w.from.y, w.to.y); };
                const auto hi = [&](const SchematicWire& w) { return sameRow ? std::max(w.from.x, w.to.x) : std::max(w.from.y, w.to.y); };
                if (std::max(lo(a), lo(b)) < std::min(hi(a), hi(b))) faults_.push_back("two wires over each other near " + At(a.from));
            }
        }
    }

    void Outlines() {
        std::vector<std::pair<std::string, GridRect>> outlines;
        for (const SchematicSymbol& s : d_.symbols) outlines.push_back({SymbolName(s), s.body});
        for (const SchematicGround& g : d_.grounds) outlines.push_back({"the ground at " + At(g.at), GroundOutline(g)});
        for (size_t i = 0; i < outlines.size(); ++i) {
            const GridRect& r = outlines[i].second;
            if (!InGrid(r.left, r.top) || !InGrid(r.right, r.bottom)) faults_.push_back(outlines[i].first + " leaves the grid");
            for (size_t j = i + 1; j < outlines.size(); ++j) {
                if (Overlap(r, outlines[j].second)) faults_.push_back(outlines[i].first + " overlaps " + outlines[j].first);
            }
            for (const SchematicWire& w : d_.wires) {
                if (WireThrough(w, r)) faults_.push_back("a wire from " + At(w.from) + " to " + At(w.to) + " runs through " + outlines[i].first);
            }
        }
        for (const SchematicWire& w : d_.wires) {
            if (!InGrid(w.from.x, w.from.y) || !InGrid(w.to.x, w.to.y)) faults_.push_back("a wire leaves the grid at " + At(w.from));
        }
    }

    const SchematicDrawing& d_;
    std::map<GridPoint, int> ends_;   // wire ends at each point
    std::map<GridPoint, int> items_;  // pins, terminals and grounds at each point
    std::map<GridPoint, bool> dots_;
    std::vector<std::string> faults_;
};

}  // namespace

std::vector<std::string> SchematicLayoutFaults(const SchematicDrawing& drawing) { return Checker(drawing).Run(); }

}  // namespace tavrel::schematic
