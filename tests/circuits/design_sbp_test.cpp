#include <gtest/gtest.h>

#include "design_round_trip.h"

namespace tavrel::design_testing {
namespace {

const std::vector<long double> kQps{0.5L, 0.577L, 0.7071L, 1.3L, 5, 20, 50};
// At Qp = 0.5 the twin-T cubic has a triple root and below it three real ones, so the pole
// pair cannot be told from the network's real pole; the twin-T grids start above it.
const std::vector<long double> kTwinTQps{0.577L, 0.7071L, 1.3L, 5, 20, 50};

// Whether a circuit can realise pole Q q with gain k and capacitor ratio m.
using Realisability = bool (*)(long double q, long double k, long double m);

struct BandpassTargets {
    int circuitNo;
    std::vector<long double> gains;
    const std::vector<long double>* qps = &kQps;
    bool c2Variable = false;
    Realisability realisable = nullptr;  // the circuits whose Invalid is checked
};

void PrintTo(const BandpassTargets& t, std::ostream* os) {
    *os << "circuit " << t.circuitNo << (t.c2Variable ? " C2 variable" : "");
}

// Deliyannis II: the quadratic in 1 - beta, K·g² - (K + 1)·g + (m + 1)·Q²/(m·K), needs a root in
// (0, 1) (g = 1 would short R3): a real one at all; one root lies below 1 and one above when the
// gain is over the Deliyannis value (m + 1)·Q²/m, both below 1 when the gain is under it and
// above 1 (their mean (K + 1)/(2·K) is then below 1), and 1 is a root at the value itself.
bool DeliyannisIIRealises(long double q, long double k, long double m) {
    const long double deliyannis = (m + 1) * q * q / m;
    return (k + 1) * (k + 1) >= 4 * deliyannis && (k > deliyannis || (k < deliyannis && k > 1));
}

// The Sallen-Key bandpass finds a positive R2 for every Q and gain, the MFB bandpass II holds
// gains out of reach at 0.9 of its limit, and the Deliyannis bandpass I fixes its gain.
bool AlwaysRealises(long double, long double, long double) { return true; }

// Invalid exactly when the target or, with predistortion, the predistorted target is out of
// the circuit's reach; an op amp far too slow for the design pre-distorts Q to zero or below.
void ExpectValidityRule(const DesignedStage& d, Realisability realisable) {
    SCOPED_TRACE(Describe(d.request));
    const StageCircuitRecord& r = d.record();
    const long double k = r.ActualGain, m = r.CapRatio;
    const bool expected = realisable(d.request.qp, k, m) &&
                          (!d.request.compensate || (r.DesignQ > 0 && realisable(r.DesignQ, k, m)));
    ExpectValidity(d, expected);
}

std::vector<DesignRequest> Targets(const BandpassTargets& t, bool sparse = false) {
    return SecondOrderGrid(t.circuitNo, *t.qps, t.gains, t.c2Variable, false, sparse);
}

class BandpassDesign : public ::testing::TestWithParam<BandpassTargets> {};

TEST_P(BandpassDesign, RoundTripOverTheGrid) {
    for (const DesignRequest& q : Targets(GetParam())) {
        const DesignedStage d = Design(q);
        ExpectRoundTrip(d);
        if (GetParam().realisable) ExpectValidityRule(d, GetParam().realisable);
    }
}

TEST_P(BandpassDesign, SensitivitySlotsAreLogDerivatives) {
    for (const DesignRequest& q : Targets(GetParam(), true)) ExpectSensitivitySlots(Design(q));
}

TEST_P(BandpassDesign, OpAmpCoefficientsMatchSinglePoleOpAmps) {
    for (const DesignRequest& q : Targets(GetParam(), true))
        if (q.qp > 0.55L) ExpectOpAmpCoefficients(Design(q));
}

INSTANTIATE_TEST_SUITE_P(Circuits, BandpassDesign,
                         ::testing::Values(BandpassTargets{41, {0.5L, 1, 3}},
                                           BandpassTargets{42, {0.5L, 1, 3, 30}, &kQps, false, DeliyannisIIRealises},
                                           BandpassTargets{41, {0.5L, 1, 3}, &kQps, true, AlwaysRealises},
                                           BandpassTargets{43, {0.1L, 1, 3, 30}, &kQps, false, AlwaysRealises},
                                           BandpassTargets{43, {0.1L, 1, 3, 30}, &kQps, true, AlwaysRealises},
                                           BandpassTargets{44, {0.1L, 1, 3, 1e4L}},
                                           BandpassTargets{45, {0.1L, 1, 3, 1e4L}, &kQps, false, AlwaysRealises},
                                           BandpassTargets{45, {0.1L, 1, 3, 1e4L}, &kQps, true, AlwaysRealises},
                                           BandpassTargets{46, {1, 2, 3}}, BandpassTargets{47, {0.5L, 1, 3}, &kTwinTQps},
                                           BandpassTargets{48, {0.1L, 1, 10, 1000}},
                                           BandpassTargets{49, {0.1L, 1, 10}},
                                           BandpassTargets{50, {0.1L, 1, 10}}, BandpassTargets{51, {0.1L, 1, 1.95L, 3}},
                                           BandpassTargets{52, {0.5L, 1, 1.5L, 30}},
                                           BandpassTargets{53, {0.1L, 1, 10}}),
                         [](const auto& info) {
                             return "No" + std::to_string(info.param.circuitNo) + (info.param.c2Variable ? "C2Variable" : "");
                         });

DesignRequest Target(int no, long double qp, long double gain) { return SecondOrderTarget(no, qp, gain); }

TEST(MfbBandpassI, AboveItsLimitRealisesNineTenthsOfIt) {
    // m = 10 from the descriptor: the limit is 1.1·Qp².
    const DesignedStage d = Design(Target(44, 3, 50));
    EXPECT_NEAR(static_cast<double>(d.record().ActualGain), 0.9 * 1.1 * 9, 1e-9);
    EXPECT_TRUE(d.record().GainForced);
    ExpectRoundTrip(d);
    const DesignedStage below = Design(Target(44, 3, 5));
    EXPECT_EQ(below.record().ActualGain, 5);
    EXPECT_FALSE(below.record().GainForced);
}

TEST(DeliyannisBandpassI, GainFollowsFromQAndTheCapacitorRatio) {
    const DesignedStage d = Design(Target(41, 2, 1));
    EXPECT_NEAR(static_cast<double>(d.record().ActualGain), 1.1 * 4, 1e-9);
    EXPECT_TRUE(d.record().GainForced);
}

TEST(BerkaHerpyBandpass, GainAtOrBelowOneBecomesOnePointOne) {
    const DesignedStage d = Design(Target(52, 2, 1));
    EXPECT_NEAR(static_cast<double>(d.record().ActualGain), 1.1, 1e-12);
    EXPECT_TRUE(d.record().GainForced);
}

TEST(BerkaHerpyBandpass, GainOfTwiceQOrMoreCannotBeRealised) {
    EXPECT_TRUE(Design(Target(52, 2, 4.5L)).record().Invalid);
    EXPECT_FALSE(Design(Target(52, 2, 3.5L)).record().Invalid);
}

// The KHN loops take any gain and the Mikhael-Bhattacharyya bandpass any gain up to its
// limit 1.95 (below the divider's bound 2); what they cannot realise is a pre-distortion that
// drives W or Q to zero or below (an op amp far too slow for the target) and, in the
// inverting KHN loop, a pre-distorted Q so low that the divider R7, R4 would need
// 2·Q + K <= 1.
bool Realisable(int no, const StageCircuitRecord& r) {
    const long double w = r.DesignW, q = r.DesignQ, k = r.ActualGain;
    return w > 0 && q > 0 && (no != 49 || 2 * q + k > 1);
}

TEST(ThreeAmplifierBandpass, InvalidExactlyWhenTheTargetCannotBeRealised) {
    int unrealisable = 0;
    for (int no : {48, 49, 51})
        for (const DesignRequest& q : SecondOrderGrid(no, kQps, {0.01L, 1, 1.95L, 100})) {
            const DesignedStage d = Design(q);
            ExpectValidity(d, Realisable(no, d.record()));
            unrealisable += !Realisable(no, d.record());
        }
    EXPECT_GT(unrealisable, 0);  // the grid's slow op amps reach the limit
}

TEST(MikhaelBhattacharyyaBandpass, GainAboveOnePointNineFiveBecomesOnePointNineFive) {
    const struct {
        long double desired, realised;
        bool forced;
    } cases[] = {{3, 1.95L, true}, {1.96L, 1.95L, true}, {1.95L, 1.95L, false}, {0.2L, 0.2L, false}};
    for (const auto& c : cases) {
        const DesignedStage d = Design(Target(51, 5, c.desired));
        EXPECT_NEAR(static_cast<double>(d.record().ActualGain), static_cast<double>(c.realised), 1e-11)
            << static_cast<double>(c.desired);
        EXPECT_EQ(d.record().GainForced, c.forced) << static_cast<double>(c.desired);
        ExpectRoundTrip(d);
    }
}

TEST(KhnBandpass, TakesGainsFarFromTwiceQ) {
    // The equal-resistor designs of the loops tie the gain to Q (2·Q - 1 in the
    // non-inverting, Q in the inverting loop); the routines take the desired gain instead.
    for (int no : {48, 49})
        for (long double gain : {0.05L, 39.0L, 2000.0L}) {
            const DesignedStage d = Design(Target(no, 20, gain));
            EXPECT_NEAR(static_cast<double>(static_cast<long double>(d.record().ActualGain) / gain), 1, 1e-11) << no;
            EXPECT_FALSE(d.record().GainForced) << no;
            ExpectRoundTrip(d);
        }
}

TEST(DeliyannisBandpassII, BelowTheDeliyannisGainTakesTheSmallerFeedbackFraction) {
    // m = 1, Q = 1: 1.9·g² - 2.9·g + 2/1.9 = 0 has the roots g = (2.9 ± sqrt(0.41))/3.8, both
    // below 1; the larger g is the smaller fraction beta = R3/(R3 + R4) of the output.
    const DesignedStage d = Design(Target(42, 1, 1.9L));
    ASSERT_FALSE(d.record().Invalid);
    const long double beta = 1 - (2.9L + std::sqrt(0.41L)) / 3.8L;
    const long double r3 = d.values.R[3], r4 = d.values.R[4];
    EXPECT_NEAR(static_cast<double>(r3 / (r3 + r4)), static_cast<double>(beta), 1e-9);
    EXPECT_NEAR(static_cast<double>(d.record().ActualGain), 1.9, 1e-12);
    EXPECT_FALSE(d.record().GainForced);
    ExpectRoundTrip(d);
}

TEST(SallenKeyBandpass, AmplifierFeedbackIsNegativeWithRealOpAmps) {
    // The divider R4, R5 returns the output to the inverting input, so with single-pole op amps
    // the only natural frequency besides the pole pair is the real one near -wt/1.5; fed to the
    // non-inverting input it would sit near +wt/1.5 and the stage would latch.
    const DesignedStage d = Design(Target(43, 2, 1));
    ASSERT_FALSE(d.record().Invalid);
    const auto& elements = d.circuit->plain.topology.elements;
    const long double wt = 1000 * 10000;
    const Complex s = NaturalFrequencyNear(elements, d.values.R, d.values.C, wt, Complex(wt / 1.5L, 0));
    EXPECT_LT(static_cast<double>(s.real()), 0);
}

TEST(SallenKeyBandpass, AmplifierGainIsOnePointFive) {
    const DesignedStage d = Design(Target(43, 5, 2));
    EXPECT_NEAR(static_cast<double>(d.values.R[4] / d.values.R[5]), 2, 1e-12);
    EXPECT_NEAR(static_cast<double>(d.record().ActualGain), 2, 1e-12);
    EXPECT_FALSE(d.record().GainForced);
}

TEST(MfbBandpassII, AboveItsLimitRealisesNineTenthsOfIt) {
    // m = 10, Q = 3: the limit (m + 1)·Q²/(2·m) + 1 = 5.95.
    const DesignedStage d = Design(Target(45, 3, 50));
    EXPECT_NEAR(static_cast<double>(d.record().ActualGain), 0.9 * 5.95, 1e-9);
    EXPECT_TRUE(d.record().GainForced);
    ExpectRoundTrip(d);
    const DesignedStage below = Design(Target(45, 3, 5));
    EXPECT_NEAR(static_cast<double>(below.record().ActualGain), 5, 1e-12);
    EXPECT_FALSE(below.record().GainForced);
}

long double NetworkSpread(const DesignedStage& d) {
    const auto& r = d.values.R;
    return std::max({r[1], r[2], r[3]}) / std::min({r[1], r[2], r[3]});
}

TEST(C2Variable, DeliyannisBandpassITakesEqualCapacitors) {
    DesignRequest q = Target(41, 3, 1);
    q.c2Variable = true;
    const DesignedStage d = Design(q);
    EXPECT_EQ(d.record().CapRatio, 1);
    EXPECT_NEAR(static_cast<double>(d.record().ActualGain), 2 * 9, 1e-9);
    EXPECT_NEAR(static_cast<double>(d.values.R[2] / d.values.R[1]), 4 * 9, 1e-9);
}

TEST(C2Variable, TheDecadeRatioOfLeastResistorSpread) {
    // Each decade ratio designed on its own: the " C2 variable" design has the least spread of
    // R1..R3 among those that take the desired gain.
    for (int no : {43, 45})
        for (long double qp : {0.7071L, 5.0L, 20.0L})
            for (long double gain : {0.1L, 1.0L, 10.0L}) {
                DesignRequest q = Target(no, qp, gain);
                q.c2Variable = true;
                const DesignedStage chosen = Design(q);
                ASSERT_FALSE(chosen.record().Invalid);
                EXPECT_FALSE(chosen.record().GainForced);
                for (int e = -3; e <= 3; ++e) {
                    DesignRequest fixed = Target(no, qp, gain);
                    fixed.capRatio = std::pow(10.0L, e);
                    const DesignedStage other = Design(fixed);
                    if (other.record().GainForced) continue;
                    EXPECT_LE(NetworkSpread(chosen), NetworkSpread(other) * (1 + 1e-9L))
                        << no << " qp " << static_cast<double>(qp) << " gain " << static_cast<double>(gain) << " m 1e" << e;
                }
            }
}

TEST(KhnNonInvertingBandpass, AtTheGainTwiceQLessOneAllLoopResistorsAreEqual) {
    // The classical equal-resistor design: R4 = (2·Q - 1)·R1, the integrators equal, and the
    // op-amp coefficients 1 - 3/(2·Qp), 3/(2·Qp) - 4·Qp.
    for (long double qp : {0.7071L, 5.0L, 20.0L}) {
        DesignRequest q = Target(48, qp, 2 * qp - 1);
        q.wp = 12345;
        const DesignedStage d = Design(q);
        const StageCircuitRecord& r = d.record();
        const long double r1 = r.Resistors[0].Value;
        for (int i : {2, 3, 5, 6})
            EXPECT_NEAR(static_cast<double>(r.Resistors[static_cast<size_t>(i - 1)].Value / r1), 1, 1e-9) << i;
        EXPECT_NEAR(static_cast<double>(r.Resistors[3].Value / r1), static_cast<double>(2 * qp - 1), 1e-9);
        EXPECT_NEAR(static_cast<double>(r.FreqShiftCoef), static_cast<double>(1 - 3 / (2 * qp)), 1e-9);
        EXPECT_NEAR(static_cast<double>(r.QShiftCoef), static_cast<double>(3 / (2 * qp) - 4 * qp), 1e-9);
    }
}

}  // namespace
}  // namespace tavrel::design_testing
