#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "core/responses.h"
#include "stage_test_support.h"
#include "stages/stage_scaling.h"

namespace tavrel {
namespace {

TEST(FlatnessBand, FollowsTheKind) {
    DesignState state;
    StageTables t;
    state.Wpb = 1000;
    state.FilterKind = FilterKind::Lowpass;
    PrepareStageGrid(state, t);
    EXPECT_EQ(t.FlatBandLo, 0);
    EXPECT_EQ(t.FlatBandHi, 1000);
    EXPECT_EQ(t.ResponseGrid[0], 0);
    EXPECT_NEAR(static_cast<double>(t.ResponseGrid[350]), 2000, 1e-9);
    state.FilterKind = FilterKind::Highpass;
    PrepareStageGrid(state, t);
    EXPECT_EQ(t.FlatBandLo, 1000);
    EXPECT_EQ(t.FlatBandHi, 2000);

    state.W0 = 4000;
    state.Bpb = 6000;  // e = 5000: edges 2000 and 8000
    state.FilterKind = FilterKind::Bandpass;
    PrepareStageGrid(state, t);
    EXPECT_NEAR(static_cast<double>(t.FlatBandLo), 2000, 1e-9);
    EXPECT_NEAR(static_cast<double>(t.FlatBandHi), 8000, 1e-9);
    EXPECT_NEAR(static_cast<double>(t.ResponseGrid[0]), -1000, 1e-9);
    EXPECT_NEAR(static_cast<double>(t.ResponseGrid[350]), 11000, 1e-9);
}

TEST(FlatnessBand, BandstopExcludesTheStopBand) {
    DesignState state;
    StageTables t;
    state.FilterKind = FilterKind::Bandstop;
    state.W0 = 4000;
    state.Bpb = 6000;
    PrepareStageGrid(state, t);
    EXPECT_EQ(t.FlatBandLo, 0);
    EXPECT_EQ(t.FlatBandHi, 8000);
    EXPECT_NEAR(static_cast<double>(t.ResponseGrid[0]), -3000, 1e-9);
    EXPECT_TRUE(InFlatnessBand(state, t, 1000));
    EXPECT_TRUE(InFlatnessBand(state, t, 2000));
    EXPECT_FALSE(InFlatnessBand(state, t, 4000));
    EXPECT_TRUE(InFlatnessBand(state, t, 8000));
    EXPECT_FALSE(InFlatnessBand(state, t, 8001));
    EXPECT_FALSE(InFlatnessBand(state, t, -1));
}

// A calculated design through automatic pairing, cascading and scaling.
DesignState Staged(FilterKind kind, int order, int approx, StageTables& tables) {
    DesignState state = test::ForcedOrderDesign(kind, order);
    test::FormStages(state, tables, approx);
    return state;
}

TEST(ScaleCascade, BandstopNotchesDoNotMakeFlatnessInfinite) {
    for (int approx : {InverseChebyshev, Elliptic}) {
        StageTables t;
        const DesignState state = Staged(FilterKind::Bandstop, 8, approx, t);
        ASSERT_GT(state.StageCount, 0);
        for (int i = 1; i <= state.StageCount; ++i) EXPECT_LT(t.Stage[static_cast<size_t>(i)].Flatness, 100) << approx;
    }
}

TEST(ScaleCascade, AllLowpassCascadeHasTheFiltersPassbandFlatness) {
    StageTables t;
    const DesignState state = Staged(FilterKind::Lowpass, 6, Chebyshev, t);
    const int n = state.StageCount;
    ASSERT_EQ(n, 3);
    EXPECT_NEAR(static_cast<double>(t.CascadeResp[static_cast<size_t>(n)][0]), 1.0, 1e-12);
    long double peak = 0, low = 1e300L;
    for (int k = 0; k < kGridPoints; ++k) {
        const long double w = t.ResponseGrid[static_cast<size_t>(k)];
        const long double g = IdealResponseAt(state, Chebyshev, w).gainVv;
        peak = std::max(peak, g);
        if (w <= state.Wpb) low = std::min(low, g);
    }
    EXPECT_NEAR(static_cast<double>(t.Stage[static_cast<size_t>(n)].Flatness), static_cast<double>(peak / low), 1e-9);
}

TEST(ScaleStage, OneStageGetsTheReciprocalOfItsPeak) {
    DesignState state;
    StageTables t;
    test::UnitStepGrid(state, t);
    state.StageCount = 1;
    StageRecord& s = t.Stage[1];
    s.StageType = StageCode::SLP;
    s.Wp = 150;
    s.Qp = 3;
    ScaleCascade(state, t);
    long double peak = 0;
    for (int k = 0; k < kGridPoints; ++k) peak = std::max(peak, StageMagnitude(s, k));
    EXPECT_NEAR(static_cast<double>(s.GainFactor * peak), 1.0, 1e-12);
    EXPECT_NEAR(static_cast<double>(s.To), static_cast<double>(s.GainFactor / (150.0L * 150)), 1e-11);
    EXPECT_NEAR(static_cast<double>(t.StageResp[1][0]), 1.0, 1e-12);
}

TEST(ScaleStage, ZeroInBandMinimumGivesAFiniteLargeFlatness) {
    DesignState state;
    StageTables t;
    test::UnitStepGrid(state, t);
    state.StageCount = 1;
    StageRecord& s = t.Stage[1];
    s.StageType = StageCode::SN;
    s.Wp = 40;
    s.Qp = 1;
    s.Wz = 20;  // on the grid, inside the band
    ScaleStage(state, t, 1, 1);
    EXPECT_TRUE(std::isfinite(static_cast<long double>(s.Flatness)));
    EXPECT_GE(s.Flatness, 1e8L);
    EXPECT_EQ(t.CascadeResp[1][1], 0);
}

TEST(ScaleStage, StageBehindItselfOtherThanTheFirstKeepsUnitGain) {
    DesignState state;
    StageTables t;
    test::UnitStepGrid(state, t);
    StageRecord& s = t.Stage[2];
    s.StageType = StageCode::FLP;
    s.Wc = 50;
    ScaleStage(state, t, 2, 2);
    EXPECT_EQ(s.GainFactor, 1);
    EXPECT_NEAR(static_cast<double>(s.Flatness), std::sqrt(1 + (175.0 / 50) * (175.0 / 50)), 1e-12);
}

}  // namespace
}  // namespace tavrel
