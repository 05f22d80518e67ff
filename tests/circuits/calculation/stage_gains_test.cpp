#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "calculation_fixture.h"
#include "circuits/calculation/stage_gains.h"

namespace tavrel::calculation_testing {
namespace {

// Circuits of the lowpass stages used here: the unity-gain Sallen-Key lowpass (11) fixes its
// gain at 1; the multiple-feedback lowpass I (13) takes any gain.
constexpr int kUnityGain = 11;
constexpr int kAnyGain = 13;

const HandStage kFirst{StageCode::SLP, 10000, 0.7071L};
const HandStage kSecond{StageCode::SLP, 14000, 1.3L};
const HandStage kThird{StageCode::SLP, 20000, 3};

long double ProductOfRealizedGains(const Design& design) {
    long double product = 1;
    for (int s = 1; s <= design.State.StageCount; ++s) product *= RealizedGain(design, s);
    return product;
}

TEST(StageGains, OverallGainIsSharedEquallyInDecibels) {
    auto design = HandDesign({kFirst, kSecond, kThird}, 8);  // 18.06 dB
    SetOptimalGains(*design);
    for (int s = 1; s <= 3; ++s) EXPECT_NEAR(static_cast<double>(design->Circuit(s).DesiredGain), 2, 1e-15) << s;
    // A user gain replaces the distributed one.
    design->Circuit(2).UserGainSet = 1;
    design->Circuit(2).UserGain = 5;
    SetOptimalGains(*design);
    EXPECT_EQ(design->Circuit(2).ActualGain, 5);
    EXPECT_NEAR(static_cast<double>(design->Circuit(3).ActualGain), 2, 1e-15);
}

// A unity-gain stage asked for 4 in a two-stage filter: the other stage takes 4 times its own
// desired gain, and the filter keeps its overall gain.
TEST(StageGains, ConstrainedFirstStageIsMadeUpByTheSecond) {
    auto design = HandDesign({kFirst, kSecond}, 16);
    SelectAndCalculate(*design, {kUnityGain, kAnyGain});
    const StageCircuitRecord &first = design->Circuit(1), &second = design->Circuit(2);
    EXPECT_TRUE(first.GainForced);
    EXPECT_NEAR(static_cast<double>(first.DesiredGain), 4, 1e-12);
    EXPECT_NEAR(static_cast<double>(first.ActualGain), 1, 1e-9);
    EXPECT_FALSE(second.GainForced);
    EXPECT_NEAR(static_cast<double>(second.ActualGain / second.DesiredGain), 4, 1e-9);
    EXPECT_NEAR(static_cast<double>(ProductOfRealizedGains(*design)), 16, 16e-9);
}

// The last of three stages constrained to half its desired gain: both free stages get sqrt 2.
TEST(StageGains, TrailingConstrainedStageIsSharedByTheFreeStagesBefore) {
    auto design = HandDesign({kFirst, kSecond, kThird}, 8);
    SelectAndCalculate(*design, {kAnyGain, kAnyGain, kUnityGain});
    for (int s : {1, 2})
        EXPECT_NEAR(static_cast<double>(design->Circuit(s).ActualGain / design->Circuit(s).DesiredGain), std::sqrt(2.0),
                    1e-9)
            << s;
    EXPECT_NEAR(static_cast<double>(design->Circuit(3).ActualGain), 1, 1e-9);
    EXPECT_NEAR(static_cast<double>(ProductOfRealizedGains(*design)), 8, 8e-9);
    ReportGains(*design);
    EXPECT_NEAR(static_cast<double>(design->State.ActualOverallGain), 8, 8e-9);
    EXPECT_EQ(design->State.ForcedStageCount, 1);
}

// All stages constrained: nothing is compensated, and the report shows the gain the circuits give.
TEST(StageGains, AllConstrainedStagesKeepTheirGains) {
    auto design = HandDesign({kFirst, kSecond}, 4);
    SelectAndCalculate(*design, {kUnityGain, kUnityGain});
    ReportGains(*design);
    EXPECT_NEAR(static_cast<double>(design->State.ActualOverallGain), 1, 1e-9);
    EXPECT_NEAR(static_cast<double>(design->State.ActualOverallGain),
                static_cast<double>(design->State.OverallGain * design->Circuit(1).GainRatio * design->Circuit(2).GainRatio),
                1e-12);
    EXPECT_EQ(design->State.ForcedStageCount, 2);
}

// A run of constrained stages in the middle is made up by the first free stage after it, the
// output levels follow the gains, and the product of the gains is the overall gain.
TEST(StageGains, RunOfConstrainedStagesIsMadeUpAfterIt) {
    auto design = HandDesign({kFirst, kSecond, kThird, {StageCode::SLP, 30000, 0.9L}}, 1000);
    SelectAndCalculate(*design, {kAnyGain, kUnityGain, kUnityGain, kAnyGain});
    const StageCircuitRecord &s1 = design->Circuit(1), &s2 = design->Circuit(2), &s3 = design->Circuit(3),
                             &s4 = design->Circuit(4);
    EXPECT_NEAR(static_cast<double>(s1.ActualGain / s1.DesiredGain), 1, 1e-9);
    const long double shortfall = (s2.DesiredGain / s2.ActualGain) * (s3.DesiredGain / s3.ActualGain);
    EXPECT_NEAR(static_cast<double>(s4.ActualGain / s4.DesiredGain / shortfall), 1, 1e-9);
    EXPECT_NEAR(static_cast<double>(ProductOfRealizedGains(*design) / 1000), 1, 1e-9);
    // Output levels: the running excess peaks at 1 (the first and the last stage are at their
    // optimal levels), which is 100 %; from stage to stage the level moves by the stage's
    // gain against its optimal gain.
    EXPECT_NEAR(static_cast<double>(design->State.PeakGainExcess), 1, 1e-9);
    long double highest = 0;
    for (int s = 1; s <= 4; ++s) highest = std::max(highest, static_cast<long double>(design->Circuit(s).GainPercent));
    EXPECT_NEAR(static_cast<double>(highest), 100, 1e-9);
    for (int s = 2; s <= 4; ++s) {
        const StageCircuitRecord& r = design->Circuit(s);
        EXPECT_NEAR(static_cast<double>(r.GainPercent / design->Circuit(s - 1).GainPercent),
                    static_cast<double>(r.ActualGain / r.DesiredGain), 1e-9)
            << s;
    }
}

}  // namespace
}  // namespace tavrel::calculation_testing
