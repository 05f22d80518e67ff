// The cases of the spread and temperature models with a known answer.
#include <gtest/gtest.h>

#include <cmath>

#include "circuits/equations/sensitivity.h"
#include "circuits/tolerance/stage_change.h"
#include "circuits/tolerance/stage_spread.h"
#include "tolerance_targets.h"

namespace tavrel::tolerance_testing {
namespace {

// A designed stage whose op amp has a finite GBW (1000 times the pole frequency) and a
// tolerance, so that the active terms are there.
design_testing::DesignedStage WithOpAmp(int circuitNo, long double tolerancePct) {
    design_testing::DesignedStage d = DesignTarget(*FindCircuit(circuitNo));
    StageCircuitRecord& r = d.design.record;
    r.OpAmpGBW = 1000 * kTargetW / (2 * std::numbers::pi_v<long double>);
    r.OpAmpGBWTol = tolerancePct;
    r.OpAmpGBWTC = 2e-3L;
    return d;
}

// Sallen-Key lowpass I (unity gain), MFB bandpass I, Fliege highpass (two op amps), a
// lowpass notch, a first-order lowpass.
constexpr int kSampleCircuits[] = {11, 44, 29, 56, 1};

TEST(GainSpread, ZeroTolerancesGiveNoSpread) {
    for (int no : kSampleCircuits) {
        const auto d = WithOpAmp(no, 0);
        const StageSpread s = StageSpreadAt(d.design.stage, d.record(), {0, 0, false}, EdgeOf(*d.circuit));
        EXPECT_EQ(s.Total(), 0) << "circuit " << no;
    }
}

TEST(GainSpread, DoublingEveryToleranceDoublesEverySpread) {
    for (int no : kSampleCircuits) {
        const auto d = WithOpAmp(no, 10), d2 = WithOpAmp(no, 20);
        const long double w = EdgeOf(*d.circuit);
        const StageSpread a = StageSpreadAt(d.design.stage, d.record(), {0.01L, 0.02L, false}, w);
        const StageSpread b = StageSpreadAt(d2.design.stage, d2.record(), {0.02L, 0.04L, false}, w);
        EXPECT_GT(a.Total(), 0);
        EXPECT_NEAR(static_cast<double>(b.Passive()), static_cast<double>(2 * a.Passive()), 1e-15) << "circuit " << no;
        EXPECT_NEAR(static_cast<double>(b.Active()), static_cast<double>(2 * a.Active()), 1e-15) << "circuit " << no;
        EXPECT_NEAR(static_cast<double>(b.Total()), static_cast<double>(2 * a.Total()), 1e-15) << "circuit " << no;
    }
}

TEST(GainSpread, ExactCapacitorsAddNoCapacitorTerm) {
    for (int no : kSampleCircuits) {
        const auto d = WithOpAmp(no, 10);
        const long double w = EdgeOf(*d.circuit);
        const StageSpread exact = StageSpreadAt(d.design.stage, d.record(), {0.01L, 0.05L, true}, w);
        const StageSpread resistorsOnly = StageSpreadAt(d.design.stage, d.record(), {0.01L, 0, false}, w);
        const StageSpread both = StageSpreadAt(d.design.stage, d.record(), {0.01L, 0.05L, false}, w);
        EXPECT_EQ(exact.PassiveVariance(), resistorsOnly.PassiveVariance()) << "circuit " << no;
        EXPECT_GT(both.PassiveVariance(), exact.PassiveVariance()) << "circuit " << no;
    }
}

TEST(GainSensitivities, SecondOrderLowpassAtItsPoleFrequency) {
    StageRecord stage;
    stage.StageType = StageCode::SLP;
    stage.Wp = 1234;
    stage.Qp = 3.7L;
    const GainSensitivities g = GainSensitivitiesAt(stage, 0, 1234);
    EXPECT_NEAR(static_cast<double>(g.w), 8.68, 1e-15);
    EXPECT_NEAR(static_cast<double>(g.q), 8.68, 1e-15);
}

// A higher zero frequency lifts the gain below the notch: the slope of 20·log10|1 - (w/wz)²|.
TEST(GainSensitivities, ZeroFrequencySlopeOfANotch) {
    StageRecord stage;
    stage.StageType = StageCode::SLPN;
    stage.Wp = 1, stage.Qp = 1, stage.Wz = 2;
    for (long double w : {0.5L, 1.5L, 3.0L}) {
        auto db = [&](long double wz) { return 20 * std::log10(std::fabs(1 - (w / wz) * (w / wz))); };
        const long double h = 1e-6L;
        const long double slope = (db(2 * std::exp(h)) - db(2 * std::exp(-h))) / (2 * h);
        EXPECT_NEAR(static_cast<double>(GainSensitivitiesAt(stage, 0, w).z), static_cast<double>(slope * 8.68L / (20 / std::log(10.0L))), 1e-6);
    }
}

TEST(GainSpread, FirstOrderStagesHaveNoActiveTerm) {
    for (int no : {1, 2, 3, 6, 7, 8, 9}) {
        const auto d = WithOpAmp(no, 50);
        const long double w = EdgeOf(*d.circuit);
        EXPECT_EQ(StageSpreadAt(d.design.stage, d.record(), {0.01L, 0.01L, false}, w).Active(), 0) << "circuit " << no;
        EXPECT_EQ(StageChangeAt(d.design.stage, d.record(), {1e-4L, 2e-5L, 40}, w).Active(), 0) << "circuit " << no;
    }
}

TEST(GainChange, ZeroCoefficientsGiveNoChange) {
    for (int no : kSampleCircuits) {
        auto d = WithOpAmp(no, 10);
        d.design.record.OpAmpGBWTC = 0;
        EXPECT_EQ(StageChangeAt(d.design.stage, d.record(), {0, 0, 50}, EdgeOf(*d.circuit)).Total(), 0) << "circuit " << no;
    }
}

TEST(GainChange, ProportionalToTheTemperatureRange) {
    for (int no : kSampleCircuits) {
        const auto d = WithOpAmp(no, 10);
        const long double w = EdgeOf(*d.circuit);
        const StageChange a = StageChangeAt(d.design.stage, d.record(), {1e-4L, 2e-5L, 20}, w);
        const StageChange b = StageChangeAt(d.design.stage, d.record(), {1e-4L, 2e-5L, 40}, w);
        EXPECT_NE(a.Total(), 0);
        EXPECT_NEAR(static_cast<double>(b.Passive()), static_cast<double>(2 * a.Passive()), 1e-15) << "circuit " << no;
        EXPECT_NEAR(static_cast<double>(b.Active()), static_cast<double>(2 * a.Active()), 1e-15) << "circuit " << no;
    }
}

// wp = 1/sqrt(R1·R2·C1·C2) of the Sallen-Key lowpass: the resistor and capacitor sums of wp
// are -1 each, so equal and opposite coefficients leave wp, and with it the gain, in place.
TEST(GainChange, OppositeResistorAndCapacitorCoefficientsCancelForRcProducts) {
    const auto d = DesignTarget(*FindCircuit(11));
    const auto& t = d.record().SensTotals;
    EXPECT_NEAR(static_cast<double>(t[SensSum::PoleFrequency + SensSum::Resistors]), -1, 1e-12);
    EXPECT_NEAR(static_cast<double>(t[SensSum::PoleFrequency + SensSum::Capacitors]), -1, 1e-12);
    const StageChange c = StageChangeAt(d.design.stage, d.record(), {150e-6L, -150e-6L, 60}, EdgeOf(*d.circuit));
    EXPECT_NEAR(static_cast<double>(c.poleFrequency), 0, 1e-18);
    EXPECT_NEAR(static_cast<double>(c.Passive()), 0, 1e-15);
}

}  // namespace
}  // namespace tavrel::tolerance_testing
