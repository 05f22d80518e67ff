#include <algorithm>
#include <cmath>

#include "circuits/equations/decade_cap_ratio.h"
#include "circuits/equations/design_fliege_pass.h"
#include "circuits/equations/design_routine.h"
#include "circuits/equations/design_skeleton.h"
#include "circuits/equations/design_three_amp_loops.h"
#include "circuits/equations/design_twin_t_follower.h"
#include "stages/stage_record.h"

namespace tavrel {

namespace {

// Sallen-Key (SK) Second Order Highpass I: C2 (input) and C1 in series to the follower, R1
// from the follower's input to ground, R2 from the capacitors' junction to the output.
// wp² = 1/(R1·R2·C1·C2), wp/Qp = (C1 + C2)/(C1·C2·R1); unity gain at infinity.
void DesignSallenKeyHighpassI(const StageRecord& stage, StageCircuitRecord& r) {
    const long double qp = stage.Qp;
    const long double c1 = C(r, 1).Value, c2 = C(r, 2).Value, m = c2 / c1;
    FixGain(r, 1);
    SetOpAmpCoefficients(r, qp * (m + 1) / 2, -qp * (m + 1) / 2);
    PreDistort(stage, r);
    const long double w = r.DesignW, q = r.DesignQ;
    R(r, 1).Value = q * (c1 + c2) / (c1 * c2 * w);
    R(r, 2).Value = 1 / (c1 * c2 * R(r, 1).Value * w * w);
    SetSensitivities(R(r, 1), -0.5L, 0.5L, 0);
    SetSensitivities(R(r, 2), -0.5L, -0.5L, 0);
    SetSensitivities(C(r, 1), -0.5L, 0.5L - c1 / (c1 + c2), 0);
    SetSensitivities(C(r, 2), -0.5L, 0.5L - c2 / (c1 + c2), 0);
    CheckComponentValues(r);
}

// Sallen-Key (SK) Second Order Highpass II: C2 (input) and C1 in series to the non-inverting
// amplifier of gain K = 1 + R4/R3, R1 from its input to ground, R2 from the capacitors'
// junction to the output. wp² = 1/(R1·R2·C1·C2), wp/Qp = (C1 + C2)/(C1·C2·R1) - (K - 1)/(C2·R2).
// With m = C2/C1, R1 = n/(sqrt(m)·C1·W) and R2 = R1/n² the Q condition is
// (K - 1)·n² + (sqrt(m)/Q)·n - (m + 1) = 0; n is its positive root, written so that it stays
// exact as K approaches 1.
long double SallenKeyHighpassRatio(long double m, long double k, long double q) {
    const long double d = std::sqrt(m) / q;
    return 2 * (m + 1) / (d + std::sqrt(d * d + 4 * (k - 1) * (m + 1)));
}

// k1 = K²·n/(2·sqrt(m)), k2 = -k1 (derived with a single-pole op amp).
void SetSallenKeyHighpassCoefficients(StageCircuitRecord& r, long double m, long double k, long double qp) {
    const long double k1 = k * k * SallenKeyHighpassRatio(m, k, qp) / (2 * std::sqrt(m));
    SetOpAmpCoefficients(r, k1, -k1);
}

// " C1=C2 : R1=R2" takes equal capacitors and resistors and leaves the Q to the gain,
// K = 3 - 1/Q, which needs Q above 1/2; " C2 variable" takes the decade capacitor ratio above
// 4·Qp². Otherwise the capacitor ratio stays and a gain below 1.05 becomes 1.05.
void DesignSallenKeyHighpassII(const StageRecord& stage, StageCircuitRecord& r) {
    const long double qp = stage.Qp, c1 = C(r, 1).Value;
    if (r.EqualApplied || r.C2Variable) UseCapRatio(r, r.EqualApplied ? 1 : DecadeAbove(4 * qp * qp));
    const long double c2 = C(r, 2).Value, m = c2 / c1;
    if (r.EqualApplied)
        FixGain(r, 3 - 1 / qp);
    else
        ForceGainIf(r, r.ActualGain < Real48::Round(1.05L), 1.05L);
    SetSallenKeyHighpassCoefficients(r, m, r.ActualGain, qp);
    PreDistort(stage, r);
    const long double w = r.DesignW, q = r.DesignQ;
    if (r.EqualApplied) FixGain(r, 3 - 1 / q);
    const long double k = r.ActualGain;
    if (k <= 1) {
        r.Invalid = 1;
        return;
    }
    const long double n = SallenKeyHighpassRatio(m, k, q);
    R(r, 1).Value = n / (std::sqrt(m) * c1 * w);
    R(r, 2).Value = R(r, 1).Value / (n * n);
    R(r, 3).Value = R(r, 4).Value / (k - 1);

    // wp/Qp = A - B with A = (C1 + C2)/(C1·C2·R1) and B = (K - 1)/(C2·R2).
    const long double r1 = R(r, 1).Value, r2 = R(r, 2).Value;
    const long double pa = (c1 + c2) / (c1 * c2 * r1), pb = (k - 1) / (c2 * r2), d = pa - pb;
    auto sq = [&](long double sw, long double sa, long double sb) { return sw - (pa * sa - pb * sb) / d; };
    SetSensitivities(R(r, 1), -0.5L, sq(-0.5L, -1, 0), 0);
    SetSensitivities(R(r, 2), -0.5L, sq(-0.5L, 0, -1), 0);
    SetSensitivities(R(r, 3), 0, sq(0, 0, -1), -(k - 1) / k);
    SetSensitivities(R(r, 4), 0, sq(0, 0, 1), (k - 1) / k);
    SetSensitivities(C(r, 1), -0.5L, sq(-0.5L, -c2 / (c1 + c2), 0), 0);
    SetSensitivities(C(r, 2), -0.5L, sq(-0.5L, -c1 / (c1 + c2), -1), 0);
    CheckComponentValues(r);
}

// Multiple Feedback (MFB) Second Order Highpass: C1 from the input, C3 to the inverting
// input and C2 to the output meet at a node with R1 to ground; R2 is the feedback resistor.
// wp² = 1/(R1·R2·C2·C3), wp/Qp = (C1 + C2 + C3)/(C2·C3·R2), gain C1/C2 at infinity.
void DesignMfbHighpass(const StageRecord& stage, StageCircuitRecord& r) {
    const long double qp = stage.Qp;
    const long double c1 = C(r, 1).Value, c2 = C(r, 2).Value;
    C(r, 3).Value = c1;
    const long double c3 = c1, sum = c1 + c2 + c3;
    FixGain(r, c1 / c2);
    // With C3 = C1 and m = C2/C1 (derived from the netlist with a single-pole op amp).
    const long double m = c2 / c1;
    SetOpAmpCoefficients(r, ((m + 2) * qp * qp - 1) / (2 * m * qp), -((m + 4) * qp * qp - 1) / (2 * m * qp));
    PreDistort(stage, r);
    const long double w = r.DesignW, q = r.DesignQ;
    R(r, 2).Value = sum * q / (c3 * c2 * w);
    R(r, 1).Value = 1 / (c3 * c2 * R(r, 2).Value * w * w);
    SetSensitivities(R(r, 1), -0.5L, -0.5L, 0);
    SetSensitivities(R(r, 2), -0.5L, 0.5L, 0);
    SetSensitivities(C(r, 1), 0, -c1 / sum, 1);
    SetSensitivities(C(r, 2), -0.5L, 0.5L - c2 / sum, -1);
    SetSensitivities(C(r, 3), -0.5L, 0.5L - c3 / sum, 0);
    CheckComponentValues(r);
}

// Twin-T Second Order Highpass: the follower twin-T with the capacitors C1, C2 in the input path.
void DesignTwinTHighpass(const StageRecord& stage, StageCircuitRecord& r) {
    DesignTwinTFollower(stage, r, HighpassTwinTCubic());
}

// KHN (Non-Inverting Input) Second Order Highpass: the input reaches the summer's
// non-inverting input through R3, the bandpass output through R4; the lowpass output through
// R5 and the highpass output through R6 reach its inverting input; R1·C1 and R2·C2 are the
// integrators. wp² = rho/(C1·C2·R1·R2) with rho = R6/R5, wp/Qp = (1 + rho)·lam/(C1·R1) and
// K = (1 + rho)·(1 - lam) with lam = R3/(R3 + R4).
// Equal summer resistors (rho = 1) serve gains up to 2 - 1/Q, where the design is the one of
// equal resistors throughout, R4 = (2·Q - 1)·R3; the first integrator is then made slower,
// R1 = Q·(2 - K)/(C1·W). Above, R1 = 1/(C1·W) stays and rho = K + 1/Q - 1 grows with the gain.
long double KhnNonInvertingSummerRatio(long double k, long double q) { return std::max(1.0L, k + 1 / q - 1); }

// The shares of the summer, the first and the second integrator with single-pole op amps, for
// the summer ratio rho and the first integrator's C1·R1·W = t.
void SetKhnNonInvertingHighpassCoefficients(StageCircuitRecord& r, long double qp, long double rho, long double t) {
    const long double t1 = -(rho + 1) / (2 * qp), t2 = (qp - t) / (2 * t * qp), t3 = t / (2 * rho);
    const long double u1 = -(2 * qp * qp - 1) * (rho + 1) / (2 * qp), u2 = -(2 * t * qp * qp - t + qp) / (2 * t * qp),
                      u3 = -(2 * qp * rho - t) / (2 * rho);
    SetOpAmpShares(r, {t1, t2, t3}, {u1, u2, u3});
}

void DesignKhnNonInvertingHighpass(const StageRecord& stage, StageCircuitRecord& r) {
    TakeGain(r);
    const long double qp = stage.Qp, k = r.ActualGain;
    const long double rhop = KhnNonInvertingSummerRatio(k, qp);
    SetKhnNonInvertingHighpassCoefficients(r, qp, rhop, qp * (1 + rhop - k));
    PreDistort(stage, r);
    const long double w = r.DesignW, q = r.DesignQ, rho = KhnNonInvertingSummerRatio(k, q);
    const long double c1 = C(r, 1).Value, c2 = C(r, 2).Value, base = 1 / (c1 * w);
    const long double slow = q * (1 + rho - k);  // C1·R1·W
    R(r, 1).Value = slow * base;
    R(r, 2).Value = rho / (slow * c2 * w);
    R(r, 3).Value = R(r, 5).Value = base;
    R(r, 4).Value = k / (1 + rho - k) * base;
    R(r, 6).Value = rho * base;
    PoleFigures f;
    KhnNonInvertingPoleFigures(ValuesOf(r), f.sw, f.sq);
    ComponentFigures sk;  // K = R4·(R5 + R6)/(R5·(R3 + R4))
    const long double r3 = R(r, 3).Value, r4 = R(r, 4).Value, r5 = R(r, 5).Value, r6 = R(r, 6).Value;
    sk.R[3] = -r3 / (r3 + r4);
    sk.R[4] = r3 / (r3 + r4);
    sk.R[5] = -r6 / (r5 + r6);
    sk.R[6] = r6 / (r5 + r6);
    SetSlots(r, f.sw, f.sq, sk);
    CheckComponentValues(r);
}

// KHN (Inverting Input) Second Order Highpass: the highpass output of the inverting-input KHN
// loop, gain R6/R3 at infinity.
long double KhnHighpassInputRatio(long double k, long double) { return k; }

void DesignKhnInvertingHighpass(const StageRecord& stage, StageCircuitRecord& r) {
    const PoleFigures f = DesignKhnInvertingPass(stage, r, KhnHighpassInputRatio);
    ComponentFigures sk;
    sk.R[6] = 1;
    sk.R[3] = -1;
    SetSlots(r, f.sw, f.sq, sk);
    CheckComponentValues(r);
}

// Mikhael-Bhattacharyya (MB) Second Order Highpass: the input divider R1, R2 and the output
// divider R7, R3 feed the first op amp, R6 the highpass output back to the common inverting
// node, R8/R4 and R5 the two integrators C1, C2.
// wp² = (R1 ∥ R2)/(C1·C2·R4·R5·R8), wp/Qp = (R1 ∥ R2)·R7/(C1·R3·R5·R6),
// K = R2·(R3 + R7)/(R3·(R1 + R2)).
// With b = 1/sqrt(Qp), R1 = (b + 1)·R7/K and R1 ∥ R2 = R7 the divider passes K/(b + 1) and the
// output divider R3 = R7/b makes up the rest, which needs K < b + 1; R6 = b·Q·R7·C2/C1 sets the
// Q (R7/b at Q = Qp with equal capacitors) and a = 1.6·Qp^(1/4) splits the first integrator.
void DesignMikhaelBhattacharyyaHighpass(const StageRecord& stage, StageCircuitRecord& r) {
    const long double qp = stage.Qp;
    const long double a = 1.6L * std::pow(qp, 0.25L), b = 1 / std::sqrt(qp);
    CapGain(r, b + 1, 0.9L);
    // The third op amp's share 1/a and the second's a·(sqrt(Qp) + 1) in the Q (derived with
    // single-pole op amps).
    SetMikhaelBhattacharyyaShifts(r, qp, 1 / a, a * (std::sqrt(qp) + 1));
    PreDistort(stage, r);
    const long double w = r.DesignW, q = r.DesignQ, k = r.ActualGain;
    const long double c1 = C(r, 1).Value, c2 = C(r, 2).Value;
    const long double r7 = 1 / (c1 * w);
    R(r, 7).Value = r7;
    R(r, 1).Value = (b + 1) * r7 / k;
    R(r, 2).Value = r7 / (1 - k / (b + 1));
    R(r, 3).Value = r7 / b;
    R(r, 4).Value = r7 / a;
    R(r, 8).Value = a * r7;
    R(r, 5).Value = 1 / (c2 * w);
    R(r, 6).Value = b * q * r7 * c2 / c1;

    const long double r1 = R(r, 1).Value, r2 = R(r, 2).Value, r3 = R(r, 3).Value;
    ComponentFigures sw, sd1, sk;
    sw.R[1] = 0.5L * r2 / (r1 + r2);
    sw.R[2] = 0.5L * r1 / (r1 + r2);
    sw.R[4] = sw.R[5] = sw.R[8] = sw.C[1] = sw.C[2] = -0.5L;
    sd1.R[1] = r2 / (r1 + r2);
    sd1.R[2] = r1 / (r1 + r2);
    sd1.R[7] = 1;
    sd1.R[3] = sd1.R[5] = sd1.R[6] = sd1.C[1] = -1;
    sk.R[1] = -r1 / (r1 + r2);
    sk.R[2] = r1 / (r1 + r2);
    sk.R[3] = -r7 / (r3 + r7);
    sk.R[7] = r7 / (r3 + r7);
    SetSlots(r, sw, Difference(sw, sd1), sk);  // Q = wp/(wp/Qp)
    CheckComponentValues(r);
}

// Berka-Herpy (BH) Second Order Highpass: wp² = R6/(C1·C2·R5·R7·R9), wp/Qp = 1/(C2·R8); the
// input divider R1, R2 cancels the s term of the numerator when
// R1·R5·(R7 + R8) = R2·(R6·R8 - R5·R7), which R2 = 2·R1, R7 = R8/3 and R5 = R6 meet.
// With single-pole op amps the three amplifiers shift wp and Qp by (0, 2·Qp), (Qp/6, -5·Qp/6)
// and (3/(2·Qp), -(2·Qp² + 3)/(2·Qp)) per unit wp/wt: R7 = Q/3 and R9 = 3/Q make the last
// two depend on Q.
void DesignBerkaHerpyHighpass(const StageRecord& stage, StageCircuitRecord& r) {
    FixGain(r, 1);
    const long double qp = stage.Qp;
    SetOpAmpCoefficients(r, qp / 6 + 3 / (2 * qp), qp / 6 - 3 / (2 * qp));
    PreDistort(stage, r);
    const long double w = r.DesignW, q = r.DesignQ;
    const long double c1 = C(r, 1).Value, c2 = C(r, 2).Value;
    const long double r1 = 1 / (c1 * w);
    R(r, 1).Value = r1;
    R(r, 2).Value = 2 * r1;
    R(r, 3).Value = R(r, 4).Value = R(r, 5).Value = R(r, 6).Value = r1;
    R(r, 8).Value = q / (c2 * w);
    R(r, 7).Value = R(r, 8).Value / 3;
    R(r, 9).Value = 1 / (c1 * c2 * w * w * R(r, 7).Value);
    SetBerkaHerpySlots(r);
    CheckComponentValues(r);
}

// Akerberg-Mossberg (AM) Second Order Highpass: the input capacitor C2 against C1 sets the
// gain C2/C1 at infinity; wp² = R3/(C1·C3·R2·R4·R6), wp/Qp = 1/(C1·R5). R1 sits at a virtual
// ground and only sets the noise gain of its op amp, 1 + R5/R1 = 1 + Q/K: so the gain enters
// the op-amp coefficients. With single-pole op amps the three amplifiers shift wp and Qp by
// (1/2, -(2·Qp - 1)/2), (0, Qp·(2·K + 1)/K) and ((Qp - K)/(2·Qp), -(2·K·Qp² - K + 2·Qp² + Qp)/(2·Qp))
// per unit wp/wt.
void DesignAkerbergMossbergHighpass(const StageRecord& stage, StageCircuitRecord& r) {
    TakeGain(r);
    const long double qp = stage.Qp, gain = r.ActualGain;
    SetOpAmpCoefficients(r, 1 - gain / (2 * qp), qp / gain - gain * qp + gain / (2 * qp));
    PreDistort(stage, r);
    const long double w = r.DesignW, q = r.DesignQ, k = r.ActualGain;
    const long double c1 = C(r, 1).Value;
    C(r, 3).Value = c1;
    C(r, 2).Value = k * C(r, 3).Value;
    const long double r2 = 1 / (c1 * w);
    R(r, 2).Value = R(r, 3).Value = R(r, 4).Value = R(r, 6).Value = r2;
    R(r, 5).Value = q * r2;
    R(r, 1).Value = C(r, 2).Value * r2 / C(r, 3).Value;
    SetSensitivities(R(r, 1), 0, 0, 0);
    SetSensitivities(R(r, 2), -0.5L, -0.5L, 0);
    SetSensitivities(R(r, 3), 0.5L, 0.5L, 0);
    SetSensitivities(R(r, 4), -0.5L, -0.5L, 0);
    SetSensitivities(R(r, 5), 0, 1, 0);
    SetSensitivities(R(r, 6), -0.5L, -0.5L, 0);
    SetSensitivities(C(r, 1), -0.5L, 0.5L, -1);
    SetSensitivities(C(r, 2), 0, 0, 1);
    SetSensitivities(C(r, 3), -0.5L, -0.5L, 0);
    CheckComponentValues(r);
}

constexpr DesignRoutine kShpRoutines[] = {
    DesignSallenKeyHighpassI,
    DesignSallenKeyHighpassII,
    DesignMfbHighpass,
    DesignFliegePass,
    DesignTwinTHighpass,
    DesignKhnNonInvertingHighpass,
    DesignKhnInvertingHighpass,
    DesignMikhaelBhattacharyyaHighpass,
    DesignBerkaHerpyHighpass,
    DesignAkerbergMossbergHighpass,
};

}  // namespace

std::span<const DesignRoutine> ShpDesignRoutines() { return kShpRoutines; }

}  // namespace tavrel
