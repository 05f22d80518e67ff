#include "circuits/design_sbp_feedback.h"

#include <algorithm>
#include <cmath>

#include "circuits/component_polynomial.h"
#include "circuits/design_skeleton.h"
#include "circuits/single_amplifier_shift.h"

namespace tavrel {

namespace {

// Resistor values are found for C1 = 1 F and W = 1 rad/s and scaled by 1/(C1·W).
struct Network {
    long double g1 = 0, g2 = 0, g3 = 0;  // conductances of R1, R2, R3
    long double divider = 0;            // the ratio of the gain pair the circuit needs
    bool realisable = false;
};

void StoreNetwork(StageCircuitRecord& r, const Network& n, long double w, bool withR3) {
    const long double scale = 1 / (C(r, 1).Value * w);
    R(r, 1).Value = scale / n.g1;
    R(r, 2).Value = scale / n.g2;
    if (withR3) R(r, 3).Value = scale / n.g3;
}

// --- Deliyannis Second Order Bandpass II ---------------------------------------------------
// R1 from the input to the node of C1 and C2, C1 to the inverting input, C2 and R2 from the
// output back; R3 (to ground) and R4 (from the output) feed the fraction beta = R3/(R3 + R4)
// of the output to the non-inverting input. With g = 1 - beta:
//   wp² = G1·G2/(C1·C2), wp/Qp = G2/C1 + G2/C2 - (R3/R4)·G1/C2, gain at wp G1·Q/(g·C2·W).
// The gain gives G1 = K·g·m·C1·W/Q, wp² gives G2, and wp/Qp leaves the quadratic
//   K·g² - (K + 1)·g + (m + 1)·Q²/(m·K) = 0;
// the larger root below 1 takes the least positive feedback.
Network DeliyannisIINetwork(long double m, long double q, long double k) {
    Network n;
    const long double disc = (k + 1) * (k + 1) - 4 * (m + 1) * q * q / m;
    if (disc < 0) return n;
    const long double root = std::sqrt(disc);
    const long double upper = (k + 1 + root) / (2 * k);
    // The smaller root from the product of the roots, free of cancellation.
    const long double lower = (m + 1) * q * q / (m * k * k) / upper;
    const long double g = upper < 1 ? upper : lower;
    // g = 1 would take R3 = 0, grounding the non-inverting input: the circuit without its
    // divider, which this one is not.
    if (g >= 1) return n;
    n.g1 = k * g * m / q;
    n.g2 = m / n.g1;
    n.divider = (1 - g) / g;  // R3/R4
    n.realisable = true;
    return n;
}

// The coefficients of the stored network, with the noise gain N = 1 + R3/R4 and b1 of the
// op amp's term (s/wt)·N·(s² + b1·s + wp²).
struct DeliyannisIICoefficients {
    ComponentPolynomial a0, a1, n1;
    long double noiseGain = 0, b1 = 0;
};

DeliyannisIICoefficients CoefficientsOfDeliyannisII(StageCircuitRecord& r) {
    const long double g1 = 1 / R(r, 1).Value, g2 = 1 / R(r, 2).Value, rho = R(r, 3).Value / R(r, 4).Value;
    const long double c1 = C(r, 1).Value, c2 = C(r, 2).Value;
    DeliyannisIICoefficients k;
    k.a0.Add(g1 * g2 / (c1 * c2), {{'R', 1, -1}, {'R', 2, -1}, {'C', 1, -1}, {'C', 2, -1}});
    k.a1.Add(g2 / c2, {{'R', 2, -1}, {'C', 2, -1}});
    k.a1.Add(g2 / c1, {{'R', 2, -1}, {'C', 1, -1}});
    k.a1.Add(-rho * g1 / c2, {{'R', 3, 1}, {'R', 4, -1}, {'R', 1, -1}, {'C', 2, -1}});
    k.n1.Add(g1 / c2, {{'R', 1, -1}, {'C', 2, -1}});
    k.n1.Add(rho * g1 / c2, {{'R', 3, 1}, {'R', 4, -1}, {'R', 1, -1}, {'C', 2, -1}});
    k.noiseGain = 1 + rho;
    k.b1 = g2 / c2 + g1 / c2 + g2 / c1;
    return k;
}

bool StoreDeliyannisII(StageCircuitRecord& r, long double w, long double q) {
    const Network n = DeliyannisIINetwork(r.CapRatio, q, r.ActualGain);
    if (!n.realisable) return false;
    StoreNetwork(r, n, w, false);
    R(r, 3).Value = n.divider * R(r, 4).Value;
    return true;
}

}  // namespace

void DesignDeliyannisBandpassII(const StageRecord& stage, StageCircuitRecord& r) {
    TakeGain(r);
    r.CapRatio = C(r, 2).Value / C(r, 1).Value;
    // k1 and k2 belong to the network that realises Wp and Qp.
    if (!StoreDeliyannisII(r, stage.Wp, stage.Qp)) {
        r.Invalid = 1;
        return;
    }
    const DeliyannisIICoefficients target = CoefficientsOfDeliyannisII(r);
    const OpAmpShift k =
        SingleAmplifierShift(target.a0.Value(), target.a1.Value(), target.noiseGain, target.b1, target.a0.Value());
    SetOpAmpCoefficients(r, k.k1, k.k2);
    PreDistort(stage, r);
    if (!StoreDeliyannisII(r, r.DesignW, r.DesignQ)) {
        r.Invalid = 1;
        return;
    }
    const DeliyannisIICoefficients designed = CoefficientsOfDeliyannisII(r);
    SetBandpassSlots(r, designed.a0, designed.a1, designed.n1);
    CheckComponentValues(r);
}

}  // namespace tavrel
