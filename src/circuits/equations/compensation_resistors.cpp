#include "circuits/equations/compensation_resistors.h"

#include <algorithm>
#include <vector>

namespace tavrel {

namespace {

constexpr int kGround = 0;
constexpr int kOutput = 2;

bool Touches(const TemplateElement& e, int node) { return std::find(e.nodes.begin(), e.nodes.end(), node) != e.nodes.end(); }

const TemplateElement* Resistor(const Topology& t, int number) {
    for (const TemplateElement& e : t.elements)
        if (e.kind == 'R' && e.number == number) return &e;
    return nullptr;
}

// The resistors at the first op amp's non-inverting input: the parallel value of those from
// the stage output, and of all others.
struct InputDivider {
    long double fromOutput = 0, others = 0;
};

InputDivider NonInvertingInputDivider(const Topology& plain, const ComponentValues& values) {
    int input = -1;
    for (const TemplateElement& e : plain.elements)
        if (e.kind == 'X' && e.number == 1) input = e.nodes[0];
    long double toOutput = 0, toOthers = 0;  // conductances
    for (const TemplateElement& e : plain.elements) {
        if (e.kind != 'R' || !Touches(e, input)) continue;
        const long double g = 1 / values.R[static_cast<size_t>(e.number)];
        (Touches(e, kOutput) ? toOutput : toOthers) += g;
    }
    return {toOutput > 0 ? 1 / toOutput : 0, toOthers > 0 ? 1 / toOthers : 0};
}

}  // namespace

ComponentValues WithCompensationResistors(const CircuitDefinition& circuit, ComponentValues values) {
    if (!circuit.compensated) return values;
    const int n = circuit.resistorCount;
    const Topology& t = circuit.compensated->topology;
    if (t.resistorCount != n + 2 || n < 2 || t.resistorCount > kMaxResistors) return values;
    const TemplateElement *first = Resistor(t, n - 1), *second = Resistor(t, n);
    const TemplateElement *addedFirst = Resistor(t, n + 1), *addedSecond = Resistor(t, n + 2);
    if (!first || !second || !addedFirst || !addedSecond) return values;
    long double& a = values.R[static_cast<size_t>(n + 1)];
    long double& b = values.R[static_cast<size_t>(n + 2)];
    const bool dividerToGround = Touches(*first, kGround) != Touches(*second, kGround) &&
                                 Touches(*addedFirst, kGround) != Touches(*addedSecond, kGround);
    if (dividerToGround) {
        const long double grounded = values.R[static_cast<size_t>(Touches(*first, kGround) ? n - 1 : n)];
        const long double other = values.R[static_cast<size_t>(Touches(*first, kGround) ? n : n - 1)];
        a = Touches(*addedFirst, kGround) ? grounded : other;
        b = Touches(*addedSecond, kGround) ? grounded : other;
        return values;
    }
    const InputDivider divider = NonInvertingInputDivider(circuit.plain.topology, values);
    a = Touches(*addedFirst, kOutput) ? divider.fromOutput : divider.others;
    b = Touches(*addedSecond, kOutput) ? divider.fromOutput : divider.others;
    return values;
}

}  // namespace tavrel
