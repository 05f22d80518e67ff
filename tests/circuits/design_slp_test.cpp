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

TEST_P(LowpassDesign, RoundTripOverTheGrid) {
    for (const DesignRequest& q : Targets(GetParam())) ExpectRoundTrip(Design(q));
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

}  // namespace
}  // namespace tavrel::design_testing
