#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

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
    bool c2Variable = false;
    bool equal = false;
};

void PrintTo(const HighpassTargets& t, std::ostream* os) {
    *os << "circuit " << t.circuitNo << (t.c2Variable ? " C2 variable" : "") << (t.equal ? " equal" : "");
}

std::vector<DesignRequest> Targets(const HighpassTargets& t, bool sparse = false) {
    return SecondOrderGrid(t.circuitNo, *t.qps, t.gains, t.c2Variable, t.equal, sparse);
}

// A pre-distortion that takes the design Q to zero or below leaves nothing to realise; the
// equal-component Sallen-Key highpass II leaves the Q to the amplifier gain 3 - 1/Q, which
// needs Q above 1/2; every other design realises the whole grid (the gains beyond reach are
// limited instead).
bool Realizable(const DesignedStage& d) {
    if (d.record().DesignQ <= 0) return false;
    if (d.record().CircuitNo == 27 && d.request.equal) return d.record().DesignQ > 0.5L;
    return true;
}

class HighpassDesign : public ::testing::TestWithParam<HighpassTargets> {};

TEST_P(HighpassDesign, RoundTripOverTheGrid) {
    for (const DesignRequest& q : Targets(GetParam())) {
        const DesignedStage d = Design(q);
        ExpectValidity(d, Realizable(d));
        ExpectRoundTrip(d);
    }
}

TEST_P(HighpassDesign, SensitivitySlotsAreLogDerivatives) {
    for (const DesignRequest& q : Targets(GetParam(), true))
        ExpectSensitivitySlots(Design(q));
}

TEST_P(HighpassDesign, OpAmpCoefficientsMatchSinglePoleOpAmps) {
    for (const DesignRequest& q : Targets(GetParam(), true))
        if (q.qp > 0.55L) ExpectOpAmpCoefficients(Design(q));
}

// Gains below, at and above the limits of the circuits that take the desired gain.
INSTANTIATE_TEST_SUITE_P(Circuits, HighpassDesign,
                         ::testing::Values(HighpassTargets{26, {0.5L, 1, 3}}, HighpassTargets{27, {0.5L, 1.05L, 2, 4}},
                                           HighpassTargets{27, {0.5L, 1.05L, 2, 4}, &kQps, true},
                                           HighpassTargets{27, {1}, &kQps, false, true},
                                           HighpassTargets{28, {0.5L, 1, 3}},
                                           HighpassTargets{29, {1, 2, 3}}, HighpassTargets{30, {0.5L, 1, 3}, &kTwinTQps},
                                           HighpassTargets{31, {0.1L, 1, 1.9L, 10}}, HighpassTargets{32, {0.1L, 1, 10}},
                                           HighpassTargets{33, {0.5L, 1, 1.2L, 2.5L}}, HighpassTargets{34, {0.5L, 1, 3}},
                                           HighpassTargets{35, {0.1L, 1, 10}}),
                         [](const auto& info) {
                             return "No" + std::to_string(info.param.circuitNo) +
                                    (info.param.c2Variable ? "C2Variable" : "") + (info.param.equal ? "Equal" : "");
                         });

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

// The Sallen-Key highpass II takes gains from 1.05 up; smaller ones become 1.05.
TEST(SallenKeyHighpassII, GainsBelowOnePointZeroFiveAreRaised) {
    for (auto [gain, realised, forced] : {std::tuple{0.5L, 1.05L, true}, {1.0L, 1.05L, true}, {1.05L, 1.05L, false},
                                          {1.2L, 1.2L, false}, {4.0L, 4.0L, false}}) {
        const DesignedStage d = Design(SecondOrderTarget(27, 2, gain));
        EXPECT_NEAR(static_cast<double>(d.record().ActualGain), static_cast<double>(realised), 1e-9) << gain;
        EXPECT_EQ(d.record().GainForced != 0, forced) << gain;
        EXPECT_FALSE(d.record().Invalid);
        ExpectRoundTrip(d);
    }
}

// Equal capacitors and resistors: the gain 3 - 1/Q is the design's, Q = 1/2 is out of reach.
TEST(SallenKeyHighpassII, EqualComponentsFixTheGain) {
    DesignRequest q = SecondOrderTarget(27, 2, 1.5L);
    q.equal = true;
    const DesignedStage d = Design(q);
    EXPECT_NEAR(static_cast<double>(d.record().ActualGain), 2.5, 1e-9);
    EXPECT_TRUE(d.record().GainForced);
    EXPECT_EQ(d.record().Capacitors[1].Value, d.record().Capacitors[0].Value);
    EXPECT_NEAR(static_cast<double>(d.record().Resistors[0].Value / d.record().Resistors[1].Value), 1, 1e-9);
    q.qp = 0.5L;
    EXPECT_TRUE(Design(q).record().Invalid);
}

// " C2 variable" takes the decade capacitor ratio above 4·Qp².
TEST(SallenKeyHighpassII, C2VariableTakesTheDecadeAboveFourQSquared) {
    for (auto [qp, ratio] : {std::pair{0.5L, 10.0L}, {1.5L, 10.0L}, {5.0L, 1000.0L}, {20.0L, 10000.0L}}) {
        DesignRequest q = SecondOrderTarget(27, qp, 2);
        q.c2Variable = true;
        const DesignedStage d = Design(q);
        EXPECT_EQ(d.record().CapRatio, ratio) << qp;
        EXPECT_FALSE(d.record().C2Adjustable);
    }
}

// The MB highpass gives at most 1 + 1/sqrt(Qp); at and above it the gain becomes 0.9 of it.
TEST(MikhaelBhattacharyyaHighpass, GainIsCappedAtNineTenthsOfItsLimit) {
    const long double limit = 1 + 1 / std::sqrt(2.0L);
    for (auto [gain, realised, forced] : {std::tuple{1.0L, 1.0L, false}, {1.7L, 1.7L, false},
                                          {limit, 0.9L * limit, true}, {5.0L, 0.9L * limit, true}}) {
        const DesignedStage d = Design(SecondOrderTarget(33, 2, gain));
        EXPECT_NEAR(static_cast<double>(d.record().ActualGain), static_cast<double>(realised), 1e-9) << gain;
        EXPECT_EQ(d.record().GainForced != 0, forced) << gain;
        ExpectRoundTrip(d);
    }
}

// The KHN non-inverting highpass takes any gain: equal summer resistors up to 2 - 1/Q (there
// all resistors but the damping one are equal), a larger summer ratio above.
TEST(KhnNonInvertingHighpass, EqualResistorsAtTheNaturalGain) {
    DesignRequest q = SecondOrderTarget(31, 4, 2 - 1.0L / 4);
    q.wp = 12345;
    const DesignedStage d = Design(q);
    const auto& r = d.record().Resistors;
    for (int i : {1, 2, 5, 6}) EXPECT_NEAR(static_cast<double>(r[static_cast<size_t>(i - 1)].Value / r[2].Value), 1, 1e-9) << i;
    EXPECT_NEAR(static_cast<double>(r[3].Value / r[2].Value), 7, 1e-9);
    for (long double gain : {0.1L, 1.0L, 1.75L, 3.0L, 30.0L}) {
        const DesignedStage g = Design(SecondOrderTarget(31, 4, gain));
        EXPECT_FALSE(g.record().GainForced);
        EXPECT_FALSE(g.record().Invalid);
        ExpectRoundTrip(g);
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
