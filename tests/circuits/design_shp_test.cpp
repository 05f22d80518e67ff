#include <gtest/gtest.h>

#include "design_round_trip.h"

namespace tavrel::design_testing {
namespace {

const std::vector<long double> kQps{0.5L, 0.577L, 0.7071L, 1.3L, 5, 20, 50};
// At Qp = 0.5 the twin-T cubic has a triple root and below it three real ones, so the pole
// pair cannot be told from the network's real pole; the twin-T grids start above it.
const std::vector<long double> kTwinTQps{0.577L, 0.7071L, 1.3L, 5, 20, 50};

struct HighpassTargets {
    int circuitNo;
    std::vector<long double> gains;
    const std::vector<long double>* qps = &kQps;
};

class HighpassDesign : public ::testing::TestWithParam<HighpassTargets> {};

TEST_P(HighpassDesign, RoundTripOverTheGrid) {
    for (const DesignRequest& q : SecondOrderGrid(GetParam().circuitNo, *GetParam().qps, GetParam().gains))
        ExpectRoundTrip(Design(q));
}

TEST_P(HighpassDesign, SensitivitySlotsAreLogDerivatives) {
    for (const DesignRequest& q : SecondOrderGrid(GetParam().circuitNo, *GetParam().qps, GetParam().gains, false, false, true))
        ExpectSensitivitySlots(Design(q));
}

TEST_P(HighpassDesign, OpAmpCoefficientsMatchSinglePoleOpAmps) {
    for (const DesignRequest& q : SecondOrderGrid(GetParam().circuitNo, *GetParam().qps, GetParam().gains, false, false, true))
        if (q.qp > 0.55L) ExpectOpAmpCoefficients(Design(q));
}

// Gains below, at and above the limits of the circuits that take the desired gain.
INSTANTIATE_TEST_SUITE_P(Circuits, HighpassDesign,
                         ::testing::Values(HighpassTargets{26, {0.5L, 1, 3}}, HighpassTargets{28, {0.5L, 1, 3}},
                                           HighpassTargets{29, {1, 2, 3}}, HighpassTargets{30, {0.5L, 1, 3}, &kTwinTQps},
                                           HighpassTargets{32, {0.1L, 1, 10}}, HighpassTargets{34, {0.5L, 1, 3}},
                                           HighpassTargets{35, {0.1L, 1, 10}}),
                         [](const auto& info) { return "No" + std::to_string(info.param.circuitNo); });

TEST(HighpassDesign, FixedGainCircuitsForceTheirGain) {
    for (auto [no, gain] : {std::pair{26, 1.0L}, {28, 1.0L}, {29, 2.0L}, {30, 1.0L}, {34, 1.0L}}) {
        DesignRequest q;
        q.circuitNo = no;
        q.wp = 10000;
        q.qp = 2;
        q.gain = 5;
        const DesignedStage d = Design(q);
        EXPECT_EQ(d.record().ActualGain, gain) << no;
        EXPECT_TRUE(d.record().GainForced) << no;
    }
}

TEST(HighpassDesign, TwinTHighpassRealPoleSitsAtThePoleFrequency) {
    DesignRequest q;
    q.circuitNo = 30;
    q.wp = 5000;
    q.qp = 3;
    const DesignedStage d = Design(q);
    EXPECT_NEAR(static_cast<double>(d.record().AuxPoleW), 5000, 1e-6);
}

}  // namespace
}  // namespace tavrel::design_testing
