// Whole filters, from the specification to component values, simulated by ngspice through the
// netlist the program writes, against the ideal response of the approximation that scipy.signal
// gives (the fixtures of tools/make_approx_fixtures.py: its poles, zeros and gain constant).
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cmath>
#include <complex>
#include <set>
#include <string>
#include <vector>

#include "analysis/spice_netlist.h"
#include "circuits/catalog/circuit_catalog.h"
#include "support/ngspice_run.h"
#include "support/whole_filter_design.h"

namespace tavrel {
namespace {

using Complex = std::complex<long double>;
constexpr long double kPi = 3.14159265358979323846264338327950288L;

// The overall gains the designs take in turn.
const long double kGains[] = {0.1L, 1, 10, 100, 1000};

using testing_support::ApproxFixture;
using testing_support::ApproxReference;
using testing_support::CircuitTurns;
using testing_support::DesignedFilter;
using testing_support::kApproxNames;

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
        want.push_back(std::abs(ApproxReference(a, Complex(0, 2 * kPi * p.hz))) * scale);
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
        for (const char* name : testing_support::kFixtureCases) {
            const nlohmann::json fixture = ApproxFixture(name);
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
