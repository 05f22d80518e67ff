#include <gtest/gtest.h>

#include "design_round_trip.h"

namespace tavrel::design_testing {
namespace {

// One circuit's targets: the grid and the " C2 variable" / " C1=C2 : R1=R2" variants it offers.
struct CircuitTargets {
    int circuitNo;
    std::vector<long double> qps;
    std::vector<long double> gains;
    bool c2Variable = false;
    bool equal = false;
};

std::vector<DesignRequest> Targets(const CircuitTargets& t, bool sparse = false) {
    return SecondOrderGrid(t.circuitNo, t.qps, t.gains, t.c2Variable, t.equal, sparse);
}

const std::vector<long double> kQps{0.5L, 0.577L, 0.7071L, 1.3L, 5, 20, 50};
const std::vector<long double> kGains{0.5L, 1, 1.1L, 2, 10};

class LowpassDesign : public ::testing::TestWithParam<CircuitTargets> {};

// The damping resistor of the non-inverting KHN lowpass, (2·Q - 1)·R1, must be positive (at
// Q = 1/2 the gain 2 - 1/Q is 0), the divider resistor (3·Q - 1)·R1 of the inverting one must
// not be negative and the Tow-Thomas damping resistor Q·R1 must be positive; a strong
// predistortion can push DesignQ below those limits. Every other circuit realises the grid.
bool Realizable(const DesignedStage& d) {
    const long double q = d.record().DesignQ;
    switch (d.record().CircuitNo) {
        case 18: return q > 0.5L;
        case 19: return q >= 1.0L / 3;
        case 20: return q > 0;
        default: return true;
    }
}

TEST_P(LowpassDesign, RoundTripOverTheGrid) {
    int designed = 0;
    for (const DesignRequest& q : Targets(GetParam())) {
        const DesignedStage d = Design(q);
        if (GetParam().circuitNo >= 18 && GetParam().circuitNo <= 20) {
            EXPECT_EQ(d.record().Invalid != 0, !Realizable(d)) << Describe(q);
        }
        ExpectRoundTrip(d);
        designed += d.record().Invalid ? 0 : 1;
    }
    EXPECT_GT(designed, 0);
}

TEST_P(LowpassDesign, SensitivitySlotsAreLogDerivatives) {
    for (const DesignRequest& q : Targets(GetParam(), true)) ExpectSensitivitySlots(Design(q));
}

TEST_P(LowpassDesign, OpAmpCoefficientsMatchSinglePoleOpAmps) {
    for (const DesignRequest& q : Targets(GetParam(), true))
        if (q.qp > 0.55L) ExpectOpAmpCoefficients(Design(q));
}

INSTANTIATE_TEST_SUITE_P(Circuits, LowpassDesign,
                         ::testing::Values(CircuitTargets{11, kQps, kGains},
                                           CircuitTargets{11, kQps, kGains, true},
                                           CircuitTargets{13, kQps, kGains},
                                           CircuitTargets{15, kQps, kGains},
                                           CircuitTargets{16, kQps, kGains},
                                           CircuitTargets{18, kQps, kGains},
                                           CircuitTargets{19, kQps, kGains},
                                           CircuitTargets{20, kQps, kGains}),
                         [](const auto& info) {
                             return "No" + std::to_string(info.param.circuitNo) +
                                    (info.param.c2Variable ? "C2Variable" : "") + (info.param.equal ? "Equal" : "");
                         });

TEST(SallenKeyLowpassI, C2VariableTakesTheDecadeAboveFourQSquared) {
    DesignRequest q;
    q.circuitNo = 11;
    q.wp = 10000;
    q.c2Variable = true;
    q.qp = 1.5L;
    const DesignedStage a = Design(q);
    EXPECT_EQ(a.record().CapRatio, 10);
    EXPECT_FALSE(a.record().Invalid);
    ExpectRoundTrip(a);
    q.qp = 5;  // 4·Qp² = 100 lies on a decade and goes to the next
    EXPECT_EQ(Design(q).record().CapRatio, 1000);
}

TEST(SallenKeyLowpassI, GainIsFixedAtOne) {
    DesignRequest q;
    q.circuitNo = 11;
    q.wp = 10000;
    q.qp = 0.7071L;
    q.gain = 3;
    const DesignedStage d = Design(q);
    EXPECT_EQ(d.record().ActualGain, 1);
    EXPECT_TRUE(d.record().GainForced);
}

// The three-op-amp lowpass circuits: the gain the circuit realises, and whether it is its own.
TEST(ThreeOpAmpLowpass, GainRules) {
    struct Case {
        int circuitNo;
        long double qp, desired, realised;
        bool forced;
    };
    for (const Case& c : {Case{18, 2, 5, 1.5L, true}, Case{18, 0.7071L, 1, 2 - 1 / 0.7071L, true},
                          Case{19, 2, 5, 1, true}, Case{20, 2, 5, 5, false}, Case{20, 0.7071L, 0.2L, 0.2L, false}}) {
        DesignRequest q;
        q.circuitNo = c.circuitNo;
        q.wp = 10000;
        q.qp = c.qp;
        q.gain = c.desired;
        const DesignedStage d = Design(q);
        EXPECT_NEAR(static_cast<double>(d.record().ActualGain), static_cast<double>(c.realised), 1e-10)
            << c.circuitNo;
        EXPECT_EQ(d.record().GainForced != 0, c.forced) << c.circuitNo;
        ExpectRoundTrip(d);
    }
}

}  // namespace
}  // namespace tavrel::design_testing
