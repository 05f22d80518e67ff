#include <gtest/gtest.h>

#include <vector>

#include "notch_targets.h"

namespace tavrel::design_testing {
namespace {

class NotchDesign : public ::testing::TestWithParam<NotchTargets> {};

// The KHN damping resistors (2·Q - 1)·R1 (non-inverting input) and (3·Q - 1)·R1 (inverting
// input) must be positive: Q above 1/2 and 1/3 (a strong predistortion can push DesignQ below);
// the single-amplifier and Berka-Herpy lowpass notches need the zero above the (predistorted)
// pole frequency;
// every other circuit realises the whole grid.
bool Realizable(const DesignedStage& d) {
    const int no = d.record().CircuitNo;
    const long double q = d.record().DesignQ;
    // A predistortion that drives the design Q to zero or below (k2 of -425 for the MB notch at
    // Qp 50 with wp/(2π·GBW) = 1/190) leaves nothing to build.
    if (!(q > 0) || !(d.record().DesignW > 0)) return false;
    if (no == 61 || no == 75 || no == 90) return q > 0.5L;
    if (no == 62 || no == 76 || no == 91) return q > 1.0L / 3;
    if (no == 56 || no == 57 || no == 58 || no == 64)
        return d.record().DesignW > 0 && d.design.stage.Wz > d.record().DesignW;
    return true;
}

TEST_P(NotchDesign, RoundTripOverTheGrid) {
    int designed = 0;
    for (const DesignRequest& q : NotchGrid(GetParam())) {
        const DesignedStage d = Design(q);
        ExpectValidity(d, Realizable(d));
        ExpectNotchRoundTrip(d, GetParam().zeroFollowsPole, GetParam().tolerance);
        designed += d.record().Invalid ? 0 : 1;
    }
    EXPECT_GT(designed, 0);
}

TEST_P(NotchDesign, SensitivitySlotsAreLogDerivatives) {
    for (const DesignRequest& q : NotchGrid(GetParam(), true)) ExpectSensitivitySlots(Design(q));
}

// k1 and k2 against the pole pair of the template with single-pole op amps (complex pairs only).
TEST_P(NotchDesign, OpAmpCoefficientsMatchSinglePoleOpAmps) {
    for (const DesignRequest& q : NotchGrid(GetParam(), true))
        if (q.qp > 0.55L) ExpectOpAmpCoefficients(Design(q));
}

// The second-order notches fill their zero-frequency slots with d ln wz / d ln x.
class SecondOrderNotchDesign : public NotchDesign {};

TEST_P(SecondOrderNotchDesign, ZeroFrequencySlotsAreLogDerivatives) {
    for (const DesignRequest& q : NotchGrid(GetParam(), true)) ExpectZeroFrequencySlots(Design(q));
}

// The twin-T and Sallen-Key notch slots: the transform of the cubics' classical
// sensitivities (taken here by central differences), with the routines' weights.
class ThirdOrderNotchDesign : public NotchDesign {};

TEST_P(ThirdOrderNotchDesign, CubicSlotsAreTheTransformOfTheCoefficientSensitivities) {
    for (const DesignRequest& q : NotchGrid(GetParam(), true)) {
        const DesignedStage d = Design(q);
        ExpectCubicSlots(d, 1 + 1 / d.record().DesignQ);
        // The real pole is the one the record names.
        EXPECT_NEAR(static_cast<double>(RealPoleOf(d) / d.record().AuxPoleW), 1.0, 1e-9) << Describe(q);
    }
}

std::vector<NotchTargets> LowpassNotchTargets() {
    return {NotchTargets{56, kLowpassNotchRatios, kNotchQps, kNotchGains},
            NotchTargets{57, kLowpassNotchRatios, kNotchQps, kNotchGains},
            NotchTargets{58, kLowpassNotchRatios, kNotchQps, kNotchGains},
            NotchTargets{59, kLowpassNotchRatios, kNotchQps, kNotchGains},
            NotchTargets{60, kLowpassNotchRatios, kCubicQps, kNotchGains},
            NotchTargets{61, kLowpassNotchRatios, kNotchQps, kNotchGains},
            NotchTargets{62, kLowpassNotchRatios, kTransformQps, kNotchGains},
            NotchTargets{63, kLowpassNotchRatios, kNotchQps, kNotchGains},
            NotchTargets{64, kLowpassNotchRatios, kNotchQps, kNotchGains},
            NotchTargets{65, kLowpassNotchRatios, kNotchQps, kNotchGains}};
}

std::vector<NotchTargets> HighpassNotchTargets() {
    return {NotchTargets{71, kHighpassNotchRatios, kNotchQps, kNotchGains, false,
                         kFriendHighpassTolerance},
            NotchTargets{72, kHighpassNotchRatios, kNotchQps, kNotchGains},
            NotchTargets{73, kHighpassNotchRatios, kNotchQps, kNotchGains},
            NotchTargets{74, kHighpassNotchRatios, kCubicQps, kNotchGains},
            NotchTargets{75, kHighpassNotchRatios, kNotchQps, kNotchGains},
            NotchTargets{76, kHighpassNotchRatios, kTransformQps, kNotchGains},
            NotchTargets{77, kHighpassNotchRatios, kNotchQps, kNotchGains},
            NotchTargets{78, kHighpassNotchRatios, kNotchQps, kNotchGains},
            NotchTargets{79, kHighpassNotchRatios, kNotchQps, kNotchGains}};
}

std::vector<NotchTargets> SymmetricNotchTargets() {
    return {NotchTargets{86, kSymmetricNotchRatios, kCubicQps, kNotchGains, true},
            NotchTargets{87, kSymmetricNotchRatios, kNotchQps, kNotchGains, true},
            NotchTargets{88, kSymmetricNotchRatios, kCubicQps, kNotchGains, true},
            NotchTargets{89, kSymmetricNotchRatios, kCubicQps, kNotchGains, true},
            NotchTargets{90, kSymmetricNotchRatios, kNotchQps, kNotchGains},
            NotchTargets{91, kSymmetricNotchRatios, kTransformQps, kNotchGains},
            NotchTargets{92, kSymmetricNotchRatios, kNotchQps, kNotchGains},
            NotchTargets{93, kSymmetricNotchRatios, kNotchQps, kNotchGains, true},
            NotchTargets{94, kSymmetricNotchRatios, kNotchQps, kNotchGains}};
}

// The targets of the circuits whose notch is of the order asked for (a twin-T network gives
// third-order polynomials).
std::vector<NotchTargets> OfOrder(const std::vector<NotchTargets>& targets, bool thirdOrder) {
    std::vector<NotchTargets> chosen;
    for (const NotchTargets& t : targets)
        if (FindCircuit(t.circuitNo)->thirdOrder == thirdOrder) chosen.push_back(t);
    return chosen;
}

INSTANTIATE_TEST_SUITE_P(LowpassNotch, NotchDesign, ::testing::ValuesIn(LowpassNotchTargets()), NotchTestName);
INSTANTIATE_TEST_SUITE_P(HighpassNotch, NotchDesign, ::testing::ValuesIn(HighpassNotchTargets()), NotchTestName);
INSTANTIATE_TEST_SUITE_P(SymmetricNotch, NotchDesign, ::testing::ValuesIn(SymmetricNotchTargets()), NotchTestName);
INSTANTIATE_TEST_SUITE_P(LowpassNotch, SecondOrderNotchDesign, ::testing::ValuesIn(OfOrder(LowpassNotchTargets(), false)),
                         NotchTestName);
INSTANTIATE_TEST_SUITE_P(HighpassNotch, SecondOrderNotchDesign,
                         ::testing::ValuesIn(OfOrder(HighpassNotchTargets(), false)), NotchTestName);
INSTANTIATE_TEST_SUITE_P(SymmetricNotch, SecondOrderNotchDesign,
                         ::testing::ValuesIn(OfOrder(SymmetricNotchTargets(), false)), NotchTestName);
INSTANTIATE_TEST_SUITE_P(LowpassNotch, ThirdOrderNotchDesign, ::testing::ValuesIn(OfOrder(LowpassNotchTargets(), true)),
                         NotchTestName);
INSTANTIATE_TEST_SUITE_P(HighpassNotch, ThirdOrderNotchDesign, ::testing::ValuesIn(OfOrder(HighpassNotchTargets(), true)),
                         NotchTestName);
INSTANTIATE_TEST_SUITE_P(SymmetricNotch, ThirdOrderNotchDesign,
                         ::testing::ValuesIn(OfOrder(SymmetricNotchTargets(), true)), NotchTestName);

}  // namespace
}  // namespace tavrel::design_testing
