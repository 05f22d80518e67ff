#include <algorithm>
#include <cmath>

#include "circuits/equations/design_routine.h"
#include "circuits/equations/design_skeleton.h"
#include "circuits/equations/design_three_amp_loops.h"
#include "circuits/equations/design_twin_t_follower.h"

namespace tavrel {

namespace {

// Sallen-Key (SK) Second Order Lowpass I: R1 (input) and R2 in series, C2 from their junction
// to the output, C1 to ground at the follower's input.
// wp² = 1/(R1·R2·C1·C2), Q = sqrt(R1·R2·C1·C2)/(C1·(R1 + R2)).
void SetSallenKeyLowpassSensitivities(StageCircuitRecord& r) {
    const long double r1 = R(r, 1).Value, r2 = R(r, 2).Value;
    SetSensitivities(R(r, 1), -0.5L, 0.5L - r1 / (r1 + r2), 0);
    SetSensitivities(R(r, 2), -0.5L, 0.5L - r2 / (r1 + r2), 0);
    SetSensitivities(C(r, 1), -0.5L, -0.5L, 0);
    SetSensitivities(C(r, 2), -0.5L, 0.5L, 0);
}

void DesignSallenKeyLowpassI(const StageRecord& stage, StageCircuitRecord& r) {
    const long double qp = stage.Qp;
    FixGain(r, 1);
    r.C2Adjustable = 0;
    if (!r.C2Variable) {
        SetOpAmpCoefficients(r, qp, -qp);
        PreDistort(stage, r);
        const long double w = r.DesignW, q = r.DesignQ;
        C(r, 2).Value = 4 * q * q * C(r, 1).Value;
        R(r, 1).Value = R(r, 2).Value = 1 / (2 * q * w * C(r, 1).Value);
    } else {
        // A decade capacitor ratio; the resistor ratio n² then gives the Q.
        const long double m = DecadeAbove(4 * qp * qp);
        r.CapRatio = m;
        C(r, 2).Value = C(r, 1).Value * m;
        const long double a = std::sqrt(m) / (2 * qp);
        if (a <= 1) {
            r.Invalid = 1;
            return;
        }
        const long double n = a + std::sqrt(a * a - 1);
        const long double x = (m + n * n + 1) / (std::sqrt(m) * n);
        SetOpAmpCoefficients(r, (x - 1 / qp) / 2, -(x - 1 / qp) / 2);
        PreDistort(stage, r);
        // The resistor ratio realises the pre-distorted Q.
        const long double ad = std::sqrt(m) / (2 * r.DesignQ);
        if (ad <= 1) {
            r.Invalid = 1;
            return;
        }
        const long double nd = ad + std::sqrt(ad * ad - 1);
        R(r, 2).Value = std::sqrt(m) * nd / (C(r, 2).Value * r.DesignW);
        R(r, 1).Value = R(r, 2).Value / (nd * nd);
    }
    SetSallenKeyLowpassSensitivities(r);
    CheckComponentValues(r);
}

// The largest power of ten below x.
long double DecadeBelow(long double x) {
    long double m = 1;
    while (m >= x) m /= 10;
    while (m * 10 < x) m *= 10;
    return m;
}

// Sallen-Key (SK) Second Order Lowpass II: circuit I with the amplifier gain a = 1 + R4/R3.
// With m = C2/C1 and the resistor ratio n² = R2/R1, R2 = sqrt(m)·n/(C2·W) and R1 = R2/n²
// give wp = W for every n, and 1/Q = (1 + n² - (a - 1)·m)/(sqrt(m)·n) leaves the gain the Q
// needs. Equal resistors (n = 1) give the least Q sensitivity to the gain pair for any m,
// a = 1 + 2/m - 1/(sqrt(m)·Q), which needs m < 4·Q². The capacitors: as set; with
// " C1=C2 : R1=R2" equal (a = 3 - 1/Q); with " C2 variable" the decade ratio below 4·Qp².
// With single-pole op amps k1 = a·(x - 1/Qp)/2 for x = (m + n² + 1)/(sqrt(m)·n), k2 = -k1.
long double SallenKeyEqualResistorGain(long double m, long double q) { return 1 + 2 / m - 1 / (std::sqrt(m) * q); }

void DesignSallenKeyLowpassII(const StageRecord& stage, StageCircuitRecord& r) {
    const long double qp = stage.Qp, c1 = C(r, 1).Value;
    long double m = C(r, 2).Value / c1;
    if (r.EqualApplied || r.C2Variable) {
        m = r.EqualApplied ? 1 : DecadeBelow(4 * qp * qp);
        r.C2Adjustable = 0;
        C(r, 2).Value = c1 * m;
    }
    r.CapRatio = m;
    const long double t = std::sqrt(m);
    const long double k1 = SallenKeyEqualResistorGain(m, qp) * ((m + 2) / t - 1 / qp) / 2;
    SetOpAmpCoefficients(r, k1, -k1);
    PreDistort(stage, r);
    const long double a = SallenKeyEqualResistorGain(m, r.DesignQ);
    FixGain(r, a);
    // At a <= 1 no gain pair gives the Q (a = 1 would need R3 = infinity).
    if (!(a > 1)) {
        r.Invalid = 1;
        return;
    }
    R(r, 1).Value = R(r, 2).Value = 1 / (t * c1 * r.DesignW);
    R(r, 3).Value = R(r, 4).Value / (a - 1);
    // 1/Q = sqrt(R1·R2·C1·C2)·(T1 + T2 + T3), T1 = 1/(R1·C2), T2 = 1/(R2·C2),
    // T3 = -(R4/R3)/(R2·C1).
    const long double r1 = R(r, 1).Value, r2 = R(r, 2).Value, c2 = C(r, 2).Value;
    const long double t1 = 1 / (r1 * c2), t2 = 1 / (r2 * c2), t3 = -(a - 1) / (r2 * c1), sum = t1 + t2 + t3;
    SetSensitivities(R(r, 1), -0.5L, -0.5L + t1 / sum, 0);
    SetSensitivities(R(r, 2), -0.5L, -0.5L + (t2 + t3) / sum, 0);
    SetSensitivities(R(r, 3), 0, t3 / sum, -(a - 1) / a);
    SetSensitivities(R(r, 4), 0, -t3 / sum, (a - 1) / a);
    SetSensitivities(C(r, 1), -0.5L, -0.5L + t3 / sum, 0);
    SetSensitivities(C(r, 2), -0.5L, -0.5L + (t1 + t2) / sum, 0);
    CheckComponentValues(r);
}

// Multiple Feedback (MFB) Second Order Lowpass I: R1 in, R3 to the inverting input, R2 and C1
// feed back, C2 to ground. wp² = 1/(R2·R3·C1·C2), wp/Q = (1/R1 + 1/R2 + 1/R3)/C2, gain R2/R1.
void DesignMfbLowpassI(const StageRecord& stage, StageCircuitRecord& r) {
    TakeGain(r);
    const long double k = r.ActualGain;
    SetOpAmpCoefficients(r, (k + 1) * stage.Qp, -stage.Qp);
    PreDistort(stage, r);
    const long double w = r.DesignW, q = r.DesignQ, c1 = C(r, 1).Value;
    if (!(k > 0)) {
        r.Invalid = 1;
        return;
    }
    // The capacitor ratio that lets R3 close the Q equation.
    const long double m = 4 * q * q * (k + 1);
    r.CapRatio = m;
    C(r, 2).Value = m * c1;
    const long double c2 = C(r, 2).Value;
    R(r, 2).Value = 1 / (2 * q * w * c1);
    R(r, 1).Value = R(r, 2).Value / k;
    R(r, 3).Value = 1 / (R(r, 2).Value * c1 * c2 * w * w);
    const long double g1 = 1 / R(r, 1).Value, g2 = 1 / R(r, 2).Value, g3 = 1 / R(r, 3).Value, g = g1 + g2 + g3;
    SetSensitivities(R(r, 1), 0, g1 / g, -1);
    SetSensitivities(R(r, 2), -0.5L, -0.5L + g2 / g, 1);
    SetSensitivities(R(r, 3), -0.5L, -0.5L + g3 / g, 0);
    SetSensitivities(C(r, 1), -0.5L, -0.5L, 0);
    SetSensitivities(C(r, 2), -0.5L, 0.5L, 0);
    CheckComponentValues(r);
}

// Multiple Feedback (MFB) Second Order Lowpass II: circuit I with its non-inverting input on
// the fraction of the output that the gain pair R4, R5 gives, rho = R4/R5. With
// gi = 1/Ri: wp² = (g2 - rho·g1)·g3/(C1·C2), wp/Q = (g1 + g2 + g3)/C2 - rho·g3/C1,
// gain (1 + rho)·g1/(g2 - rho·g1). For the gain K and W the Q equation is the quadratic
// v·g3² - (m·C1·W/Q)·g3 + (1 + K)·m·C1²·W² = 0 in g3, v = 1 - rho·m, whose smaller root
// g3 = 2·(1 + K)·Q·C1·W/(1 + sqrt(1 - 4·Q²·(1 + K)·v/m)) is real for v <= m/(4·Q²·(1 + K)).
// The positive feedback is the least that makes it real (the double root), but never below
// the share that keeps R4 a resistor.
struct MfbLowpassIIConductances {
    long double g1, g2, g3, rho;
};

constexpr long double kMfbLeastFeedback = 0.1L;  // least rho·m

MfbLowpassIIConductances SolveMfbLowpassII(long double w, long double q, long double k, long double m,
                                            long double c1) {
    const long double v = std::min(m / (4 * q * q * (1 + k)), 1 - kMfbLeastFeedback);
    const long double rho = (1 - v) / m;
    const long double root = std::sqrt(std::max(0.0L, 1 - 4 * q * q * (1 + k) * v / m));
    const long double g3 = 2 * (1 + k) * q * c1 * w / (1 + root);
    const long double g1 = k * m * c1 * c1 * w * w / ((1 + rho) * g3);
    return {g1, g1 * (1 + rho + rho * k) / k, g3, rho};
}

// k1 and k2 with a single-pole op amp: its term tau·(b3·s³ + b2·s² + b1·s) in the denominator,
// reduced modulo s² + s/Q + 1 (W = 1, C1 = 1) to alpha + beta·s, moves W² by tau·alpha and
// W/Q by tau·beta.
void SetMfbLowpassIIShifts(StageCircuitRecord& r, long double qp, long double k, long double m) {
    const MfbLowpassIIConductances g = SolveMfbLowpassII(1, qp, k, m, 1);
    const long double b3 = 1 + g.rho, b2 = (1 + g.rho) * ((g.g1 + g.g2 + g.g3) / m + g.g3),
                      b1 = (1 + g.rho) * (g.g1 + g.g2) * g.g3 / m;
    const long double alpha = b3 / qp - b2, beta = b3 * (1 / (qp * qp) - 1) - b2 / qp + b1;
    SetOpAmpCoefficients(r, -alpha / 2, -alpha / 2 + beta * qp);
}

void DesignMfbLowpassII(const StageRecord& stage, StageCircuitRecord& r) {
    TakeGain(r);
    const long double k = r.ActualGain, c1 = C(r, 1).Value, c2 = C(r, 2).Value, m = c2 / c1;
    if (!(k > 0)) {
        r.Invalid = 1;
        return;
    }
    r.CapRatio = m;
    SetMfbLowpassIIShifts(r, stage.Qp, k, m);
    PreDistort(stage, r);
    const MfbLowpassIIConductances g = SolveMfbLowpassII(r.DesignW, r.DesignQ, k, m, c1);
    R(r, 1).Value = 1 / g.g1;
    R(r, 2).Value = 1 / g.g2;
    R(r, 3).Value = 1 / g.g3;
    R(r, 4).Value = R(r, 5).Value * g.rho;
    // n = g2 - rho·g1 and b = wp/Q carry the sensitivities.
    const long double n = g.g2 - g.rho * g.g1, fb = g.rho * g.g1 / n;
    const long double b = (g.g1 + g.g2 + g.g3) / c2 - g.rho * g.g3 / c1, pf = g.rho * g.g3 / c1 / b;
    const long double share = g.rho / (1 + g.rho);
    SetSensitivities(R(r, 1), 0.5L * fb, 0.5L * fb + g.g1 / c2 / b, -1 - fb);
    SetSensitivities(R(r, 2), -0.5L * g.g2 / n, -0.5L * g.g2 / n + g.g2 / c2 / b, g.g2 / n);
    SetSensitivities(R(r, 3), -0.5L, -0.5L + g.g3 / c2 / b - pf, 0);
    SetSensitivities(R(r, 4), -0.5L * fb, -0.5L * fb + pf, share + fb);
    SetSensitivities(R(r, 5), 0.5L * fb, 0.5L * fb - pf, -share - fb);
    SetSensitivities(C(r, 1), -0.5L, -0.5L - pf, 0);
    SetSensitivities(C(r, 2), -0.5L, -0.5L + (g.g1 + g.g2 + g.g3) / c2 / b, 0);
    CheckComponentValues(r);
}

// Fliege Second Order Lowpass: gain 1 + R4/R5 = 2 with R4 = R5;
// wp² = R5/(C1·C2·R1·R3·R4), wp/Q = 1/(C1·R2).
void DesignFliegeLowpass(const StageRecord& stage, StageCircuitRecord& r) {
    FixGain(r, 2);
    const long double qp = stage.Qp;
    SetOpAmpCoefficients(r, 2, 0, 2, 2 * (2 * qp + 1) * (2 * qp + 1));
    PreDistort(stage, r);
    const long double w = r.DesignW, q = r.DesignQ, c1 = C(r, 1).Value;
    // Equal capacitors and equal resistors but the Q-setting R2.
    C(r, 2).Value = c1;
    r.CapRatio = 1;
    R(r, 1).Value = 1 / (c1 * w);
    R(r, 2).Value = q * R(r, 1).Value;
    R(r, 3).Value = R(r, 4).Value = R(r, 5).Value = R(r, 1).Value;
    SetSensitivities(R(r, 1), -0.5L, -0.5L, 0);
    SetSensitivities(R(r, 2), 0, 1, 0);
    SetSensitivities(R(r, 3), -0.5L, -0.5L, 0);
    SetSensitivities(R(r, 4), -0.5L, -0.5L, 0.5L);
    SetSensitivities(R(r, 5), 0.5L, 0.5L, -0.5L);
    SetSensitivities(C(r, 1), -0.5L, 0.5L, 0);
    SetSensitivities(C(r, 2), -0.5L, -0.5L, 0);
    CheckComponentValues(r);
}

// Bach Second Order Lowpass: two followers; wp² = 1/(C1·C2·R1·R2), wp/Q = 1/(C2·R1), gain 1.
void DesignBachLowpass(const StageRecord& stage, StageCircuitRecord& r) {
    FixGain(r, 1);
    const long double qp = stage.Qp;
    SetOpAmpCoefficients(r, qp, -qp, qp * qp / 2);
    PreDistort(stage, r);
    const long double w = r.DesignW, q = r.DesignQ, c1 = C(r, 1).Value;
    const long double m = C(r, 2).Value / c1;
    R(r, 2).Value = 1 / (c1 * w * q);
    R(r, 1).Value = R(r, 2).Value * q * q / m;
    SetSensitivities(R(r, 1), -0.5L, 0.5L, 0);
    SetSensitivities(R(r, 2), -0.5L, -0.5L, 0);
    SetSensitivities(C(r, 1), -0.5L, -0.5L, 0);
    SetSensitivities(C(r, 2), -0.5L, 0.5L, 0);
    CheckComponentValues(r);
}

// KHN (Non-Inverting Input) Second Order Lowpass: the lowpass output of the non-inverting
// KHN loop. The equal resistors and R4 = (2·Q − 1)·R1 leave the gain
// R4·(R5 + R6)/(R6·(R3 + R4)) = 2 − 1/Q to the circuit.
void DesignKhnNonInvertingLowpass(const StageRecord& stage, StageCircuitRecord& r) {
    SetKhnNonInvertingShifts(r, stage.Qp);
    PreDistort(stage, r);
    FixGain(r, 2 - 1 / r.DesignQ);
    SetKhnNonInvertingLoop(r);
    const ComponentValues v = ValuesOf(r);
    const long double in = v.R[3] / (v.R[3] + v.R[4]), back = v.R[5] / (v.R[5] + v.R[6]);
    ComponentFigures sw, sq, sk;
    KhnNonInvertingPoleFigures(v, sw, sq);
    sk.R[3] = -in;
    sk.R[4] = in;
    sk.R[5] = back;
    sk.R[6] = -back;
    SetSlots(r, sw, sq, sk);
    // R4 = 0 would leave the circuit without gain.
    CheckComponentValues(r, true);
}

// KHN (Inverting Input) Second Order Lowpass: the lowpass output of the inverting-input KHN
// loop with R3 = R6; its gain R5/R3 = 1 is the circuit's own.
long double KhnLowpassInputRatio(long double, long double) { return 1; }

void DesignKhnInvertingLowpass(const StageRecord& stage, StageCircuitRecord& r) {
    const PoleFigures f = DesignKhnInvertingPass(stage, r, KhnLowpassInputRatio);
    FixGain(r, 1);
    ComponentFigures sk;
    sk.R[5] = 1;
    sk.R[3] = -1;
    SetSlots(r, f.sw, f.sq, sk);
    CheckComponentValues(r);
}

// Tow-Thomas (TT) Second Order Lowpass: the lossy integrator R4 ∥ C1 with input resistor R3,
// the integrator R2, C2 (lowpass output) and the inverter R6 (in), R5 (feedback) closing the
// loop through R1. wp² = R5/(C1·C2·R1·R2·R6), wp/Qp = 1/(C1·R4), gain R1·R6/(R3·R5). R5 and
// R6 are the gain pair; their ratio stays 1.
void DesignTowThomasLowpass(const StageRecord& stage, StageCircuitRecord& r) {
    TakeGain(r);
    const long double qp = stage.Qp, k = r.ActualGain;
    if (!(k > 0)) {
        r.Invalid = 1;
        return;
    }
    // Shares of the lossy integrator, the integrator and the inverter (derived with
    // single-pole op amps; the input resistor R3 = R1/K loads the first one).
    const long double t1 = (k + 1) / 2, t2 = 0.5L;
    const long double u1 = -(k + 2 * qp + 1) / 2, u2 = -(2 * qp - 1) / 2, u3 = -2 * qp;
    SetOpAmpShares(r, {t1, t2}, {u1, u2, u3});
    PreDistort(stage, r);
    const long double w = r.DesignW, q = r.DesignQ;
    const long double c1 = C(r, 1).Value, c2 = C(r, 2).Value;
    R(r, 1).Value = 1 / (c1 * w);
    R(r, 2).Value = 1 / (c2 * w);
    R(r, 3).Value = R(r, 1).Value / k;
    R(r, 4).Value = q * R(r, 1).Value;
    R(r, 5).Value = R(r, 6).Value;
    SetSensitivities(R(r, 1), -0.5L, -0.5L, 1);
    SetSensitivities(R(r, 2), -0.5L, -0.5L, 0);
    SetSensitivities(R(r, 3), 0, 0, -1);
    SetSensitivities(R(r, 4), 0, 1, 0);
    SetSensitivities(R(r, 5), 0.5L, 0.5L, -1);
    SetSensitivities(R(r, 6), -0.5L, -0.5L, 1);
    SetSensitivities(C(r, 1), -0.5L, 0.5L, 0);
    SetSensitivities(C(r, 2), -0.5L, -0.5L, 0);
    // R4 = 0 would short C1.
    CheckComponentValues(r, true);
}

// Twin-T Second Order Lowpass: the follower twin-T with R1 and R2 in the input path; C3
// from their junction and R3 from the node of C1 and C2 go to the buffered fraction of the
// output.
void DesignTwinTLowpass(const StageRecord& stage, StageCircuitRecord& r) {
    DesignTwinTFollower(stage, r, LowpassTwinTCubic());
}

// Mikhael-Bhattacharyya (MB) Second Order Lowpass: the three op amps share one inverting-input
// node, which C1 returns to the output, R6 and R8 to the outputs of the first and second op
// amp. The divider R5, R1 brings the output to the first op amp's non-inverting input, R7, R3
// the first op amp's output to the second's; the input reaches the output op amp's
// non-inverting input through the divider R2, R4, with C2 from the second op amp's output.
// wp² = R1·(G2 + G4)/(C1·C2·R5·R8), wp/Qp = R1·R7/(C1·R3·R5·R6), DC gain
// (1 + R5/R1)·R4/(R2 + R4). With a = 1.6·Qp^(1/4) and R1 = R5 = R7 = 1/(C1·W) the divider
// G2 = K·a/(2·R1), G4 = (1 - K/2)·a/R1 gives the gain K below 2; R3 = R6 = R1·sqrt(Q).
void DesignMikhaelBhattacharyyaLowpass(const StageRecord& stage, StageCircuitRecord& r) {
    ForceGainIf(r, r.ActualGain > Real48::Round(1.95L), 1.95L);
    const long double qp = stage.Qp, a = 1.6L * std::pow(qp, 0.25L);
    // Single-pole op amps, as in the MB bandpass: the output op amp's share in k1 is 1/a,
    // whatever the gain, the second op amp's share in k2 is a·(sqrt(Qp) + 1) - t2.
    SetMikhaelBhattacharyyaShifts(r, qp, 1 / a, a * (std::sqrt(qp) + 1));
    PreDistort(stage, r);
    const long double w = r.DesignW, q = r.DesignQ, k = r.ActualGain;
    if (!(k > 0)) {
        r.Invalid = 1;
        return;
    }
    const long double c1 = C(r, 1).Value, c2 = C(r, 2).Value;
    const long double r1 = 1 / (c1 * w);
    R(r, 1).Value = R(r, 5).Value = R(r, 7).Value = r1;
    R(r, 2).Value = 2 * r1 / (k * a);
    R(r, 4).Value = r1 / ((1 - k / 2) * a);
    R(r, 3).Value = R(r, 6).Value = r1 * std::sqrt(q);
    R(r, 8).Value = a / (c2 * w);

    const long double r2 = R(r, 2).Value, r4 = R(r, 4).Value, r5 = R(r, 5).Value;
    const long double divider = r2 / (r2 + r4), feedback = r5 / (r1 + r5);
    // wp: G2 and G4 by their shares of G2 + G4; Q = wp/(wp/Qp).
    const long double s2 = -0.5L * (1 - divider), s4 = -0.5L * divider;
    SetSensitivities(R(r, 1), 0.5L, -0.5L, -feedback);
    SetSensitivities(R(r, 2), s2, s2, -divider);
    SetSensitivities(R(r, 3), 0, 1, 0);
    SetSensitivities(R(r, 4), s4, s4, divider);
    SetSensitivities(R(r, 5), -0.5L, 0.5L, feedback);
    SetSensitivities(R(r, 6), 0, 1, 0);
    SetSensitivities(R(r, 7), 0, -1, 0);
    SetSensitivities(R(r, 8), -0.5L, -0.5L, 0);
    SetSensitivities(C(r, 1), -0.5L, 0.5L, 0);
    SetSensitivities(C(r, 2), -0.5L, -0.5L, 0);
    CheckComponentValues(r);
}

// Berka-Herpy (BH) Second Order Lowpass: the input divider R1, R2 feeds the first op amp, whose
// inverting input R5, R6 joins to its own and the second op amp's output; the input drives the
// second op amp's inverting input, C1 and R9 bring the first op amp's output and the stage
// output to its non-inverting input, and the third op amp integrates through R7, R8 ∥ C2.
// wp² = R6/(C1·C2·R5·R7·R9), wp/Qp = 1/(C2·R8), unity gain at DC. The numerator's s term
// C1·R9·(R1·R6 - R2·R5)/(R6·(R1 + R2)) vanishes with R1·R6 = R2·R5, which equal resistors
// meet; R3 only loads the input and R4 only closes the third op amp's non-inverting input.
void DesignBerkaHerpyLowpass(const StageRecord& stage, StageCircuitRecord& r) {
    FixGain(r, 1);
    const long double qp = stage.Qp;
    SetOpAmpCoefficients(r, 1, 0, 0.5L, 6 * qp * qp + 0.5L);
    PreDistort(stage, r);
    const long double w = r.DesignW, q = r.DesignQ;
    const long double c1 = C(r, 1).Value, c2 = C(r, 2).Value;
    const long double r1 = 1 / (c1 * w);
    for (int i : {1, 2, 3, 4, 5, 6, 7}) R(r, i).Value = r1;
    R(r, 8).Value = q / (c2 * w);
    R(r, 9).Value = 1 / (c2 * w);
    SetBerkaHerpySlots(r);
    CheckComponentValues(r);
}

// Akerberg-Mossberg (AM) Second Order Lowpass: the loop of the AM bandpass, with the input R1
// taken to the first op amp's input, which sits at ground potential, beside the feedback R6
// from the output; DC gain -R6/R1.
// The op-amp coefficients (single-pole op amps, with equal capacitors): the shares of the lossy
// integrator, the first op amp and the inverter are k1: 1/2, (K + 1)/2, 0 and
// k2: -(2·Qp + 1)/2, (K - 2·Qp + 1)/2, 2·Qp; they sum to 1.5, 0 only at unity gain.
void DesignAkerbergMossbergLowpass(const StageRecord& stage, StageCircuitRecord& r) {
    TakeGain(r);
    const long double qp = stage.Qp, k = r.ActualGain;
    SetOpAmpShares(r, {0.5L, (k + 1) / 2}, {-(2 * qp + 1) / 2, (k - 2 * qp + 1) / 2, 2 * qp});
    PreDistort(stage, r);
    DesignAkerbergMossbergLoop(r);
    R(r, 1).Value = R(r, 6).Value / k;
    SetSensitivities(R(r, 1), 0, 0, -1);
    R(r, 6).Sens[SensSlot::Gain] = 1;
    CheckComponentValues(r);
}

constexpr DesignRoutine kSlpRoutines[] = {
    DesignSallenKeyLowpassI,  // 1
    DesignSallenKeyLowpassII, // 2
    DesignMfbLowpassI,        // 3
    DesignMfbLowpassII,       // 4
    DesignFliegeLowpass,      // 5
    DesignBachLowpass,        // 6
    DesignTwinTLowpass,       // 7
    DesignKhnNonInvertingLowpass,  // 8
    DesignKhnInvertingLowpass,     // 9
    DesignTowThomasLowpass,   // 10
    DesignMikhaelBhattacharyyaLowpass,  // 11
    DesignBerkaHerpyLowpass,  // 12
    DesignAkerbergMossbergLowpass,  // 13
};

}  // namespace

std::span<const DesignRoutine> SlpDesignRoutines() { return kSlpRoutines; }

}  // namespace tavrel
