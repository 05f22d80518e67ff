#include "circuits/equations/design_sbp_feedback.h"

#include <algorithm>
#include <cmath>

#include "circuits/equations/component_polynomial.h"
#include "circuits/equations/design_skeleton.h"
#include "circuits/equations/single_amplifier_shift.h"

namespace tavrel {

namespace {

// Resistor values are found for C1 = 1 F and W = 1 rad/s and scaled by 1/(C1·W).
struct Network {
    long double g1 = 0, g2 = 0, g3 = 0;  // conductances of R1, R2, R3
    long double divider = 0;            // R(n - 1)/R(n) of the gain pair
    bool realisable = false;
};

// The coefficients of a stored network, with the noise gain N of the amplifier and b1 of the
// op amp's term (s/wt)·N·(s² + b1·s + wp²).
struct CircuitCoefficients {
    ComponentPolynomial a0, a1, n1;
    long double noiseGain = 0, b1 = 0;
};

// R1, R2 (and R3 where the circuit has one) scaled to C1 and W; R(n - 1) from the divider
// ratio and R(n), the gain pair's fixed resistor. False where the network cannot be realised.
bool StoreNetwork(StageCircuitRecord& r, const Network& n, long double w) {
    if (!n.realisable) return false;
    const long double scale = 1 / (C(r, 1).Value * w);
    R(r, 1).Value = scale / n.g1;
    R(r, 2).Value = scale / n.g2;
    if (r.ResistorCount == 5) R(r, 3).Value = scale / n.g3;
    R(r, r.ResistorCount - 1).Value = n.divider * R(r, r.ResistorCount).Value;
    return true;
}

// The input resistor R1 drives the bandpass through G1/C2; the divider R(a)/R(b) of the
// amplifier raises it, and the op amp's term, by the noise gain 1 + R(a)/R(b).
void AddDividedInput(CircuitCoefficients& k, StageCircuitRecord& r, int a, int b) {
    const long double g1 = 1 / R(r, 1).Value, c2 = C(r, 2).Value, ratio = R(r, a).Value / R(r, b).Value;
    k.n1.Add(g1 / c2, {{'R', 1, -1}, {'C', 2, -1}});
    k.n1.Add(ratio * g1 / c2, {{'R', a, 1}, {'R', b, -1}, {'R', 1, -1}, {'C', 2, -1}});
    k.noiseGain = 1 + ratio;
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
    n.divider = (1 - g) / g;
    n.realisable = true;
    return n;
}

CircuitCoefficients CoefficientsOfDeliyannisII(StageCircuitRecord& r) {
    const long double g1 = 1 / R(r, 1).Value, g2 = 1 / R(r, 2).Value, rho = R(r, 3).Value / R(r, 4).Value;
    const long double c1 = C(r, 1).Value, c2 = C(r, 2).Value;
    CircuitCoefficients k;
    k.a0.Add(g1 * g2 / (c1 * c2), {{'R', 1, -1}, {'R', 2, -1}, {'C', 1, -1}, {'C', 2, -1}});
    k.a1.Add(g2 / c2, {{'R', 2, -1}, {'C', 2, -1}});
    k.a1.Add(g2 / c1, {{'R', 2, -1}, {'C', 1, -1}});
    k.a1.Add(-rho * g1 / c2, {{'R', 3, 1}, {'R', 4, -1}, {'R', 1, -1}, {'C', 2, -1}});
    AddDividedInput(k, r, 3, 4);
    k.b1 = g2 / c2 + g1 / c2 + g2 / c1;
    return k;
}

bool StoreDeliyannisII(StageCircuitRecord& r, long double w, long double q) {
    return StoreNetwork(r, DeliyannisIINetwork(r.CapRatio, q, r.ActualGain), w);
}

// --- Sallen-Key Second Order Bandpass ------------------------------------------------------
// R1 from the input and R2 from the output to the node of C2 (to ground) and C1; C1 leads to
// the non-inverting input, loaded by R3 to ground; R4 (to ground) and R5 (from the output) set
// the amplifier gain A = 1 + R5/R4 = 1.5 with R4 = 2·R5. Then
//   wp² = (G1 + G2)·G3/(C1·C2), wp/Qp = G3/C1 + (G1 + G3 - (A - 1)·G2)/C2,
//   gain at wp A·G1·Q/(C2·W).
// The gain gives G1 = K·m·C1·W/(A·Q); with x = G1 + G2 the pole equations leave
// (A - 1)·x² + (C2·W/Q - A·G1)·x - (m + 1)·C1·C2·W² = 0, solved for G2 = x - G1 directly:
// (A - 1)·G2² + B·G2 + f = 0 with f, the quadratic's value at x = G1, negative for every Q and
// gain, so one positive G2 exists always.
constexpr long double kSallenKeyAmplifierGain = 1.5L;

Network SallenKeyNetwork(long double m, long double q, long double k) {
    constexpr long double a = kSallenKeyAmplifierGain;
    Network n;
    n.g1 = k * m / (a * q);
    const long double b = (m / q) * (1 + k * (a - 2) / a);
    const long double f = (m * m / (q * q)) * (k / a) * (1 - k / a) - (m + 1) * m;
    const long double root = std::sqrt(b * b - 4 * (a - 1) * f);
    n.g2 = b > 0 ? -2 * f / (b + root) : (root - b) / (2 * (a - 1));
    n.g3 = m / (n.g1 + n.g2);
    n.divider = 1 / (a - 1);
    n.realisable = n.g2 > 0;
    return n;
}

CircuitCoefficients CoefficientsOfSallenKey(StageCircuitRecord& r) {
    const long double g1 = 1 / R(r, 1).Value, g2 = 1 / R(r, 2).Value, g3 = 1 / R(r, 3).Value;
    const long double gain = R(r, 5).Value / R(r, 4).Value;  // A - 1
    const long double c1 = C(r, 1).Value, c2 = C(r, 2).Value;
    CircuitCoefficients k;
    k.a0.Add(g1 * g3 / (c1 * c2), {{'R', 1, -1}, {'R', 3, -1}, {'C', 1, -1}, {'C', 2, -1}});
    k.a0.Add(g2 * g3 / (c1 * c2), {{'R', 2, -1}, {'R', 3, -1}, {'C', 1, -1}, {'C', 2, -1}});
    k.a1.Add(g3 / c2, {{'R', 3, -1}, {'C', 2, -1}});
    k.a1.Add(g3 / c1, {{'R', 3, -1}, {'C', 1, -1}});
    k.a1.Add(g1 / c2, {{'R', 1, -1}, {'C', 2, -1}});
    k.a1.Add(-gain * g2 / c2, {{'R', 5, 1}, {'R', 4, -1}, {'R', 2, -1}, {'C', 2, -1}});
    AddDividedInput(k, r, 5, 4);
    k.b1 = g3 / c2 + g2 / c2 + g1 / c2 + g3 / c1;
    return k;
}

bool StoreSallenKey(StageCircuitRecord& r, long double w, long double q) {
    return StoreNetwork(r, SallenKeyNetwork(r.CapRatio, q, r.ActualGain), w);
}

// --- Multiple Feedback Second Order Bandpass II --------------------------------------------
// The multiple-feedback bandpass with the input divider R1, R3, whose non-inverting input takes
// the fraction R4/(R4 + R5) of the output. With alpha = R4/R5 and S = G1 + G3:
//   wp² = S·G2/(C1·C2), wp/Qp = G2/C1 + G2/C2 - alpha·S/C2, gain at wp (1 + alpha)·G1·Q/(C2·W).
// The passive network is laid out for half the pole Q, G2 = 2·m·C1·W/((m + 1)·Q), and the
// positive feedback alpha = 2·m/((m + 1)·Q²) doubles it: the resistor spread drops fourfold
// and the Q moves no more than alpha does (its sensitivity to alpha is 1). S = (m + 1)·Q·C1·W/2
// then splits into G1 for the gain and G3, which stays positive below the gain
// (m + 1)·Q²/(2·m) + 1.
long double MfbIIFeedback(long double m, long double q) { return 2 * m / ((m + 1) * q * q); }

long double MfbIIGainLimit(long double m, long double q) { return (m + 1) * q * q / (2 * m) + 1; }

Network MfbIINetwork(long double m, long double q, long double k) {
    Network n;
    n.divider = MfbIIFeedback(m, q);
    n.g2 = 2 * m / ((m + 1) * q);
    n.g1 = k * m / (q * (1 + n.divider));
    n.g3 = (m + 1) * q / 2 - n.g1;
    n.realisable = n.g3 > 0;
    return n;
}

CircuitCoefficients CoefficientsOfMfbII(StageCircuitRecord& r) {
    const long double g1 = 1 / R(r, 1).Value, g2 = 1 / R(r, 2).Value, g3 = 1 / R(r, 3).Value;
    const long double alpha = R(r, 4).Value / R(r, 5).Value;
    const long double c1 = C(r, 1).Value, c2 = C(r, 2).Value;
    CircuitCoefficients k;
    k.a0.Add(g1 * g2 / (c1 * c2), {{'R', 1, -1}, {'R', 2, -1}, {'C', 1, -1}, {'C', 2, -1}});
    k.a0.Add(g3 * g2 / (c1 * c2), {{'R', 3, -1}, {'R', 2, -1}, {'C', 1, -1}, {'C', 2, -1}});
    k.a1.Add(g2 / c2, {{'R', 2, -1}, {'C', 2, -1}});
    k.a1.Add(g2 / c1, {{'R', 2, -1}, {'C', 1, -1}});
    k.a1.Add(-alpha * g1 / c2, {{'R', 4, 1}, {'R', 5, -1}, {'R', 1, -1}, {'C', 2, -1}});
    k.a1.Add(-alpha * g3 / c2, {{'R', 4, 1}, {'R', 5, -1}, {'R', 3, -1}, {'C', 2, -1}});
    AddDividedInput(k, r, 4, 5);
    k.b1 = g3 / c2 + g2 / c2 + g1 / c2 + g2 / c1;
    return k;
}

bool StoreMfbII(StageCircuitRecord& r, long double w, long double q) {
    return StoreNetwork(r, MfbIINetwork(r.CapRatio, q, r.ActualGain), w);
}

long double SpreadOf(const Network& n) {
    const long double lo = std::min({n.g1, n.g2, n.g3}), hi = std::max({n.g1, n.g2, n.g3});
    return n.realisable && lo > 0 ? hi / lo : -1;
}

// The routine of a circuit that takes the desired gain: k1 and k2 belong to the network that
// realises Wp and Qp, the stored values to the pre-distorted W and Q.
template <typename Store, typename Coefficients>
void DesignTakingTheGain(const StageRecord& stage, StageCircuitRecord& r, Store store, Coefficients coefficients) {
    if (!store(r, stage.Wp, stage.Qp)) {
        r.Invalid = 1;
        return;
    }
    const CircuitCoefficients target = coefficients(r);
    const OpAmpShift k =
        SingleAmplifierShift(target.a0.Value(), target.a1.Value(), target.noiseGain, target.b1, target.a0.Value());
    SetOpAmpCoefficients(r, k.k1, k.k2);
    PreDistort(stage, r);
    if (!store(r, r.DesignW, r.DesignQ)) {
        r.Invalid = 1;
        return;
    }
    const CircuitCoefficients designed = coefficients(r);
    SetBandpassSlots(r, designed.a0, designed.a1, designed.n1);
    CheckComponentValues(r);
}

}  // namespace

void DesignDeliyannisBandpassII(const StageRecord& stage, StageCircuitRecord& r) {
    TakeGain(r);
    r.CapRatio = C(r, 2).Value / C(r, 1).Value;
    DesignTakingTheGain(stage, r, StoreDeliyannisII, CoefficientsOfDeliyannisII);
}

void DesignSallenKeyBandpass(const StageRecord& stage, StageCircuitRecord& r) {
    TakeGain(r);
    r.CapRatio = C(r, 2).Value / C(r, 1).Value;
    if (r.C2Variable) {
        const long double k = r.ActualGain, qp = stage.Qp;
        UseCapRatio(r, DecadeRatioOfLeastSpread([&](long double m) { return SpreadOf(SallenKeyNetwork(m, qp, k)); }));
    }
    DesignTakingTheGain(stage, r, StoreSallenKey, CoefficientsOfSallenKey);
}

void DesignMfbBandpassII(const StageRecord& stage, StageCircuitRecord& r) {
    const long double qp = stage.Qp;
    r.CapRatio = C(r, 2).Value / C(r, 1).Value;
    if (r.C2Variable) {
        // Among the ratios that take the desired gain the one of least spread; where none
        // does, the smallest, which reaches furthest.
        const long double desired = r.ActualGain;
        const long double m = DecadeRatioOfLeastSpread([&](long double m) {
            return desired < MfbIIGainLimit(m, qp) ? SpreadOf(MfbIINetwork(m, qp, desired)) : -1;
        });
        UseCapRatio(r, m > 0 ? m : kSmallestDecadeRatio);
    }
    const long double m = r.CapRatio, alpha = MfbIIFeedback(m, qp);
    // The network's own shift (m + 1)·Qp/(2·m) at half the Q, times the noise gain squared.
    const long double k1 = (1 + alpha) * (1 + alpha) * (m + 1) * qp / (4 * m);
    SetOpAmpCoefficients(r, k1, -k1);
    PreDistort(stage, r);
    CapGain(r, MfbIIGainLimit(m, r.DesignQ), 0.9L);
    if (!StoreMfbII(r, r.DesignW, r.DesignQ)) {
        r.Invalid = 1;
        return;
    }
    const CircuitCoefficients designed = CoefficientsOfMfbII(r);
    SetBandpassSlots(r, designed.a0, designed.a1, designed.n1);
    CheckComponentValues(r);
}

}  // namespace tavrel
