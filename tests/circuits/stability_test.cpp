#include <gtest/gtest.h>

#include "support/circuit_variants.h"

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "design_round_trip.h"
#include "single_pole_poles.h"
#include "support/case_name.h"

namespace tavrel::design_testing {
namespace {

using testing_support::AllVariants;
using testing_support::Variant;

// The op amps of the bench: a single pole, DC gain 1e5.
constexpr long double kDcGain = 1e5L;
constexpr long double kPi = std::numbers::pi_v<long double>;

// How many natural frequencies of the circuit lie in the right half-plane, by the argument
// principle: the winding of the nodal determinant around the contour that runs down the
// imaginary axis from +jR to -jR and back along the half circle of radius R through +R,
// with R far beyond every natural frequency. The determinant is a polynomial with real
// coefficients, so the axis contributes twice its change from 0 to jR. Steps are halved
// wherever the argument would turn by more than an eighth of a turn between two samples.
struct Contour {
    const std::vector<TemplateElement>& elements;
    const ComponentValues& values;
    long double wt;

    Complex At(Complex s) const { return NodalDeterminant(elements, values.R, values.C, wt, s, kDcGain); }

    // The change of arg det(s) along s(u), u from a to b.
    template <typename Path>
    long double Turn(const Path& path, long double a, long double b, int steps) const {
        long double total = 0;
        Complex previous = At(path(a));
        for (int k = 1; k <= steps; ++k) total += Refined(path, a + (b - a) * (k - 1) / steps, a + (b - a) * k / steps, previous, 0);
        return total;
    }

    template <typename Path>
    long double Refined(const Path& path, long double u0, long double u1, Complex& previous, int depth) const {
        const Complex next = At(path(u1));
        const long double turn = std::arg(next / previous);
        if (std::fabs(turn) > kPi / 8 && depth < 40) {
            const long double mid = (u0 + u1) / 2;
            const long double first = Refined(path, u0, mid, previous, depth + 1);
            return first + Refined(path, mid, u1, previous, depth + 1);
        }
        previous = next;
        return turn;
    }
};

int RightHalfPlaneCount(const std::vector<TemplateElement>& elements, const ComponentValues& values, long double wt,
                        long double w) {
    const Contour contour{elements, values, wt};
    const long double radius = 1e4L * wt;
    // Along the axis on a logarithmic scale from far below the op amps' DC pole up to R.
    const long double low = std::log(1e-6L * w / kDcGain), high = std::log(radius);
    const long double axis = contour.Turn([](long double u) { return Complex(0, std::exp(u)); }, low, high, 400);
    const long double arc =
        contour.Turn([&](long double theta) { return std::polar(radius, theta); }, -kPi / 2, kPi / 2, 60);
    return static_cast<int>(std::lround((arc - 2 * axis) / (2 * kPi)));
}

// A target of each stage type: the zero above the poles for the lowpass notches, below them for
// the highpass notches, on them for the notches.
DesignRequest StabilityTarget(const CircuitDefinition& circuit, long double qp, long double gain, bool active) {
    DesignRequest q;
    q.circuitNo = circuit.circuitNo;
    if (IsFirstOrderStage(circuit.stageType)) {
        q.wc = 10000;
    } else {
        q.wp = 10000, q.qp = qp;
        if (circuit.stageType == StageCode::SLPN) q.wz = 2 * q.wp;
        if (circuit.stageType == StageCode::SHPN) q.wz = q.wp / 2;
        if (circuit.stageType == StageCode::SN) q.wz = q.wp;
    }
    q.gain = gain;
    q.activeCompensation = active;
    return q;
}

class BuiltStage : public ::testing::TestWithParam<Variant> {};

// Built with real op amps of a single pole (unity-gain frequency 100, 300 and 1000 times wp),
// every designed stage is stable: no natural frequency in the right half-plane. From a pole Q
// of 10 the three-amplifier loops need more than 100 times wp (their Q rises with wp/wt until
// the pair crosses the axis); there the op amps have at least the circuit's recommended GBW.
TEST_P(BuiltStage, IsStableWithSinglePoleOpAmps) {
    const auto [circuit, compensated] = GetParam();
    const auto& elements = circuit->TopologyOf(compensated).elements;
    int checked = 0;
    for (long double qp : {0.6L, 1.0L, 2.0L, 5.0L, 10.0L, 20.0L})
        for (long double gain : {0.5L, 5.0L}) {
            const DesignedStage d = Design(StabilityTarget(*circuit, qp, gain, compensated));
            if (d.record().Invalid) continue;
            const long double w = IsFirstOrderStage(circuit->stageType) ? d.request.wc : d.request.wp;
            const long double floor = qp >= 10 ? 2 * kPi * static_cast<long double>(d.record().MinGBW) : 0;
            for (long double times : {100.0L, 300.0L, 1000.0L}) {
                const long double wt = std::max(times * w, floor);
                ++checked;
                EXPECT_EQ(RightHalfPlaneCount(elements, d.values, wt, w), 0)
                    << Describe(d.request) << " GBW " << static_cast<double>(wt / w) << " wp";
            }
            if (IsFirstOrderStage(circuit->stageType)) break;
        }
    EXPECT_GT(checked, 0);
}

INSTANTIATE_TEST_SUITE_P(Catalog, BuiltStage, ::testing::ValuesIn(AllVariants()), testing_support::PrintedName());

// The counter itself: a Sallen-Key lowpass is stable, and the same stage with the op amp's
// inputs exchanged (positive feedback at DC) has a natural frequency in the right half-plane.
TEST(RightHalfPlaneCount, TellsAStableStageFromALatchingOne) {
    const DesignedStage d = Design(StabilityTarget(*FindCircuit(12), 2, 1, false));
    ASSERT_FALSE(d.record().Invalid);
    std::vector<TemplateElement> elements = d.circuit->plain.topology.elements;
    const long double w = d.request.wp;
    EXPECT_EQ(RightHalfPlaneCount(elements, d.values, 300 * w, w), 0);
    for (TemplateElement& e : elements)
        if (e.kind == 'X') std::swap(e.nodes[0], e.nodes[1]);
    EXPECT_GE(RightHalfPlaneCount(elements, d.values, 300 * w, w), 1);
}

}  // namespace
}  // namespace tavrel::design_testing
