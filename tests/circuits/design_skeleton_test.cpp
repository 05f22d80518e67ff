#include <gtest/gtest.h>

#include "support/case_name.h"

#include <cmath>
#include <numbers>

#include "circuits/equations/design_skeleton.h"
#include "circuits/equations/design_stage.h"
#include "stages/stage_record.h"

namespace tavrel {
namespace {

constexpr long double kTwoPi = 2 * std::numbers::pi_v<long double>;

struct HalfStepCase {
    long double value, shown;
};

void PrintTo(const HalfStepCase& c, std::ostream* os) { *os << "value " << static_cast<double>(c.value); }

class MinGBWRounding : public ::testing::TestWithParam<HalfStepCase> {};

TEST_P(MinGBWRounding, RoundsDownToHalfStepOfLeadingDigit) {
    EXPECT_EQ(RoundDownToHalfStep(GetParam().value), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Values, MinGBWRounding,
                         ::testing::Values(HalfStepCase{37300, 35000}, HalfStepCase{82100, 80000},
                                           HalfStepCase{9999, 9500}, HalfStepCase{100000, 100000},
                                           HalfStepCase{370000, 350000}, HalfStepCase{1.5e9L, 1.5e9L},
                                           HalfStepCase{7.49L, 7}, HalfStepCase{0, 0}),
                         testing_support::PrintedName());

// Recommended GBW of k1 = 0.3, k2 = -0.5: the larger magnitude counts.
TEST(RecommendedGBW, WorkedExamples) {
    EXPECT_EQ(RecommendedGBW(0.3L, -0.5L, kTwoPi * 10000), 100000);
    EXPECT_EQ(RecommendedGBW(0.3L, -0.5L, kTwoPi * 37000), 350000);
    // Stored as a stage's Wp, the pole frequency is rounded to the record's precision first.
    EXPECT_EQ(RecommendedGBW(0.3L, -0.5L, Real48(kTwoPi * 10000)), 100000);
}

StageRecord SecondOrderStage(long double wp, long double qp) {
    StageRecord s;
    s.StageType = StageCode::SLP;
    s.Wp = wp;
    s.Qp = qp;
    return s;
}

TEST(PreDistort, OffKeepsThePoleDataExactly) {
    const StageRecord stage = SecondOrderStage(12345.678L, 3.21L);
    StageCircuitRecord r;
    r.OpAmpGBW = 1e5L;
    SetOpAmpCoefficients(r, 0.3L, -0.5L);
    PreDistort(stage, r);
    EXPECT_EQ(static_cast<long double>(r.DesignW), static_cast<long double>(stage.Wp));
    EXPECT_EQ(static_cast<long double>(r.DesignQ), static_cast<long double>(stage.Qp));
}

TEST(PreDistort, ShiftsByTheCoefficientsAndHalvesWithDoubleGBW) {
    const StageRecord stage = SecondOrderStage(kTwoPi * 10000, 2);
    StageCircuitRecord r, doubled;
    r.Compensate = doubled.Compensate = 1;
    r.OpAmpGBW = 1e6L;
    doubled.OpAmpGBW = 2e6L;
    for (StageCircuitRecord* x : {&r, &doubled}) {
        SetOpAmpCoefficients(*x, 0.3L, -0.5L);
        PreDistort(stage, *x);
    }
    // wp/(2π·GBW) = 0.01.
    EXPECT_NEAR(r.DesignW / stage.Wp - 1, 0.3 * 0.01, 1e-12);
    EXPECT_NEAR(r.DesignQ / stage.Qp - 1, -0.5 * 0.01, 1e-12);
    EXPECT_NEAR(r.GBWError, std::sqrt(0.125L * 0.125L + 0.09L) * 0.01L, 1e-12);
    EXPECT_NEAR(doubled.DesignW / stage.Wp - 1, 0.3 * 0.005, 1e-12);
    EXPECT_NEAR(doubled.GBWError, r.GBWError / 2, 1e-12);
    EXPECT_EQ(r.MinGBW, 100000);
}

TEST(PreDistort, HugeGBWChangesNothingMeasurable) {
    const StageRecord stage = SecondOrderStage(1000, 0.7L);
    StageCircuitRecord r;
    r.Compensate = 1;
    r.OpAmpGBW = 1e30L;
    SetOpAmpCoefficients(r, 0.7L, -0.7L);
    PreDistort(stage, r);
    EXPECT_EQ(static_cast<long double>(r.DesignW), static_cast<long double>(stage.Wp));
    EXPECT_EQ(static_cast<long double>(r.DesignQ), static_cast<long double>(stage.Qp));
}

TEST(PreDistort, WithoutAnOpAmpGBWNothingIsShiftedAndNoErrorShown) {
    const StageRecord stage = SecondOrderStage(1000, 0.7L);
    StageCircuitRecord r;
    r.Compensate = 1;
    SetOpAmpCoefficients(r, 0.7L, -0.7L);
    PreDistort(stage, r);
    EXPECT_EQ(static_cast<long double>(r.DesignW), 1000);
    EXPECT_EQ(r.GBWError, 0);
}

TEST(GainRules, FixedCappedAndConditional) {
    StageCircuitRecord r;
    r.ActualGain = 3;
    CapGain(r, 2, 0.9L);
    EXPECT_NEAR(r.ActualGain, 1.8, 1e-12);
    EXPECT_TRUE(r.GainForced);
    r.ActualGain = 1.5;
    CapGain(r, 2, 0.9L);
    EXPECT_NEAR(r.ActualGain, 1.5, 1e-12);
    EXPECT_FALSE(r.GainForced);
    EXPECT_NEAR(r.ActualGainCopy, 1.5, 1e-12);
    r.ActualGain = 2;  // at the limit counts as beyond it
    CapGain(r, 2, 0.9L);
    EXPECT_TRUE(r.GainForced);
}

TEST(ValidityTest, NegativeResistorOrNonPositiveCapacitor) {
    StageCircuitRecord r;
    r.ResistorCount = 2;
    r.CapacitorCount = 1;
    r.Resistors[0].Value = 1000;
    r.Resistors[1].Value = 0;
    r.Capacitors[0].Value = 1e-9L;
    CheckComponentValues(r);
    EXPECT_FALSE(r.Invalid);
    CheckComponentValues(r, true);
    EXPECT_TRUE(r.Invalid);
    r.Resistors[1].Value = -1;
    CheckComponentValues(r);
    EXPECT_TRUE(r.Invalid);
    r.Resistors[1].Value = 1;
    r.Capacitors[0].Value = 0;
    CheckComponentValues(r);
    EXPECT_TRUE(r.Invalid);
}

StageCircuitRecord GainPairRecord(long double other, long double last) {
    StageCircuitRecord r;
    r.GainPair = 1;
    r.ResistorCount = 4;
    r.GainResIndex = 0;
    r.GainResDecade = 3;
    r.Resistors[2].Value = other;
    r.Resistors[3].Value = last;
    return r;
}

TEST(GainPairStepping, StepsDownTheE24ListKeepingTheRatio) {
    StageCircuitRecord r = GainPairRecord(250000, 500000);
    StepGainPair(r);
    // The first value tried, 91 kOhm, brings both within the limit.
    EXPECT_NEAR(r.Resistors[3].Value, 91000, 1e-6);
    EXPECT_NEAR(r.Resistors[2].Value, 45500, 1e-6);
    EXPECT_EQ(r.GainResIndex, 23);
    EXPECT_EQ(r.GainResDecade, 2);

    StageCircuitRecord big = GainPairRecord(1e6L, 1e4L);  // R3 = 100 × R4
    StepGainPair(big);
    EXPECT_LE(big.Resistors[2].Value, 100000);
    EXPECT_NEAR(big.Resistors[2].Value / big.Resistors[3].Value, 100, 1e-9);
    EXPECT_NEAR(big.Resistors[3].Value, 1000, 1e-9);  // the first E24 value with 100 × R4 <= 100 kOhm

    StageCircuitRecord small = GainPairRecord(20000, 10000);
    StepGainPair(small);
    EXPECT_EQ(small.Resistors[3].Value, 10000);  // both within the limit: untouched
}

TEST(DesignStage, CircuitWithoutRoutineIsReportedAndLeftUnchanged) {
    StageRecord stage = SecondOrderStage(1000, 1);
    StageCircuitRecord r;
    r.CircuitIndex = 14;  // beyond the 13 lowpass circuits
    r.ResistorCount = 1;
    r.Resistors[0].Value = 12345;
    const StageDesignOutcome outcome = DesignStage(stage, r);
    EXPECT_FALSE(outcome.designed);
    EXPECT_EQ(r.Resistors[0].Value, 12345);
}

}  // namespace
}  // namespace tavrel
