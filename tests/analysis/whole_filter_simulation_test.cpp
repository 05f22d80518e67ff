// Whole filters, from the specification to component values, simulated by ngspice through the
// netlist the program writes, against the ideal response of the approximation that scipy.signal
// gives (the fixtures of tools/make_approx_fixtures.py: its poles, zeros and gain constant).
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cmath>
#include <complex>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "analysis/spice_netlist.h"
#include "analysis/workflow.h"
#include "circuits/calculation/recalculate.h"
#include "circuits/calculation/stage_gains.h"
#include "circuits/catalog/circuit_catalog.h"
#include "circuits/selection/select_circuit.h"
#include "core/bessel_prototype.h"
#include "core/calculate.h"
#include "support/ngspice_run.h"

namespace tavrel {
namespace {

using Complex = std::complex<long double>;
constexpr long double kPi = 3.14159265358979323846264338327950288L;

const char* const kCases[] = {"lp_default", "lp_1hz", "lp_100mhz_forced20", "lp_wide_rad", "lp_narrow_ell3",
                              "lp_narrow_ell6", "lp_forced1", "lp_tiny_ripple_forced2", "hp_default", "hp_forced5_rad",
                              "hp_50mhz", "bp_default", "bp_forced6", "bp_real_pair_forced2", "bp_narrow_order18",
                              "bs_default", "bs_1hz_forced8", "bs_50mhz"};
const char* const kApproxNames[] = {"butterworth", "chebyshev", "inverse_chebyshev", "elliptic", "bessel"};
// The overall gains the designs take in turn.
const long double kGains[] = {0.1L, 1, 10, 100, 1000};

nlohmann::json Fixture(const std::string& name) {
    std::ifstream in(std::string(TAVREL_FIXTURES) + "/approx/" + name + ".json");
    return nlohmann::json::parse(in);
}

// H(s) of the approximation as scipy gives it for an overall gain of 1: all poles, the zeros
// (each listed frequency a pair on the jw axis, 0 a zero at the origin), the gain constant.
Complex Reference(const nlohmann::json& a, Complex s) {
    Complex h = a["gain_const"].get<long double>();
    for (const auto& p : a["time"]["poles"]) h /= s - Complex(p[0].get<long double>(), p[1].get<long double>());
    for (const auto& z : a["zeros"]) {
        const long double wz = z.get<long double>();
        h *= wz == 0 ? s : s * s + wz * wz;
    }
    return h;
}

SpecEntries EntriesOf(const nlohmann::json& spec, DesignState& state, long double gain) {
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
// realise the stage gives way to the one after it. Null when the approximation is not usable.
std::unique_ptr<Design> DesignedFilter(const nlohmann::json& fixture, int approx, long double gain, CircuitTurns& turns,
                                       std::vector<std::string>& invalid, const std::string& where) {
    const CalcEnvironment env{std::string(TAVREL_BIN_DIR) + "/" + kBesselTableName};
    auto design = std::make_unique<Design>();
    Calculate(design->State, EntriesOf(fixture["spec"], design->State, gain), env);
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

// The largest deviation in dB of the simulated filter from the reference at its actual
// overall gain, over the points no more than 60 dB below the reference's peak.
long double WorstDeviation(const Design& design, const nlohmann::json& a, const nlohmann::json& fixture,
                           const std::string& name) {
    std::vector<SpiceStage> stages;
    for (int s = 1; s <= design.State.StageCount; ++s) stages.push_back(SpiceStageOf(design.Circuit(s)));
    const std::vector<long double> w = fixture["w"].get<std::vector<long double>>();
    SpiceOptions options;
    options.startHz = (w.front() > 0 ? w.front() : w[1]) / (2 * kPi);
    options.endHz = w.back() / (2 * kPi);
    options.pointsPerDecade = 100;
    const auto samples = testing_support::SimulateLastOutput(stages, options, name, testing_support::IdealOpAmps);
    EXPECT_GE(samples.size(), 50u) << name;
    // The fixture's gain constant is that of an overall gain of 1.
    const long double scale = design.State.ActualOverallGain;
    std::vector<long double> want;
    long double peak = 0;
    for (const auto& p : samples) {
        want.push_back(std::abs(Reference(a, Complex(0, 2 * kPi * p.hz))) * scale);
        peak = std::max(peak, want.back());
    }
    long double worst = 0;
    for (size_t k = 0; k < samples.size(); ++k)
        if (want[k] >= peak * 1e-3L) worst = std::max(worst, std::fabs(20 * std::log10(std::abs(samples[k].v) / want[k])));
    return worst;
}

// Every circuit appears in some design: the fixtures are gone through again, the circuits
// taking their turns on, until none is left out.
TEST(SpiceWholeFilter, DesignsOfEveryKindMatchTheirApproximation) {
    CircuitTurns turns;
    std::set<int> compared;
    std::vector<std::string> invalid;
    int designs = 0, gainTurn = 0;
    const auto missing = [&] {
        std::vector<int> left;
        for (const CatalogRow& row : CatalogRows())
            if (!compared.count(row.circuitNo)) left.push_back(row.circuitNo);
        return left;
    };
    for (int pass = 0; pass < 3 && !missing().empty(); ++pass) {
        for (const char* name : kCases) {
            const nlohmann::json fixture = Fixture(name);
            for (int approx = 0; approx < 5; ++approx) {
                const nlohmann::json& a = fixture["approximations"][static_cast<size_t>(approx)];
                if (a["order_too_high"].get<bool>() || a["failed"].get<bool>()) continue;
                const long double gain = kGains[gainTurn++ % 5];
                const std::string where = std::string(name) + " " + kApproxNames[approx] + " gain " +
                                          std::to_string(static_cast<double>(gain));
                const auto design = DesignedFilter(fixture, approx, gain, turns, invalid, where);
                if (!design) continue;
                const int n = design->State.StageCount;
                bool free = false;
                for (int s = 1; s <= n; ++s) {
                    ASSERT_FALSE(design->Circuit(s).Invalid) << where << " stage " << s;
                    free = free || !design->Circuit(s).GainForced;
                }
                // The filter meets its overall gain whenever one stage is free; stages whose
                // circuits all fix their gain leave it at the product of what they give.
                if (free) {
                    EXPECT_NEAR(static_cast<double>(design->State.ActualOverallGain / gain), 1, 1e-9) << where;
                }
                const long double worst = WorstDeviation(*design, a, fixture, "whole" + std::to_string(designs));
                EXPECT_LT(worst, 0.01L) << where;
                for (int s = 1; s <= n; ++s) compared.insert(design->Circuit(s).CircuitNo);
                ++designs;
                RecordProperty(where, std::to_string(static_cast<double>(worst)) + " dB");
            }
        }
    }
    for (const std::string& line : invalid) RecordProperty("invalid", line);
    EXPECT_TRUE(missing().empty()) << ::testing::PrintToString(missing());
    EXPECT_GT(designs, 50);
}

}  // namespace
}  // namespace tavrel
