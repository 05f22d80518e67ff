#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "circuits/network/nodal_analysis.h"
#include "circuits/catalog/circuit_definition.h"
#include "circuits/equations/design_routine.h"
#include "design_round_trip.h"

namespace tavrel::design_testing {
namespace {

// The circuits with an actively compensated variant.
std::vector<int> CompensatedCircuits() {
    std::vector<int> list;
    for (const CircuitDefinition& circuit : Circuits())
        if (circuit.compensated) list.push_back(circuit.circuitNo);
    return list;
}

const Topology& CompensatedTopology(const DesignedStage& d) { return d.circuit->compensated->topology; }

// What the design promises: the biquad of the stage type with DesignW, DesignQ and
// ActualGain (the gain at 0, at infinity or at the pole frequency), inverted where the
// circuit inverts.
Complex PromisedFunction(const DesignedStage& d, Complex s) {
    const StageCircuitRecord& r = d.record();
    const long double w = r.DesignW, q = r.DesignQ, k = (r.Inverting ? -1 : 1) * static_cast<long double>(r.ActualGain);
    const Complex den = s * s + s * (w / q) + w * w;
    switch (d.stageType()) {
        case StageCode::SLP: return k * w * w / den;
        case StageCode::SHP: return k * s * s / den;
        case StageCode::SBP: return k * (w / q) * s / den;
        default: {  // the notch types: the gain is the one at infinity
            const long double wz = d.design.stage.Wz;
            return k * (s * s + wz * wz) / den;
        }
    }
}

// A zero above the poles for the lowpass notches, below for the highpass notches, on them for
// the notches; no zero for the other types.
long double ZeroFrequencyFor(int no, long double wp) {
    switch (FindCircuit(no)->stageType) {
        case StageCode::SLPN: return 2 * wp;
        case StageCode::SHPN: return wp / 2;
        case StageCode::SN: return wp;
        default: return 0;
    }
}

std::vector<DesignRequest> Targets(int no) {
    std::vector<DesignRequest> list;
    for (long double wp : {2000.0L, 6.2832e5L})
        for (long double qp : {0.7071L, 1.3L, 5.0L})
            for (long double gain : {0.5L, 1.0L, 3.0L}) {
                DesignRequest q;
                q.circuitNo = no;
                q.wp = wp, q.qp = qp, q.gain = gain;
                q.wz = ZeroFrequencyFor(no, wp);
                // Predistortion asked for too: active compensation replaces it.
                q.compensate = true;
                q.gbwHz = 30 * wp + 1;
                q.activeCompensation = true;
                list.push_back(q);
            }
    return list;
}

// The values the added resistors may take, read off the templates: the first op amp's divider
// R(n-1), R(n); for the single-amplifier notches, whose added pair runs from the first op amp's
// output to the stage output, the resistor from the output to the non-inverting input (R7) and
// the parallel value of that input's other two (R3 to the input, R6 to ground).
std::vector<long double> FeedbackValues(const DesignedStage& d) {
    const auto& r = d.values.R;
    const size_t n = static_cast<size_t>(d.circuit->resistorCount);
    if (d.circuit->opAmpCount == 1 && IsNotchStage(d.circuit->stageType) && n == 7)
        return {r[7], Real48(r[3] * r[6] / (r[3] + r[6]))};
    return {r[n - 1], r[n]};
}

class ActiveCompensation : public ::testing::TestWithParam<int> {};

// The compensated template with ideal op amps realises the biquad the design promises, for
// the uncompensated pole data, and its added resistors copy the first op amp's divider.
TEST_P(ActiveCompensation, RoundTripOfTheCompensatedVariant) {
    int designed = 0;
    for (const DesignRequest& q : Targets(GetParam())) {
        const DesignedStage d = Design(q);
        SCOPED_TRACE(Describe(q));
        const StageCircuitRecord& r = d.record();
        if (!Solved(d)) continue;  // out of the circuit's reach: its own tests say when
        ++designed;
        EXPECT_FALSE(r.Compensate);
        EXPECT_EQ(static_cast<long double>(r.DesignW), static_cast<long double>(d.design.stage.Wp));
        EXPECT_EQ(static_cast<long double>(r.DesignQ), static_cast<long double>(d.design.stage.Qp));
        const Topology& variant = CompensatedTopology(d);
        ASSERT_EQ(r.ResistorCount, variant.resistorCount);
        const int plain = d.circuit->resistorCount;
        if (variant.resistorCount == plain + 2) {
            // The added resistors take their values from the first op amp's feedback network;
            // which takes which decides whether the errors cancel, and the shift test below
            // measures that.
            const std::vector<long double> pair = FeedbackValues(d);
            for (int added = plain; added < plain + 2; ++added)
                EXPECT_NE(std::find(pair.begin(), pair.end(), static_cast<long double>(r.Resistors[static_cast<size_t>(added)].Value)),
                          pair.end());
            for (int i = plain; i < plain + 2; ++i)
                for (const Real48& slot : r.Resistors[static_cast<size_t>(i)].Sens) EXPECT_EQ(slot, 0);
        }
        const long double w = r.DesignW;
        for (Complex s : {Complex(0, 0.3L * w), Complex(0, w), Complex(0, 3 * w), Complex(0.5L * w, 0.5L * w)}) {
            const Complex got = NodalResponse(variant, d.values, s), want = PromisedFunction(d, s);
            EXPECT_LE(std::abs(got / want - 1.0L), 1e-9L) << "at s/w = " << static_cast<double>(s.real() / w) << "+j"
                                                         << static_cast<double>(s.imag() / w);
        }
    }
    EXPECT_GT(designed, 0);
}

// Read off the templates: the SK lowpass II's second divider is R5 (op amp out to the common
// inverting input) over R6 (to ground), the first's R4 (stage output to the tap) over R3 (to
// ground); the Friend's SAB lowpass notch adds R8 (first op amp's output to the second's
// non-inverting input) and R9 (stage output to that input), which must divide as R7 (output to
// the first's non-inverting input) against R3 (to the input) and R6 (to ground) do.
TEST(ActiveCompensationValues, SecondDividerDividesAsTheFirst) {
    DesignRequest q;
    q.circuitNo = 12;
    q.wp = 10000, q.qp = 1.3L, q.gain = 1;
    q.equal = true;
    q.activeCompensation = true;
    const StageCircuitRecord sk = Design(q).record();
    ASSERT_FALSE(sk.Invalid);
    EXPECT_EQ(sk.Resistors[4].Value, sk.Resistors[3].Value);  // R5 = R4
    EXPECT_EQ(sk.Resistors[5].Value, sk.Resistors[2].Value);  // R6 = R3
    EXPECT_NE(sk.Resistors[2].Value, sk.Resistors[3].Value);  // the order matters here
    q = DesignRequest{};
    q.circuitNo = 56;
    q.wp = 10000, q.qp = 2, q.wz = 20000, q.gain = 0.5L;
    q.activeCompensation = true;
    const StageCircuitRecord sab = Design(q).record();
    ASSERT_FALSE(sab.Invalid);
    ASSERT_EQ(sab.ResistorCount, 9);
    const long double r3 = sab.Resistors[2].Value, r6 = sab.Resistors[5].Value;
    EXPECT_EQ(sab.Resistors[7].Value, Real48(r3 * r6 / (r3 + r6)));  // R8 = R3 || R6
    EXPECT_EQ(sab.Resistors[8].Value, sab.Resistors[6].Value);       // R9 = R7
}

// With single-pole op amps of unity-gain frequency wt the compensated variant keeps wp and Qp
// to first order in W/wt: what active compensation is for. Measured like the coefficients of
// the plain circuits, the first-order shifts vanish where the plain ones are of order Qp.
TEST_P(ActiveCompensation, FirstOrderShiftOfTheOpAmpsCancels) {
    for (const DesignRequest& q : Targets(GetParam())) {
        const DesignedStage d = Design(q);
        SCOPED_TRACE(Describe(q));
        if (!Solved(d)) continue;
        const auto& elements = CompensatedTopology(d).elements;
        const ComponentValues& v = d.values;
        const long double w = d.record().DesignW, qp = d.record().DesignQ;
        const Complex p0 = std::polar(w, std::numbers::pi_v<long double> - std::acos(1 / (2 * qp)));
        auto shift = [&](long double eps) {
            const Complex p = NaturalFrequencyNear(elements, v.R, v.C, w / eps, p0);
            const long double wp = std::abs(p), qr = wp / (-2 * p.real());
            return std::pair{-(wp / w - 1) / eps, -(qr / qp - 1) / eps};
        };
        const long double eps = 1e-6L / qp;
        const auto a = shift(eps), b = shift(2 * eps);
        EXPECT_NEAR(static_cast<double>(2 * a.first - b.first), 0, 1e-4) << "k1";
        EXPECT_NEAR(static_cast<double>(2 * a.second - b.second), 0, 1e-4) << "k2";
    }
}

INSTANTIATE_TEST_SUITE_P(Circuits, ActiveCompensation, ::testing::ValuesIn(CompensatedCircuits()),
                         [](const auto& info) { return "No" + std::to_string(info.param); });

}  // namespace
}  // namespace tavrel::design_testing
