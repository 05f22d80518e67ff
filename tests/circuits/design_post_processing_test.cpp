#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "circuits/catalog/circuit_definition.h"
#include "design_round_trip.h"

namespace tavrel::design_testing {
namespace {

bool IsPass(int stageType) {
    return stageType == StageCode::SLP || stageType == StageCode::SHP || stageType == StageCode::SBP;
}

// The designed lowpass, highpass and bandpass circuits, with or without a gain pair.
std::vector<int> DesignedPassCircuits(bool gainPair) {
    std::vector<int> list;
    for (const CircuitDefinition& circuit : Circuits())
        if (IsPass(circuit.stageType) && (!gainPair || circuit.calc.gainPair)) list.push_back(circuit.circuitNo);
    return list;
}

DesignRequest Target(int no, long double qp = 2) {
    DesignRequest q;
    q.circuitNo = no;
    q.wp = 10000;
    q.qp = qp;
    q.gain = 1.5L;
    return q;
}

ComponentEntry& Pair(StageCircuitRecord& r, int fromEnd) {
    return r.Resistors[static_cast<size_t>(r.ResistorCount - 1 - fromEnd)];
}
long double PairValue(const DesignedStage& d, int fromEnd) {
    return d.values.R[static_cast<size_t>(d.record().ResistorCount - fromEnd)];
}

class GainPairDefaults : public ::testing::TestWithParam<int> {};

// The last resistor of the pair starts from GainResDefault, the other is scaled onto
// GainRes2Default; the pair's ratio (and with it the stage) stays as designed.
TEST_P(GainPairDefaults, ImposedValuesKeepTheDesign) {
    // A gain the circuit realises (the Deliyannis bandpass II needs one above 1.1·Qp²).
    DesignRequest q = Target(GetParam());
    DesignedStage plain = Design(q);
    if (plain.record().Invalid) {
        q.gain = 10;
        plain = Design(q);
    }
    ASSERT_FALSE(plain.record().Invalid);
    const long double ratio = PairValue(plain, 0) / PairValue(plain, 1);

    const DesignedStage last = DesignWith(q, [](StageCircuitRecord& r) {
        r.GainResDefault = 2200;
        Pair(r, 0).Value = 1;  // a leftover of an earlier design does not count
    });
    EXPECT_NEAR(PairValue(last, 0), 2200, 2200 * 1e-12);
    EXPECT_NEAR(PairValue(last, 0) / PairValue(last, 1), ratio, ratio * 1e-11);  // both stored to 39 fraction bits
    ExpectRoundTrip(last);

    const DesignedStage both = DesignWith(q, [](StageCircuitRecord& r) {
        r.GainResDefault = 2200;
        r.GainRes2Default = 4700;
    });
    EXPECT_NEAR(PairValue(both, 1), 4700, 4700 * 1e-12);
    EXPECT_NEAR(PairValue(both, 0) / PairValue(both, 1), ratio, ratio * 1e-11);  // both stored to 39 fraction bits
    ExpectRoundTrip(both);

    // Defaults at or below 0.1 Ohm are no choice (a stored 0.1 compares as stored).
    const DesignedStage none = DesignWith(q, [](StageCircuitRecord& r) { r.GainRes2Default = 0.1L; });
    EXPECT_EQ(PairValue(none, 1), PairValue(plain, 1));
}

INSTANTIATE_TEST_SUITE_P(Circuits, GainPairDefaults, ::testing::ValuesIn(DesignedPassCircuits(true)),
                         [](const auto& info) { return "No" + std::to_string(info.param); });

// The largest relative difference between what the values realise and what the design
// promises, over the figures of the stage type.
long double WorstError(const DesignedStage& d) {
    const Realized want = Promised(d), got = RealizedOf(d.values, *d.circuit);
    long double worst = 0;
    for (const Figure& f : FiguresOf(d.stageType()))
        worst = std::max(worst, RelativeError(got.*f.member, want.*f.member));
    return worst;
}

class KeptCapacitors : public ::testing::TestWithParam<int> {};

// Capacitors set by hand (C2 up and C3 down by delta from their designed values) stay as they
// are. A routine that takes C2 as its free choice designs for it exactly; otherwise the
// resistors are re-solved (through the sensitivity slots, or exactly where the circuit has a
// closed form), which keeps the stage at least to first order: halving delta quarters what is
// left. Small steps: the Q of the twin-T highpass at Qp = 10 rests on the balance of its
// network and leaves 38 % at delta = 0.02.
TEST_P(KeptCapacitors, StayAndTheStageFollows) {
    for (long double qp : {0.7071L, 2.0L, 10.0L}) {
        const DesignRequest q = Target(GetParam(), qp);
        const DesignedStage plain = Design(q);
        if (plain.record().Invalid || plain.record().CapacitorCount < 2) continue;
        auto keptBy = [&](long double delta) {
            return DesignWith(q, [&](StageCircuitRecord& r) {
                r.CapsAdjusted = 1;
                for (int j = 1; j <= r.CapacitorCount; ++j)
                    r.Capacitors[static_cast<size_t>(j - 1)].Value = plain.record().Capacitors[static_cast<size_t>(j - 1)].Value;
                r.Capacitors[1].Value = r.Capacitors[1].Value * (1 + delta);
                if (r.CapacitorCount >= 3) r.Capacitors[2].Value = r.Capacitors[2].Value * (1 - delta);
            });
        };
        const DesignedStage a = keptBy(0.004L), b = keptBy(0.002L);
        SCOPED_TRACE(Describe(q));
        ASSERT_FALSE(a.record().Invalid);
        for (int j = 2; j <= a.record().CapacitorCount; ++j) {
            const long double designed = plain.record().Capacitors[static_cast<size_t>(j - 1)].Value;
            const long double want = designed * (j == 2 ? 1.004L : j == 3 ? 0.996L : 1);
            EXPECT_NEAR(a.record().Capacitors[static_cast<size_t>(j - 1)].Value, want, want * 1e-11) << "C" << j;
        }
        if (a.outcome.keptCapacitors.empty()) {
            ExpectRoundTrip(a);
            continue;
        }
        const long double ea = WorstError(a), eb = WorstError(b);
        EXPECT_LE(eb, 0.3L * ea + 1e-9L) << "errors " << static_cast<double>(ea) << " and " << static_cast<double>(eb);
    }
}

INSTANTIATE_TEST_SUITE_P(Circuits, KeptCapacitors, ::testing::ValuesIn(DesignedPassCircuits(false)),
                         [](const auto& info) { return "No" + std::to_string(info.param); });

// Without CapsAdjusted the routine sets the capacitors it computes.
TEST(KeptCapacitors, OnlyWhenAdjusted) {
    const DesignRequest q = Target(11);
    const DesignedStage plain = Design(q);
    const DesignedStage again = DesignWith(q, [](StageCircuitRecord& r) { r.Capacitors[1].Value = 1e-6L; });
    EXPECT_EQ(again.record().Capacitors[1].Value, plain.record().Capacitors[1].Value);
    EXPECT_TRUE(again.outcome.keptCapacitors.empty());
}

}  // namespace
}  // namespace tavrel::design_testing
