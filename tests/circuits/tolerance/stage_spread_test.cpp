// The gain spread of one stage: the linear model evaluated with the design's own sensitivity
// sums against the same model with sensitivities measured on the realised stage function, and
// the cases with a known answer.
#include <gtest/gtest.h>

#include <cmath>

#include "circuits/tolerance/stage_spread.h"
#include "tolerance_targets.h"

namespace tavrel::tolerance_testing {
namespace {

constexpr SpreadTolerances kOnePercent{0.01L, 0.01L, false};

class SpreadOfEveryCircuit : public ::testing::TestWithParam<CircuitCase> {};

// The passive terms with the measured sums: each figure's sum of squares over the resistors
// and over the capacitors, weighed by the gain's sensitivity to it.
StageSpread MeasuredPassiveTerms(const CircuitDefinition& circuit, const StageRecord& stage, const MeasuredSums& m,
                                 const GainSensitivities& g, const SpreadTolerances& t) {
    auto term = [&](long double gain, long double Figures::*figure) {
        return gain * gain * (t.capacitor * t.capacitor * (m.squaresC.*figure) + t.resistor * t.resistor * (m.squaresR.*figure));
    };
    StageSpread s;
    s.poleFrequency = term(g.w, &Figures::wp);
    if (!IsFirstOrderStage(stage.StageType)) s.poleQ = term(g.q, &Figures::qp);
    if (IsNotchStage(stage.StageType)) s.zeroFrequency = term(g.z, &Figures::wz);
    if (circuit.thirdOrder) s.thirdPole = term(g.third, &Figures::p3), s.thirdZero = term(g.third, &Figures::z3);
    return s;
}

// The terms that the zeros of a twin-T network's cubic numerator give: its zero-side slots
// come from the numerator's coefficient sensitivities put through the same transform as the
// pole side (with the pole Q), which is not d ln wz / d ln x of the realised zeros. Those two
// terms are compared only on the other circuits; the departure is measured and reported apart.
long double ComparedVariance(const StageSpread& s, bool twinT) {
    return twinT ? s.poleFrequency + s.poleQ + s.thirdPole : s.PassiveVariance();
}

TEST_P(SpreadOfEveryCircuit, EqualsTheModelWithMeasuredSensitivities) {
    const CircuitDefinition& circuit = *GetParam().circuit;
    const design_testing::DesignedStage d = DesignTarget(circuit);
    ASSERT_FALSE(d.record().Invalid);
    const long double w = EdgeOf(circuit);
    const StageRecord& stage = d.design.stage;
    const GainSensitivities g = GainSensitivitiesAt(stage, d.record().AuxPoleW, w);
    const bool twinT = d.record().TwinT != 0;
    const long double want =
        ComparedVariance(MeasuredPassiveTerms(circuit, stage, MeasureSums(circuit, d.record()), g, kOnePercent), twinT);
    const long double got = ComparedVariance(StageSpreadAt(stage, d.record(), kOnePercent, w), twinT);
    EXPECT_GT(want, 0);
    EXPECT_NEAR(static_cast<double>(got), static_cast<double>(want), 1e-6 * static_cast<double>(want));
}

INSTANTIATE_TEST_SUITE_P(Circuits, SpreadOfEveryCircuit, ::testing::ValuesIn(AllCircuitCases()),
                         testing_support::PrintedName());

}  // namespace
}  // namespace tavrel::tolerance_testing
