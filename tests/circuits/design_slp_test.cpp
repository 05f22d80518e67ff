#include <gtest/gtest.h>

#include "circuits/network/nodal_analysis.h"
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
    const char* part = "";  // tells apart two grids of one circuit
};

void PrintTo(const CircuitTargets& t, std::ostream* os) {
    *os << "circuit " << t.circuitNo << (t.c2Variable ? " C2 variable" : "") << (t.equal ? " equal" : "") << " " << t.part;
}

std::vector<DesignRequest> Targets(const CircuitTargets& t, bool sparse = false) {
    return SecondOrderGrid(t.circuitNo, t.qps, t.gains, t.c2Variable, t.equal, sparse);
}

const std::vector<long double> kQps{0.5L, 0.577L, 0.7071L, 1.3L, 5, 20, 50};
const std::vector<long double> kGains{0.5L, 1, 1.1L, 2, 10};
// At Qp = 0.5 the twin-T cubic has a triple root and below it three real ones, so the pole
// pair cannot be told from the network's real pole; the twin-T grid starts above it.
// The MFB lowpass II with C2 = 10·C1 reaches Qp = 50 with gain 10 only through a positive
// feedback whose Q condition number is about 2500: the rounding of the 6-byte values alone
// then moves Q by 2e-9, so that corner stays out of the 1e-9 grid.
const std::vector<long double> kQpsBelow50{0.5L, 0.577L, 0.7071L, 1.3L, 5, 20};
const std::vector<long double> kGainsBelow10{0.5L, 1, 1.1L, 2};
const std::vector<long double> kTwinTQps{0.577L, 0.7071L, 1.3L, 5, 20, 50};

class LowpassDesign : public ::testing::TestWithParam<CircuitTargets> {};

