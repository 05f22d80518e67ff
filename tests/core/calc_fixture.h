#pragma once
#include <string>

#include "core/bessel_prototype.h"
#include "core/calculate.h"

namespace tavrel::testing {

inline CalcEnvironment Env() { return {std::string(TAVREL_BIN_DIR) + "/" + kBesselTableName}; }

// Entries of a design of the kind, with the changes the test makes.
struct Spec {
    FilterKind kind = FilterKind::Lowpass;
    std::string apb = "0.5", asb = "30", f1 = "", f2 = "", f0 = "", gain = "", forced = "";
    bool hz = true;
    int unit = 1;
};

inline SpecEntries EntriesOf(const Spec& spec) {
    SpecEntries e = DefaultEntries(spec.kind, false);
    e.Apb = spec.apb;
    e.Asb = spec.asb;
    if (!spec.f1.empty()) e.F1 = spec.f1;
    if (!spec.f2.empty()) e.F2 = spec.f2;
    if (!spec.f0.empty()) e.F0 = spec.f0;
    if (!spec.gain.empty()) e.Gain = spec.gain;
    if (!spec.forced.empty()) e.ForceOrder = true, e.ForcedOrder = spec.forced;
    e.UnitIndex = {spec.unit, spec.unit, spec.unit};
    return e;
}

inline DesignState Calculated(const Spec& spec, CalcOutcome* outcome = nullptr) {
    DesignState state;
    state.FilterKind = spec.kind;
    state.HzUnits = spec.hz;
    const CalcOutcome result = Calculate(state, EntriesOf(spec), Env());
    if (outcome) *outcome = result;
    return state;
}

}  // namespace tavrel::testing
