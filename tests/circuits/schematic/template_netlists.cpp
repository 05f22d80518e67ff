#include "template_netlists.h"

#include <set>
#include <sstream>

namespace tavrel::schematic::testing {

std::map<std::string, TemplateNetlist> ReadTemplateLibrary(const char* text) {
    std::map<std::string, TemplateNetlist> library;
    std::istringstream in(text);
    std::string line;
    TemplateNetlist* current = nullptr;
    while (std::getline(in, line)) {
        if (!line.empty() && line[0] == '[') {
            const std::string key = line.substr(1, line.find(']') - 1);
            current = key == "END" ? nullptr : &library[key];
            continue;
        }
        std::istringstream words(line);
        std::string name;
        if (!current || !(words >> name) || name[0] == '.') continue;
        const int pins = name[0] == 'X' ? 3 : 2;
        std::vector<int> nodes(pins);
        for (int& n : nodes) words >> n;
        (*current)[name] = nodes;
    }
    return library;
}

namespace {

// Node maps between the drawing and the template, kept one-to-one.
struct NodeMaps {
    std::map<int, int> forward{{0, 0}, {1, 1}, {2, 2}};  // drawn net -> template node
    std::map<int, int> backward{{0, 0}, {1, 1}, {2, 2}};

    bool Pair(int drawn, int node) {
        const auto f = forward.find(drawn);
        const auto b = backward.find(node);
        if (f != forward.end() || b != backward.end()) {
            return f != forward.end() && b != backward.end() && f->second == node && b->second == drawn;
        }
        forward[drawn] = node;
        backward[node] = drawn;
        return true;
    }

    bool PairAll(const std::vector<int>& drawn, const std::vector<int>& nodes) {
        NodeMaps trial = *this;
        if (drawn.size() != nodes.size()) return false;
        for (size_t i = 0; i < drawn.size(); ++i) {
            if (!trial.Pair(drawn[i], nodes[i])) return false;
        }
        *this = trial;
        return true;
    }
};

std::string Nodes(const std::vector<int>& nodes) {
    std::string text;
    for (int n : nodes) text += " " + std::to_string(n);
    return text;
}

// Whether the elements from i on can be paired, each resistor and capacitor either way
// round (a drawing may run them in either direction; op-amp pins have fixed roles).
bool PairFrom(size_t i, const std::vector<std::pair<std::vector<int>, std::vector<int>>>& pairs, const NodeMaps& maps) {
    if (i == pairs.size()) return true;
    const auto& [drawn, nodes] = pairs[i];
    NodeMaps trial = maps;
    if (trial.PairAll(drawn, nodes) && PairFrom(i + 1, pairs, trial)) return true;
    if (drawn.size() != 2) return false;
    trial = maps;
    return trial.PairAll({drawn[1], drawn[0]}, nodes) && PairFrom(i + 1, pairs, trial);
}

}  // namespace

std::string CircuitDifference(const DrawnCircuit& drawn, const TemplateNetlist& netlist) {
    std::ostringstream out;
    for (const std::string& p : drawn.problems) out << p << "; ";
    std::set<std::string> seen;
    std::vector<std::pair<std::vector<int>, std::vector<int>>> pairs;
    for (const DrawnElement& e : drawn.elements) {
        seen.insert(e.name);
        const auto found = netlist.find(e.name);
        if (found == netlist.end()) {
            out << e.name << " is drawn but not in the template; ";
        } else {
            pairs.push_back({e.nodes, found->second});
        }
    }
    for (const auto& [name, nodes] : netlist) {
        if (!seen.count(name)) out << name << " is in the template but not drawn; ";
    }
    if (PairFrom(0, pairs, NodeMaps())) return out.str();
    // Name the first element that cannot join the ones before it.
    for (size_t n = 1; n <= pairs.size(); ++n) {
        const std::vector<std::pair<std::vector<int>, std::vector<int>>> head(pairs.begin(), pairs.begin() + static_cast<long>(n));
        if (PairFrom(0, head, NodeMaps())) continue;
        for (const DrawnElement& e : drawn.elements) {
            if (e.nodes != head.back().first || netlist.find(e.name) == netlist.end() || netlist.at(e.name) != head.back().second) continue;
            out << e.name << " is drawn on nets" << Nodes(e.nodes) << ", the template has nodes" << Nodes(head.back().second)
                << ", which does not fit the elements before it; ";
            break;
        }
        break;
    }
    return out.str();
}

}  // namespace tavrel::schematic::testing
