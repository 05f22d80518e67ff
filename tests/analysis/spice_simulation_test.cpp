#include <gtest/gtest.h>

#include "support/circuit_variants.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <random>
#include <unistd.h>

#include "analysis/spice_netlist.h"
#include "circuits/catalog/circuit_definition.h"
#include "circuits/equations/compensation_resistors.h"
#include "circuits/network/nodal_analysis.h"
#include "circuits/network/stage_function.h"
#include "support/ngspice_run.h"
#include "support/random_components.h"

namespace tavrel {
namespace {

using testing_support::AllVariants;
using testing_support::Variant;

// The open-loop gain of the netlist's ideal op-amp model (EIO ... 1.0E+5).
constexpr long double kNetlistOpAmpGain = 1e5L;

class Simulated : public testing::TestWithParam<Variant> {};

// ngspice, with op amps of gain 1e5 and five-digit values, against the stage function; a
// compensated variant's added resistors take the values the design gives them.
TEST_P(Simulated, MatchesTheStageFunction) {
    const auto [circuit, compensated] = GetParam();
    std::mt19937 rng(static_cast<unsigned>(circuit->circuitNo) * 2 + compensated);
    ComponentValues w = testing_support::RandomValues(rng);
    if (compensated) w = WithCompensationResistors(*circuit, w);
    SpiceStage stage;
    stage.circuit = circuit;
    stage.compensated = compensated;
    stage.values = w;
    const long double wc = 1 / (w.R[1] * w.C[1]);
    SpiceOptions options;
    options.startHz = wc / (2 * std::numbers::pi_v<long double>) / 100;
    options.endHz = options.startHz * 1e4L;
    options.pointsPerDecade = 10;
    const auto samples =
        testing_support::SimulateLastOutput({stage}, options, std::to_string(circuit->circuitNo) + (compensated ? "c" : ""));
    ASSERT_GE(samples.size(), 40u);

    // The five-digit values the netlist carries are the values themselves (a compensated
    // variant's copied parallel value is rounded as the netlist writes it).
    const StageFunction f = StageFunctionOf(*circuit, w);
    const long double sign = circuit->inverting ? -1 : 1;
    const Topology& simulated = circuit->TopologyOf(compensated);
    // The netlist's op amps have a gain of 1e5, the coefficients assume an infinite one. The
    // ratio of the two nodal solutions of the simulated template carries that difference over
    // to the coefficients' response; it reaches 3 dB in the stopband of the
    // Mikhael-Bhattacharyya highpass at these values.
    std::vector<Complex> expected;
    long double peak = 0, worstDb = 0, worstDeg = 0;
    for (const testing_support::SimulatedPoint& sample : samples) {
        const Complex s(0, 2 * std::numbers::pi_v<long double> * sample.hz);
        const Complex gainEffect = NodalResponse(simulated, w, s, OpAmpModel{kNetlistOpAmpGain, 0}) / NodalResponse(simulated, w, s);
        expected.push_back(sign * EvaluateStageFunction(f, s) * gainEffect);
        peak = std::max(peak, std::abs(expected.back()));
    }
    for (size_t k = 0; k < samples.size(); ++k) {
        if (std::abs(expected[k]) < peak * 1e-3L) continue;  // more than 60 dB below the peak
        const long double db = 20 * std::log10(std::abs(samples[k].v) / std::abs(expected[k]));
        const long double deg = std::arg(samples[k].v / expected[k]) * 180 / std::numbers::pi_v<long double>;
        EXPECT_LT(std::fabs(db), 0.01L) << circuit->name << " at " << static_cast<double>(samples[k].hz) << " Hz";
        EXPECT_LT(std::fabs(deg), 0.1L) << circuit->name << " at " << static_cast<double>(samples[k].hz) << " Hz";
        worstDb = std::max(worstDb, std::fabs(db));
        worstDeg = std::max(worstDeg, std::fabs(deg));
    }
    char worst[64];
    std::snprintf(worst, sizeof worst, "%.3g dB, %.3g degrees", static_cast<double>(worstDb), static_cast<double>(worstDeg));
    RecordProperty("worst_deviation", worst);
}

INSTANTIATE_TEST_SUITE_P(Spice, Simulated, testing::ValuesIn(AllVariants()),
                         [](const testing::TestParamInfo<Variant>& info) {
                             return "No" + std::to_string(info.param.circuit->circuitNo) + (info.param.compensated ? "Compensated" : "");
                         });

}  // namespace
}  // namespace tavrel
