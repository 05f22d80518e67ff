#include <gtest/gtest.h>

#include "support/case_name.h"

#include "design_round_trip.h"

namespace tavrel::design_testing {
namespace {

class FirstOrderDesign : public ::testing::TestWithParam<int> {};

const std::vector<long double> kGains{0.5L, 1, 1.1L, 1.2L, 10};

TEST_P(FirstOrderDesign, RoundTripAndSensitivitySlots) {
    for (const DesignRequest& q : FirstOrderGrid(GetParam(), kGains)) {
        const DesignedStage d = Design(q);
        ExpectValidity(d, true);
        ExpectRoundTrip(d);
        ExpectSensitivitySlots(d);
    }
}

INSTANTIATE_TEST_SUITE_P(Circuits, FirstOrderDesign, ::testing::Values(1, 2, 3, 6, 7, 8, 9),
                         [](const auto& info) { return "No" + std::to_string(info.param); });

struct GainRule {
    int circuitNo;
    long double desired, realized;
    bool forced;
};

void PrintTo(const GainRule& c, std::ostream* os) {
    *os << "circuit " << c.circuitNo << " asked " << static_cast<double>(c.desired);
}

class FirstOrderGain : public ::testing::TestWithParam<GainRule> {};

TEST_P(FirstOrderGain, RealizesTheCircuitsGain) {
    DesignRequest q;
    q.circuitNo = GetParam().circuitNo;
    q.wc = 5000;
    q.gain = GetParam().desired;
    const DesignedStage d = Design(q);
    EXPECT_NEAR(d.record().ActualGain, GetParam().realized, 1e-12);
    EXPECT_EQ(d.record().GainForced != 0, GetParam().forced);
}

INSTANTIATE_TEST_SUITE_P(Rules, FirstOrderGain,
                         ::testing::Values(GainRule{1, 3, 1, true}, GainRule{2, 1, 1.1L, true},
                                           GainRule{2, 1.1L, 1.1L, true}, GainRule{2, 1.5L, 1.5L, false},
                                           GainRule{7, 0.5L, 1.1L, true}, GainRule{3, 0.5L, 0.5L, false},
                                           GainRule{8, 4, 4, false}, GainRule{9, 4, 4, false},
                                           GainRule{6, 4, 1, true}),
                         testing_support::PrintedName());

// A stored desired gain of exactly 1.1 counts as at the limit.
// The gain pair R2, R3 of First Order Lowpass II keeps the 10 kOhm default of R3 and steps down
// when R2 would exceed 100 kOhm. Values that land on standard values stay exactly as solved
// and unmarked: only the standardising steps mark a value as standard.
TEST(FirstOrderLowpassII, GainPairDefaultIsKeptAndLargeRatiosStepDown) {
    DesignRequest q;
    q.circuitNo = 2;
    q.wc = 5000;
    q.gain = 2;
    const DesignedStage d = Design(q);
    EXPECT_EQ(d.record().Resistors[2].Value, 10000);
    // R2 = R3 for gain 2; R1 = 1/(10 nF · 5000 rad/s) = 20 kOhm.
    EXPECT_EQ(d.record().Resistors[1].Value, 10000);
    EXPECT_NEAR(d.record().Resistors[0].Value, 20000, 1e-9);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(d.record().Resistors[static_cast<size_t>(i)].Marked, 0) << "R" << i + 1;
        EXPECT_EQ(d.record().Resistors[static_cast<size_t>(i)].ExactValue, 0) << "R" << i + 1;
    }
    q.gain = 1.05L;  // forced to 1.1: R2 = 10 × R3 = 100 kOhm, just within the limit
    EXPECT_EQ(Design(q).record().Resistors[2].Value, 10000);
    q.gain = 1.01L;
    q.circuitNo = 7;
    EXPECT_NEAR(Design(q).record().ActualGain, 1.1L, 1e-12);
}

}  // namespace
}  // namespace tavrel::design_testing
