#include <gtest/gtest.h>

#include "notch_targets.h"

namespace tavrel::design_testing {
namespace {

DesignRequest Target(int circuitNo, long double qp, long double ratio, long double gain = 1) {
    DesignRequest q;
    q.circuitNo = circuitNo;
    q.wp = 10000;
    q.qp = qp;
    q.wz = ratio * q.wp;
    q.gain = gain;
    return q;
}

// Twin-T Second Order Notch I: the balanced network at 1/(R·C), R4 = R5·(4·Q - 1), unity gain,
// the real pole of the cubic at (R1 + R2)/(C3·R1·R2), k1 = 2 - 1/(8·Qp²).
TEST(TwinTNotchI, BalancedNetworkAndItsRealPole) {
    const DesignedStage d = Design(Target(88, 2, 1, 3));
    const StageCircuitRecord& r = d.record();
    ASSERT_FALSE(r.Invalid);
    const auto& v = d.values.R;
    const long double rr = 1 / (10000 * r.Capacitors[0].Value);
    EXPECT_NEAR(static_cast<double>(v[1] / rr), 1, 1e-12);
    EXPECT_NEAR(static_cast<double>(v[2] / rr), 1, 1e-12);
    EXPECT_NEAR(static_cast<double>(v[3] / rr), 0.5, 1e-12);
    EXPECT_NEAR(static_cast<double>(v[4] / v[5]), 7, 1e-11);
    EXPECT_NEAR(static_cast<double>(r.Capacitors[2].Value / r.Capacitors[0].Value), 2, 1e-12);
    EXPECT_EQ(r.ActualGain, 1);
    EXPECT_TRUE(r.GainForced);
    EXPECT_NEAR(static_cast<double>(r.AuxPoleW), 10000, 1e-6);
    EXPECT_NEAR(static_cast<double>(RealPoleOf(d)), 10000, 1e-5);
    EXPECT_NEAR(static_cast<double>(r.FreqShiftCoef), 2 - 1 / 32.0, 1e-15);
    EXPECT_NEAR(static_cast<double>(r.QShiftCoef), -(2 - 1 / 32.0), 1e-15);
    // Both matrices: with beta = R4/(R4 + R5) = 7/8 the pole weights are 1 + 4·(1 - beta) = 1.5.
    ExpectCubicSlots(d, 1.5L);
    ExpectNotchRoundTrip(d, true);
}

// The SK notch starts from b = 1/m = 1 and halves b while a = 2 - b/((b + 1)·Qp) <= 1; the
// capacitor ratio becomes 1/b and the gain a.
TEST(SallenKeyNotch, HalvesBUntilTheAmplifierGainExceedsOne) {
    struct Case {
        long double qp, capRatio;
    };
    for (const Case& c : {Case{2, 1}, Case{0.5L, 2}, Case{0.4L, 2}, Case{0.3L, 4}}) {
        const DesignedStage d = Design(Target(86, c.qp, 1));
        SCOPED_TRACE(static_cast<double>(c.qp));
        EXPECT_EQ(d.record().CapRatio, c.capRatio);
        const long double b = 1 / c.capRatio;
        EXPECT_NEAR(static_cast<double>(d.record().ActualGain), static_cast<double>(2 - b / ((b + 1) * c.qp)), 1e-11);
        EXPECT_GT(d.record().ActualGain, 1);
        // Below Q = 1/2 the poles are real: there is no pair to compare.
        if (c.qp > 0.5L) ExpectNotchRoundTrip(d, true);
    }
}

// The MB notches cap a gain at or above (Wp/Wz)²·(a + 1) (lowpass notch) or a + 1 at 0.95 of
// it, a = 1.6·Qp^(1/4).
TEST(MikhaelBhattacharyyaNotch, CapsTheGainAtNinetyFivePercentOfTheLimit) {
    const long double qp = 1.3L, a = 1.6L * std::pow(qp, 0.25L);
    struct Case {
        int no;
        long double ratio, limit;
    };
    for (const Case& c : {Case{63, 2, (a + 1) / 4}, Case{77, 0.5L, a + 1}, Case{92, 1, a + 1}}) {
        SCOPED_TRACE(c.no);
        const DesignedStage over = Design(Target(c.no, qp, c.ratio, c.limit * 1.01L));
        EXPECT_TRUE(over.record().GainForced);
        EXPECT_NEAR(static_cast<double>(over.record().ActualGain / c.limit), 0.95, 1e-12);
        ExpectNotchRoundTrip(over, false);
        const DesignedStage under = Design(Target(c.no, qp, c.ratio, c.limit * 0.9L));
        EXPECT_FALSE(under.record().GainForced);
        EXPECT_NEAR(static_cast<double>(under.record().ActualGain / c.limit), 0.9, 1e-12);
    }
}

// Gains the topology fixes.
TEST(NotchGains, FixedByTheCircuit) {
    const long double qp = 2;
    struct Case {
        int no;
        long double ratio, gain;
    };
    for (const Case& c : {Case{59, 2, 0.25L}, Case{60, 2, 0.25L}, Case{64, 2, 0.25L}, Case{73, 0.5L, 2 / 1.25L},
                          Case{74, 0.5L, 1}, Case{78, 0.5L, 1}, Case{87, 1, 1}, Case{88, 1, 1}, Case{89, 1, 1},
                          Case{93, 1, 2 * qp / (2 * qp + 1)}}) {
        SCOPED_TRACE(c.no);
        const DesignedStage d = Design(Target(c.no, qp, c.ratio, 7));
        EXPECT_TRUE(d.record().GainForced);
        EXPECT_NEAR(static_cast<double>(d.record().ActualGain), static_cast<double>(c.gain), 1e-11);
    }
}

// The KHN (non-inverting input) notch cannot damp below Q = 1/2: R4 = (2·Q - 1)·R1 = 0.
TEST(KhnNonInvertingNotch, QOfOneHalfIsInvalid) {
    for (int no : {61, 75, 90}) {
        EXPECT_TRUE(Design(Target(no, 0.5L, no == 61 ? 2 : no == 75 ? 0.5L : 1)).record().Invalid) << no;
        EXPECT_FALSE(Design(Target(no, 0.51L, no == 61 ? 2 : no == 75 ? 0.5L : 1)).record().Invalid) << no;
    }
}

}  // namespace
}  // namespace tavrel::design_testing
