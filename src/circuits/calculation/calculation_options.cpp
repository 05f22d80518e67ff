#include "circuits/calculation/calculation_options.h"

#include "circuits/calculation/recalculate.h"

namespace tavrel {

bool OffersC2Variable(const Design& design, int s) {
    const StageCircuitRecord& r = design.Circuit(s);
    return r.C2VariableOption && !r.EqualApplied;
}

void SetC2Variable(Design& design, int s, bool on) {
    if (!OffersC2Variable(design, s)) return;
    design.Circuit(s).C2Variable = on;
    design.Circuits.SavedC2Variable[static_cast<size_t>(s)] = on;
    RecalculateAll(design, false);
}

bool OffersEqualComponents(const Design& design, int s) {
    return design.Circuits.EqualOption[static_cast<size_t>(s)] != 0;
}

void SetEqualComponents(Design& design, int s, bool on) {
    if (!OffersEqualComponents(design, s)) return;
    StageCircuitRecord& r = design.Circuit(s);
    r.EqualApplied = on;
    design.Circuits.SavedEqual[static_cast<size_t>(s)] = on;
    if (on) {
        r.C2Variable = 0;
        design.Circuits.SavedC2Variable[static_cast<size_t>(s)] = 0;
    }
    RecalculateAll(design, true);
}

void SetStandardResistors(Design& design, bool on) {
    design.Circuits.AllResistorsStandard = on;
    RecalculateAll(design, true);
}

void SetRoundingStrategy(Design& design, RoundingStrategy strategy) {
    design.Options.Strategy = strategy;
    RecalculateAll(design, true);
}

void SetAllCapacitorsStandard(Design& design, bool on) {
    design.Options.AllCapsStandard = on;
    RecalculateAll(design, true);
}

}  // namespace tavrel
