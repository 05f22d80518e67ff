#pragma once
// Whole filters from the scipy fixtures of tools/make_approx_fixtures.py: the specification of
// a fixture designed down to component values, and the ideal response of its approximation as
// scipy gives it (poles, zeros and gain constant for an overall gain of 1).
#include <nlohmann/json.hpp>

#include <complex>
#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "analysis/workflow.h"
#include "circuits/adjustment/adjust_capacitor.h"
#include "circuits/calculation/calculation_options.h"
#include "circuits/calculation/recalculate.h"
#include "circuits/calculation/stage_gains.h"
#include "circuits/catalog/circuit_catalog.h"
#include "circuits/selection/select_circuit.h"
#include "core/bessel_prototype.h"
#include "core/calculate.h"

namespace tavrel::testing_support {

inline const char* const kFixtureCases[] = {
    "lp_default", "lp_1hz", "lp_100mhz_forced20", "lp_wide_rad", "lp_narrow_ell3", "lp_narrow_ell6",
    "lp_forced1", "lp_tiny_ripple_forced2", "hp_default", "hp_forced5_rad", "hp_50mhz", "bp_default",
    "bp_forced6", "bp_real_pair_forced2", "bp_narrow_order18", "bs_default", "bs_1hz_forced8", "bs_50mhz"};
inline const char* const kApproxNames[] = {"butterworth", "chebyshev", "inverse_chebyshev", "elliptic", "bessel"};

inline nlohmann::json ApproxFixture(const std::string& name) {
    std::ifstream in(std::string(TAVREL_FIXTURES) + "/approx/" + name + ".json");
    return nlohmann::json::parse(in);
}

// H(s) of the approximation as scipy gives it for an overall gain of 1: all poles, the zeros
// (each listed frequency a pair on the jw axis, 0 a zero at the origin), the gain constant.
inline std::complex<long double> ApproxReference(const nlohmann::json& a, std::complex<long double> s) {
    using Complex = std::complex<long double>;
    Complex h = a["gain_const"].get<long double>();
    for (const auto& p : a["time"]["poles"]) h /= s - Complex(p[0].get<long double>(), p[1].get<long double>());
    for (const auto& z : a["zeros"]) {
        const long double wz = z.get<long double>();
        h *= wz == 0 ? s : s * s + wz * wz;
    }
    return h;
}

inline SpecEntries FixtureEntries(const nlohmann::json& spec, DesignState& state, long double gain) {
    const std::string kind = spec["kind"];
    state.FilterKind = kind == "lowpass" ? FilterKind::Lowpass
                       : kind == "highpass" ? FilterKind::Highpass
                       : kind == "bandpass" ? FilterKind::Bandpass
                                            : FilterKind::Bandstop;
    SpecEntries e = DefaultEntries(state.FilterKind, false);
    const std::string unit = spec["unit"];
    state.HzUnits = unit == "hz" || unit == "khz";
    const int index = unit == "khz" || unit == "krad/s" ? 1 : 0;
    e.UnitIndex = {index, index, index};
    e.Apb = spec["apb"];
    if (!spec["asb"].is_null()) e.Asb = spec["asb"];
    e.F1 = spec["f1"];
    if (!spec["f2"].is_null()) e.F2 = spec["f2"];
    if (!spec["f0"].is_null()) e.F0 = spec["f0"];
    if (!spec["force_order"].is_null()) e.ForceOrder = true, e.ForcedOrder = std::to_string(spec["force_order"].get<int>());
    char text[32];
    std::snprintf(text, sizeof text, "%.6Lg", gain);
    e.Gain = text;
    return e;
}

// The circuits of each stage type in turn, over all designs, so that every circuit appears.
struct CircuitTurns {
    std::map<int, int> next;  // stage type -> next circuit index
    int Take(int type) {
        int& k = next[type];
        const int index = k % CircuitsOfType(type) + 1;
        ++k;
        return index;
    }
};

// The design of one approximation of a fixture's specification at the overall gain, down to
// component values: each stage takes the next circuit of its type, and one that cannot
// realise the stage gives way to the one after it (noted in `invalid`). Null when the
// approximation is not usable.
inline std::unique_ptr<Design> DesignedFilter(const nlohmann::json& fixture, int approx, long double gain,
                                              CircuitTurns& turns, std::vector<std::string>& invalid,
                                              const std::string& where) {
    const CalcEnvironment env{std::string(TAVREL_BIN_DIR) + "/" + kBesselTableName};
    auto design = std::make_unique<Design>();
    Calculate(design->State, FixtureEntries(fixture["spec"], design->State, gain), env);
    if (!design->State.GainAccepted || !IsUsable(design->State, approx)) return nullptr;
    SpecificationNext(*design);
    ChooseApproximation(*design, approx);
    ApproximationNext(*design, approx);
    const int n = design->State.StageCount;
    for (int s = 1; s <= n; ++s) SelectCircuit(*design, s, turns.Take(design->Stage(s).StageType));
    RecalculateAll(*design, false);
    for (int s = 1; s <= n; ++s) {
        for (int tries = 0; design->Circuit(s).Invalid && tries < kMaxCandidates; ++tries) {
            invalid.push_back(where + " stage " + std::to_string(s) + " circuit " +
                              std::to_string(design->Circuit(s).CircuitNo));
            SelectCircuit(*design, s, turns.Take(design->Stage(s).StageType));
            RecalculateAll(*design, false);
        }
    }
    ReportGains(*design);
    return design;
}

// Both substitutions of the calculation window on a design: every stage's first capacitor
// trimmed by 4 % (re-solving its resistors), then standard resistors, so that the final
// responses have all three versions.
inline void SubstituteExactCapacitorsAndStandardResistors(Design& design) {
    for (int s = 1; s <= design.State.StageCount; ++s) {
        const auto trimmed = static_cast<long double>(design.Circuit(s).Capacitors[0].Value) * 1.04L;
        AdjustCapacitor(design, s, 1, trimmed, true);
    }
    SetStandardResistors(design, true);
}

}  // namespace tavrel::testing_support
