#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "circuits/equations/design_merits.h"
#include "circuits/equations/input_attenuation_note.h"
#include "design_round_trip.h"

namespace tavrel::design_testing {
namespace {

DesignRequest Target(int no, long double wp, long double qp, long double wz, long double gain) {
    DesignRequest q;
    q.circuitNo = no;
    q.wp = wp, q.qp = qp, q.wz = wz, q.gain = gain;
    return q;
}

// A value as the design gave it.
long double Value(const DesignedStage& d, char kind, int n) {
    return kind == 'R' ? d.values.R[static_cast<size_t>(n)] : d.values.C[static_cast<size_t>(n)];
}

// Friend's SAB: the input divider R1/R4 passes a1 = R4/(R1 + R4) to node 3, the divider at the
// non-inverting input passes a3 of the input and k of the output; K = a3/(1 - k). The gain
// is at its largest when a1 = 1 (R4 open) or a3 = 1 - k (R6 open).
struct SabDividers {
    long double a1, a3, k;
};

SabDividers DividersOf(const DesignedStage& d) {
    const long double g3 = 1 / Value(d, 'R', 3), g6 = 1 / Value(d, 'R', 6), g7 = 1 / Value(d, 'R', 7);
    return {Value(d, 'R', 4) / (Value(d, 'R', 1) + Value(d, 'R', 4)), g3 / (g3 + g6 + g7), g7 / (g3 + g6 + g7)};
}

TEST(FriendLowpassNotch, GainAboveTheMaximumRealizes95PercentOfIt) {
    for (long double ratio : {1.1L, 2.0L, 10.0L})
        for (long double qp : {0.7071L, 5.0L, 50.0L}) {
            const DesignedStage d = Design(Target(56, 2000, qp, ratio * 2000, 10));
            SCOPED_TRACE(Describe(d.request));
            ASSERT_FALSE(d.record().Invalid);
            EXPECT_TRUE(d.record().GainForced);
            const SabDividers s = DividersOf(d);
            EXPECT_NEAR(static_cast<double>(std::max(s.a1, s.a3 / (1 - s.k))), 0.95, 1e-9);
            // Half that gain is taken as it is.
            const long double half = d.record().ActualGain / 2;
            const DesignedStage h = Design(Target(56, 2000, qp, ratio * 2000, half));
            EXPECT_FALSE(h.record().GainForced);
            EXPECT_EQ(static_cast<double>(h.record().ActualGain), static_cast<double>(Real48::Round(half)));
            EXPECT_NEAR(static_cast<double>(std::max(DividersOf(h).a1, DividersOf(h).a3 / (1 - DividersOf(h).k))),
                        0.475, 1e-9);
        }
}

TEST(FriendHighpassNotch, GainOfOneOrMoreBecomesOneOverOnePointOne) {
    struct Case {
        long double gain, realized;
        bool forced;
    };
    for (const Case& c : {Case{1, 1 / 1.1L, true}, Case{3, 1 / 1.1L, true}, Case{0.5L, 0.5L, false}}) {
        const DesignedStage d = Design(Target(71, 2000, 5, 1000, c.gain));
        SCOPED_TRACE(Describe(d.request));
        ASSERT_FALSE(d.record().Invalid);
        EXPECT_NEAR(static_cast<double>(d.record().ActualGain), static_cast<double>(c.realized), 1e-11);
        EXPECT_EQ(d.record().GainForced != 0, c.forced);
    }
}

// With the zero close to the pole at low Q the divider R1/R4 limits the highpass notch's gain
// before a3 + k = 1 does; 1/1.1 is then capped at 0.95 of that limit.
TEST(FriendHighpassNotch, InputDividerLimitsTheGainNearThePole) {
    const DesignedStage d = Design(Target(71, 2000, 0.7071L, 0.9L * 2000, 1));
    ASSERT_FALSE(d.record().Invalid);
    EXPECT_TRUE(d.record().GainForced);
    EXPECT_LT(static_cast<double>(d.record().ActualGain), 1 / 1.1);
    EXPECT_NEAR(static_cast<double>(DividersOf(d).a1), 0.95, 1e-9);
}

// Active compensation: the second amplifier's divider R8, R9 divides as R3 || R6 against R7 at
// the first's non-inverting input, the stage is not pre-distorted, and the added resistors
// carry no sensitivities.
TEST(FriendNotch, ActiveCompensationAddsTheSecondAmplifiersResistors) {
    for (int no : {56, 71}) {
        DesignRequest q = Target(no, 62832, 5, no == 56 ? 2 * 62832 : 62832 / 2, 0.5L);
        q.compensate = true;
        q.gbwHz = 1e6;
        PreparedDesign p = PrepareDesign(q).value();
        p.record.CompResistors = 1;
        DesignStage(p.stage, p.record);
        const StageCircuitRecord& r = p.record;
        SCOPED_TRACE(no);
        EXPECT_FALSE(r.Invalid);
        EXPECT_EQ(r.ResistorCount, 9);
        EXPECT_EQ(r.Compensate, 0);
        EXPECT_EQ(static_cast<double>(r.DesignW), 62832.0);
        EXPECT_EQ(static_cast<double>(r.Resistors[8].Value), static_cast<double>(r.Resistors[6].Value));
        const long double r3 = r.Resistors[2].Value, r6 = r.Resistors[5].Value;
        EXPECT_EQ(static_cast<double>(r.Resistors[7].Value), static_cast<double>(Real48(r3 * r6 / (r3 + r6))));
        for (int i : {7, 8})
            for (const Real48& s : r.Resistors[static_cast<size_t>(i)].Sens) EXPECT_EQ(static_cast<double>(s), 0.0);
    }
}

// Boctor: R1 = R2, C2 = (1/j + 2)²·Q²·C1 and R4 = j·R1 with the smallest integer
// j > 1/((wz/wp)² - 1).
TEST(BoctorLowpassNotch, IntegerParameterFromTheZeroRatio) {
    struct Case {
        long double ratio;
        int j;
    };
    for (const Case& c : {Case{1.1L, 5}, Case{1.5L, 1}, Case{2, 1}, Case{1.05L, 10}}) {
        const DesignedStage d = Design(Target(58, 2000, 3, c.ratio * 2000, 1));
        SCOPED_TRACE(Describe(d.request));
        ASSERT_FALSE(d.record().Invalid);
        const long double u = 1.0L / c.j + 2;
        EXPECT_NEAR(static_cast<double>(Value(d, 'C', 2) / Value(d, 'C', 1) / (u * u * 9)), 1.0, 1e-11);
        EXPECT_NEAR(static_cast<double>(Value(d, 'R', 4) / Value(d, 'R', 1)), c.j, 1e-9 * c.j);
        EXPECT_NEAR(static_cast<double>(Value(d, 'R', 2) / Value(d, 'R', 1)), 1.0, 1e-11);
        EXPECT_TRUE(d.record().GainForced);
    }
}

// Scultety lowpass notch: R1 = sqrt(2·Q)/(C1·W), R5 = 10 kOhm; the gain at infinity lies
// between 1/(wz/W)² (DC gain 1) and 1, and only a few percent of that range keep the divider's
// Q sensitivity low, so a large desired gain is limited.
TEST(ScultetyLowpassNotch, ResistorsAndGainRange) {
    const DesignedStage d = Design(Target(57, 2000, 2, 4000, 10));
    ASSERT_FALSE(d.record().Invalid);
    EXPECT_NEAR(static_cast<double>(Value(d, 'R', 1) * Value(d, 'C', 1) * 2000), 2.0, 1e-11);
    EXPECT_NEAR(static_cast<double>(d.values.R[5]), 10000.0, 1e-9);
    EXPECT_TRUE(d.record().GainForced);
    const long double k = d.record().ActualGain;
    EXPECT_GT(static_cast<double>(k), 0.25);
    EXPECT_LT(static_cast<double>(k), 1.0);
    // The DC gain 1 + R5/R4 is K·(wz/wp)².
    EXPECT_NEAR(static_cast<double>(1 + d.values.R[5] / Value(d, 'R', 4)), static_cast<double>(4 * k), 1e-9);
}

// Scultety highpass notch: the gain is what the resistors give, 1 + R6/R5.
TEST(ScultetyHighpassNotch, GainResultsFromTheResistors) {
    for (long double gain : {0.5L, 1.0L, 4.0L}) {
        const DesignedStage d = Design(Target(72, 2000, 5, 1000, gain));
        ASSERT_FALSE(d.record().Invalid);
        EXPECT_TRUE(d.record().GainForced);
        EXPECT_NEAR(static_cast<double>(d.record().ActualGain),
                    static_cast<double>(1 + d.values.R[6] / d.values.R[5]), 1e-12);
    }
}

// The input dividers of the three lowpass notches, read from the netlists: the resistor from
// the input against the others at the amplifier input it feeds, the output at ground.
struct DividerCase {
    int no;
    int series, shunt, otherShunt;
};

TEST(InputAttenuation, DividersOfTheLowpassNotches) {
    for (const DividerCase& c : {DividerCase{56, 3, 6, 7}, DividerCase{57, 3, 4, 5}, DividerCase{58, 5, 6, 0}}) {
        const DesignedStage d = Design(Target(c.no, 2000, 2, 4000, 0.5L));
        SCOPED_TRACE(c.no);
        ASSERT_FALSE(d.record().Invalid);
        const auto& x = d.values.R;
        const long double g = 1 / x[static_cast<size_t>(c.series)];
        const long double total =
            g + 1 / x[static_cast<size_t>(c.shunt)] + (c.otherShunt ? 1 / x[static_cast<size_t>(c.otherShunt)] : 0);
        // InputAttenuation is stored as a 6-byte real.
        EXPECT_NEAR(static_cast<double>(d.record().InputAttenuation / (total / g)), 1.0, 1e-11);
        const double db = static_cast<double>(20 * std::log10(total / g));
        char figure[32];
        std::snprintf(figure, sizeof figure, db < 10 ? "%.1f" : "%.0f", db);
        EXPECT_EQ(InputAttenuationNote(d.record()), std::string("DC input attenuated ") + figure + "dB by resistors R" +
                                                         std::to_string(c.series) + " and R" +
                                                         std::to_string(c.shunt) + ".");
    }
}

// Boctor at Qp 2, wz = 2·wp: j = 1, K = 3/(1 + 4 + 1/4) = 4/7, and the divider R5/R6 is that
// gain: 1.75, 4.86 dB.
TEST(InputAttenuation, BoctorWorkedExample) {
    const DesignedStage d = Design(Target(58, 2000, 2, 4000, 1));
    EXPECT_NEAR(static_cast<double>(d.record().ActualGain), 4.0 / 7, 1e-12);
    EXPECT_NEAR(static_cast<double>(d.record().InputAttenuation), 1.75, 1e-12);
    EXPECT_EQ(InputAttenuationNote(d.record()), "DC input attenuated 4.9dB by resistors R5 and R6.");
}

TEST(InputAttenuation, NoNoteWithoutDivision) {
    StageCircuitRecord r;
    EXPECT_EQ(InputAttenuationNote(r), "");
    r.InputAttenuation = 4;  // 12.04 dB: no decimal from 10 dB on
    r.AttenResistors = {'1', '4'};
    EXPECT_EQ(InputAttenuationNote(r), "DC input attenuated 12dB by resistors R1 and R4.");
}

// The figures the circuit selection compares, from the designed values.
TEST(SingleAmplifierNotchMerits, SpreadsAndRecommendedGbw) {
    for (int no : {56, 57, 58, 71, 72}) {
        const bool lowpass = no < 60;
        const DesignedStage d = Design(Target(no, 62832, 5, lowpass ? 2 * 62832 : 62832 / 2, 0.5L));
        SCOPED_TRACE(no);
        ASSERT_FALSE(d.record().Invalid);
        const StageCircuitRecord& r = d.record();
        auto spread = [](const auto& entries, int count) {
            long double lo = entries[0].Value, hi = lo;
            for (size_t i = 0; i < std::min(static_cast<size_t>(count), entries.size()); ++i) {
                lo = std::min<long double>(lo, entries[i].Value);
                hi = std::max<long double>(hi, entries[i].Value);
            }
            return static_cast<std::int32_t>(hi / lo);
        };
        const DesignMerits m = MeritsOf(r);
        EXPECT_EQ(m.RSpread, spread(r.Resistors, r.ResistorCount));
        EXPECT_EQ(m.CSpread, spread(r.Capacitors, r.CapacitorCount));
        // 20·max(|k1|, |k2|)·wp/(2π), its leading digit rounded down to a half step.
        long double g = 20 * std::max(std::fabs(r.FreqShiftCoef), std::fabs(r.QShiftCoef)) * 62832 /
                        (2 * std::numbers::pi_v<long double>);
        long double scale = 1;
        while (g / scale > 9.9999L) scale *= 10;
        const long double lead = g / scale;
        const long double half = std::floor(lead) + (lead - std::floor(lead) >= 0.5L ? 0.5L : 0);
        EXPECT_NEAR(static_cast<double>(m.MinGBW), static_cast<double>(half * scale), 1e-6 * static_cast<double>(scale));
    }
}

}  // namespace
}  // namespace tavrel::design_testing