// The damping resistor of the non-inverting KHN lowpass, (2·Q - 1)·R1, must be positive (at
// Q = 1/2 the gain 2 - 1/Q is 0), the divider resistor (3·Q - 1)·R1 of the inverting one must
// not be negative and the Tow-Thomas damping resistor Q·R1 must be positive; a strong
// predistortion can push DesignQ below those limits. The Sallen-Key lowpass II with its equal
// resistors needs a gain above 1: 2/m > 1/(sqrt(m)·Q), that is m < 4·Q². Every other circuit
// realises the grid (the MB lowpass holds its gain below 2, where its divider resistor R4 would
// leave the positive values).
bool Realizable(const DesignedStage& d) {
    const long double q = d.record().DesignQ;
    switch (d.record().CircuitNo) {
        case 12: return d.record().CapRatio < 4 * q * q;
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
        ExpectValidity(d, Realizable(d));
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
                                           CircuitTargets{12, kQps, kGains},
                                           CircuitTargets{12, kQps, kGains, true},
                                           CircuitTargets{12, kQps, kGains, false, true},
                                           CircuitTargets{13, kQps, kGains},
                                           CircuitTargets{14, kQpsBelow50, kGains},
                                           CircuitTargets{14, {50}, kGainsBelow10, false, false, "Qp50"},
                                           CircuitTargets{15, kQps, kGains},
                                           CircuitTargets{16, kQps, kGains},
                                           CircuitTargets{17, kTwinTQps, kGains},
                                           CircuitTargets{18, kQps, kGains},
                                           CircuitTargets{19, kQps, kGains},
                                           CircuitTargets{20, kQps, kGains},
                                           CircuitTargets{21, kQps, {0.5L, 1, 1.95L, 2, 10}},
                                           CircuitTargets{22, kQps, kGains},
                                           CircuitTargets{23, kQps, kGains}),
                         [](const auto& info) {
                             return "No" + std::to_string(info.param.circuitNo) +
                                    (info.param.c2Variable ? "C2Variable" : "") + (info.param.equal ? "Equal" : "") + info.param.part;
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
                          Case{19, 2, 5, 1, true}, Case{20, 2, 5, 5, false}, Case{20, 0.7071L, 0.2L, 0.2L, false},
                          // MB: at most 1.95, a larger gain becomes 1.95; BH: fixed 1; AM: any gain.
                          Case{21, 2, 1.5L, 1.5L, false}, Case{21, 2, 1.95L, 1.95L, false},
                          Case{21, 2, 1.96L, 1.95L, true}, Case{21, 0.7071L, 10, 1.95L, true},
                          Case{22, 2, 0.5L, 1, true}, Case{22, 2, 5, 1, true}, Case{23, 2, 0.2L, 0.2L, false},
                          Case{23, 0.7071L, 5, 5, false}}) {
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

TEST(SallenKeyLowpassII, CapacitorsOfTheThreeDesigns) {
    // As set (C2 = 10·C1): equal resistors reach Qp = 5 with a = 1.2 - 1/(sqrt(10)·5), not 0.7071.
    DesignRequest q = SecondOrderTarget(12, 5, 5);
    const DesignedStage asSet = Design(q);
    EXPECT_FALSE(asSet.record().Invalid);
    EXPECT_NEAR(static_cast<double>(asSet.record().ActualGain), 1.2 - 1 / (std::sqrt(10.0) * 5), 1e-12);
    EXPECT_TRUE(asSet.record().GainForced);
    EXPECT_EQ(asSet.values.R[1], asSet.values.R[2]);
    q.qp = 0.7071L;
    EXPECT_TRUE(Design(q).record().Invalid);
    // " C2 variable": the decade below 4·Qp² (exactly 100 goes to 10).
    q.c2Variable = true;
    for (auto [qp, m] : {std::pair{5.0L, 10.0L}, {1.3L, 1.0L}, {0.7071L, 1.0L}, {0.5L, 0.1L}, {20.0L, 1000.0L}}) {
        q.qp = qp;
        const DesignedStage d = Design(q);
        EXPECT_NEAR(static_cast<double>(d.record().CapRatio), static_cast<double>(m), 1e-12 * m) << qp;
        EXPECT_FALSE(d.record().Invalid) << qp;
    }
    // " C1=C2 : R1=R2": a = 3 - 1/Q.
    q.c2Variable = false;
    q.equal = true;
    q.qp = 2;
    const DesignedStage equal = Design(q);
    EXPECT_EQ(equal.record().CapRatio, 1);
    EXPECT_NEAR(static_cast<double>(equal.record().ActualGain), 2.5, 1e-12);
    EXPECT_NEAR(static_cast<double>(equal.values.R[3] / equal.values.R[4]), 1 / 1.5, 1e-9);
    q.qp = 0.5L;
    EXPECT_TRUE(Design(q).record().Invalid);
}

TEST(MfbLowpassII, LeastPositiveFeedbackThatGivesTheQ) {
    // C2 = 10·C1 and K = 1 reach Qp = 0.7071 without help: the floor rho·m = 0.1 keeps R4 a resistor.
    const DesignedStage low = Design(SecondOrderTarget(14, 0.7071L, 1));
    EXPECT_NEAR(static_cast<double>(low.values.R[4] / low.values.R[5]), 0.01, 1e-12);
    EXPECT_EQ(low.record().ActualGain, 1);
    EXPECT_FALSE(low.record().GainForced);
    // Qp = 5 needs 1 - rho·m = m/(4·Qp²·(1 + K)) = 0.05, the double root R3 = 1/(2·(1 + K)·Qp·C1·W).
    const DesignedStage high = Design(SecondOrderTarget(14, 5, 1));
    EXPECT_NEAR(static_cast<double>(high.values.R[4] / high.values.R[5]), 0.095, 1e-12);
    EXPECT_NEAR(static_cast<double>(high.values.R[3] * 20 * high.values.C[1] * 10000), 1, 1e-9);
}

TEST(TwinTLowpass, UnityGainPairRatioAndRealPoleAtThePoleFrequency) {
    const DesignedStage d = Design(SecondOrderTarget(17, 3, 4));
    EXPECT_EQ(d.record().ActualGain, 1);
    EXPECT_TRUE(d.record().GainForced);
    EXPECT_NEAR(static_cast<double>(d.values.R[4] / d.values.R[5]), 4 * 3 - 1, 1e-9);
    EXPECT_NEAR(static_cast<double>(d.record().AuxPoleW), 10000, 1e-6);
}

// Capacitors the engineer set apart from C1 = C2 (a capacitor ratio other than the circuit's
// own): the MB, BH and AM resistors of the C2 integrator follow C2.
TEST(ThreeOpAmpLowpass, RoundTripWithUnequalCapacitors) {
    for (int no : {21, 22, 23})
        for (long double ratio : {0.47L, 2.2L})
            for (bool compensate : {false, true}) {
                DesignRequest q;
                q.circuitNo = no;
                q.wp = 20000;
                q.qp = 3;
                q.gain = 1.5L;
                q.capRatio = ratio;
                q.compensate = compensate;
                q.gbwHz = 1e6;
                const DesignedStage d = Design(q);
                EXPECT_FALSE(d.record().Invalid) << Describe(q);
                ExpectRoundTrip(d);
                ExpectSensitivitySlots(d);
            }
}

// The BH lowpass numerator holds an s term C1·R9·(R1·R6 - R2·R5)/(R6·(R1 + R2)) that a lowpass
// has no use for; the designed values must make it vanish.
TEST(ThreeOpAmpLowpass, BerkaHerpyNumeratorHasNoSTerm) {
    const Topology& topology = FindCircuit(22)->plain.topology;
    for (const DesignRequest& q : SecondOrderGrid(22, kQps, {1}, false, false, true)) {
        const DesignedStage d = Design(q);
        const TransferPolynomials h = NodalTransfer(topology, d.values);
        ASSERT_GE(h.numerator.size(), 2u);
        // n1·wp/n0 is the size of the s term at the pole frequency.
        EXPECT_LE(std::fabs(h.numerator[1] * q.wp / h.numerator[0]), 1e-12L) << Describe(q);
    }
}

}  // namespace
}  // namespace tavrel::design_testing
