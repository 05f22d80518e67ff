#include <cmath>

#include "circuits/equations/design_fliege_pass.h"
#include "circuits/equations/design_routine.h"
#include "circuits/equations/design_sbp_feedback.h"
#include "circuits/equations/design_skeleton.h"
#include "circuits/equations/design_three_amp_loops.h"
#include "circuits/equations/twin_t_pass_sensitivity.h"

namespace tavrel {

namespace {

// The pole pair of the two-capacitor multiple-feedback bandpass: R1 from the input, C1 to the
// inverting input and C2 to the output from their node, R2 the feedback resistor, R3 (when
// present) from the node to ground. wp² = (1/R1 + 1/R3)/(C1·C2·R2), wp/Qp = (C1 + C2)/(C1·C2·R2),
// gain at wp C1·R2/(R1·(C1 + C2)).
void SetMultipleFeedbackBandpassSensitivities(StageCircuitRecord& r, bool shunt) {
    const long double c1 = C(r, 1).Value, c2 = C(r, 2).Value, share = c2 / (c1 + c2);
    const long double g1 = 1 / R(r, 1).Value, g3 = shunt ? 1 / R(r, 3).Value : 0;
    const long double f1 = -0.5L * g1 / (g1 + g3), f3 = -0.5L * g3 / (g1 + g3);
    SetSensitivities(R(r, 1), f1, f1, -1);
    SetSensitivities(R(r, 2), -0.5L, 0.5L, 1);
    if (shunt) SetSensitivities(R(r, 3), f3, f3, 0);
    SetSensitivities(C(r, 1), -0.5L, share - 0.5L, share);
    SetSensitivities(C(r, 2), -0.5L, 0.5L - share, -share);
}

// Deliyannis Second Order Bandpass I: the multiple-feedback bandpass without the shunt
// resistor; its gain at wp is (m + 1)·Q²/m for m = C2/C1.
void DesignDeliyannisBandpassI(const StageRecord& stage, StageCircuitRecord& r) {
    const long double qp = stage.Qp;
    if (r.C2Variable) {
        // R2/R1 = (m + 1)²·Q²/m, least at m = 1.
        UseCapRatio(r, DecadeRatioOfLeastSpread([&](long double m) { return (m + 1) * (m + 1) * qp * qp / m; }));
    }
    const long double c1 = C(r, 1).Value, c2 = C(r, 2).Value, m = c2 / c1;
    SetOpAmpCoefficients(r, (m + 1) * qp / (2 * m), -(m + 1) * qp / (2 * m));
    PreDistort(stage, r);
    const long double w = r.DesignW, q = r.DesignQ;
    // The gain belongs to the Q the resistors realise.
    FixGain(r, (m + 1) * q * q / m);
    R(r, 2).Value = q * (c1 + c2) / (c1 * c2 * w);
    R(r, 1).Value = 1 / (R(r, 2).Value * c1 * c2 * w * w);
    SetMultipleFeedbackBandpassSensitivities(r, false);
    CheckComponentValues(r);
}

// Multiple Feedback (MFB) Second Order Bandpass I: the shunt resistor R3 lowers the gain
// below the Deliyannis value; at or above it the gain is held at 0.9 of it.
void DesignMfbBandpassI(const StageRecord& stage, StageCircuitRecord& r) {
    const long double qp = stage.Qp;
    const long double c1 = C(r, 1).Value, c2 = C(r, 2).Value, m = c2 / c1;
    SetOpAmpCoefficients(r, (m + 1) * qp / (2 * m), -(m + 1) * qp / (2 * m));
    PreDistort(stage, r);
    const long double w = r.DesignW, q = r.DesignQ;
    CapGain(r, (m + 1) * q * q / m, 0.9L);
    const long double k = r.ActualGain;
    R(r, 2).Value = q * (c1 + c2) / (c1 * c2 * w);
    R(r, 1).Value = R(r, 2).Value * c1 / (k * (c1 + c2));
    R(r, 3).Value = 1 / (c1 * c2 * R(r, 2).Value * w * w - 1 / R(r, 1).Value);
    SetMultipleFeedbackBandpassSensitivities(r, true);
    CheckComponentValues(r);
}

// Twin-T Second Order Bandpass: the balanced network between the input and the follower,
// R1 = R2, R3 = R2/2, C1 = C2, C3 = 2·C1, with its outer branches returned to the output of
// the inverting amplifier of gain R5/R4 = 4·Q - 1. The cubic is (s + W)·(s² + W·s/Q + W²)
// and the numerator c2·s² + c1·s = c2·s·(s + W): the real pole cancels and the stage is the
// bandpass c2·s/(s² + W·s/Q + W²), whose gain at wp is c2·Q/W, with
// c2 = R5·C3·R2·(C1·R1 + C1·R3 + C2·R3) over the common denominator of the cubic. Off the
// balance the gain stays c2 over the s term of the quadratic factor, W/Q: its sensitivity is
// that of c2 less S(wp), plus S(Qp).
long double TwinTBandpassSquareNumerator(const TwinTValues& v) {
    return v.R[5] * v.C[3] * v.R[2] * (v.C[1] * v.R[1] + v.C[1] * v.R[3] + v.C[2] * v.R[3]);
}

void DesignTwinTBandpass(const StageRecord& stage, StageCircuitRecord& r) {
    const long double qp = stage.Qp;
    const long double k1 = 2 - 1 / (8 * qp * qp);
    SetOpAmpCoefficients(r, k1, -k1);
    PreDistort(stage, r);
    const long double c1 = C(r, 1).Value, r2 = 1 / (r.DesignW * c1);
    R(r, 1).Value = R(r, 2).Value = r2;
    R(r, 3).Value = r2 / 2;
    R(r, 5).Value = r2;
    R(r, 4).Value = R(r, 5).Value / (4 * r.DesignQ - 1);
    C(r, 2).Value = c1;
    C(r, 3).Value = 2 * c1;
    const TwinTCubic& cubic = BandpassTwinTCubic();
    const long double q = r.DesignQ;
    FixGain(r, RatioOfComponentPolynomials(r, TwinTBandpassSquareNumerator, cubic.denominator) * q / r.DesignW);
    TwinTPassSlots(r, stage.StageType, q, cubic);
    RatioSlots(r, TwinTBandpassSquareNumerator, cubic.denominator, SensSlot::Gain);
    AddScaledSlot(r, SensSlot::Gain, SensSlot::PoleFrequency, -1);
    AddScaledSlot(r, SensSlot::Gain, SensSlot::PoleQ, 1);
    r.AuxPoleW = (R(r, 1).Value + R(r, 2).Value) / (C(r, 3).Value * R(r, 1).Value * R(r, 2).Value);
    CheckComponentValues(r);
}

// KHN (Non-Inverting Input) Second Order Bandpass: the bandpass output of the
// non-inverting-input KHN loop, gain R4/R3 at wp (inverted). Equal integrators would tie the
// gain to 2·Q - 1; the loop with the input ratio K takes any gain.
void DesignKhnNonInvertingBandpass(const StageRecord& stage, StageCircuitRecord& r) {
    TakeGain(r);
    const long double k = r.ActualGain;
    SetKhnNonInvertingShifts(r, stage.Qp, k);
    PreDistort(stage, r);
    SetKhnNonInvertingLoop(r, k);
    ComponentFigures sw, sq, sk;
    KhnNonInvertingPoleFigures(ValuesOf(r), sw, sq);
    sk.R[4] = 1;
    sk.R[3] = -1;
    SetSlots(r, sw, sq, sk);
    CheckComponentValues(r);
}

// KHN (Inverting Input) Second Order Bandpass: the bandpass output of the inverting-input KHN
// loop, gain (R6/R3)·Q at wp, so the summer's input ratio is K/Q: R3 = R1·Q/K and
// R7 = (2·Q + K - 1)·R4.
long double KhnBandpassInputRatio(long double k, long double q) { return k / q; }

void DesignKhnInvertingBandpass(const StageRecord& stage, StageCircuitRecord& r) {
    const PoleFigures f = DesignKhnInvertingPass(stage, r, KhnBandpassInputRatio);
    // K = (R6/R3)·Q/(wp·C1·R1).
    ComponentFigures sk = Difference(f.sq, f.sw);
    sk.R[1] -= 1;
    sk.C[1] -= 1;
    sk.R[6] += 1;
    sk.R[3] -= 1;
    SetSlots(r, f.sw, f.sq, sk);
    CheckComponentValues(r);
}

// k1, k2, s1, s2 of the two-integrator loops (derived with single-pole op amps): the shares
// of the lossy integrator, the integrator and the inverter, whose Q share is 2·Qp with the
// sign the loop gives it.
void SetTwoIntegratorLoopShifts(StageCircuitRecord& r, long double qp, long double k, long double inverterSign) {
    SetOpAmpShares(r, {(k + qp) / (2 * qp), 0.5L},
                   {-(k + 2 * qp * qp + qp) / (2 * qp), -(2 * qp - 1) / 2, inverterSign * 2 * qp});
}

// Tow-Thomas (TT) Second Order Bandpass: the lossy integrator R4, C1 with input resistor R3,
// the integrator R2, C2 and the inverter R5, R6. wp² = R6/(C1·C2·R1·R2·R5),
// wp/Qp = 1/(C1·R4), gain at wp R4/R3.
void DesignTowThomasBandpass(const StageRecord& stage, StageCircuitRecord& r) {
    TakeGain(r);
    SetTwoIntegratorLoopShifts(r, stage.Qp, r.ActualGain, -1);
    PreDistort(stage, r);
    const long double w = r.DesignW, q = r.DesignQ, k = r.ActualGain;
    const long double c1 = C(r, 1).Value, c2 = C(r, 2).Value;
    const long double r1 = 1 / (c1 * w);
    R(r, 1).Value = R(r, 5).Value = R(r, 6).Value = r1;
    R(r, 2).Value = 1 / (c2 * w);
    R(r, 4).Value = q * r1;
    R(r, 3).Value = R(r, 4).Value / k;
    SetSensitivities(R(r, 1), -0.5L, -0.5L, 0);
    SetSensitivities(R(r, 2), -0.5L, -0.5L, 0);
    SetSensitivities(R(r, 3), 0, 0, -1);
    SetSensitivities(R(r, 4), 0, 1, 1);
    SetSensitivities(R(r, 5), -0.5L, -0.5L, 0);
    SetSensitivities(R(r, 6), 0.5L, 0.5L, 0);
    SetSensitivities(C(r, 1), -0.5L, 0.5L, 0);
    SetSensitivities(C(r, 2), -0.5L, -0.5L, 0);
    CheckComponentValues(r);
}

// Mikhael-Bhattacharyya (MB) Second Order Bandpass: the three op amps share the inverting
// node; R1, R5 return a fraction of the output to the first one's non-inverting input, R2, R3
// divide the input (and R7 the first op amp's output) at the second one's, C2, R4 feed the
// third one's. wp² = R1/(C1·C2·R4·R5·R8), wp/Qp = R1·(G2 + G3)·R7/(C1·R5·R6), gain at wp
// (1 + R5/R1)·G2/(G2 + G3), below 2 with R1 = R5. a = 1.6·Qp^(1/4) and b = 1/sqrt(Qp) from
// the stage's Qp; R6 = Q·b·R1 carries the Q (R1/b without pre-distortion).
void DesignMikhaelBhattacharyyaBandpass(const StageRecord& stage, StageCircuitRecord& r) {
    // The desired gain is a stored value: the limit is compared as stored.
    ForceGainIf(r, r.ActualGain > Real48::Round(1.95L), 1.95L);
    const long double qp = stage.Qp;
    const long double a = 1.6L * std::pow(qp, 0.25L), b = 1 / std::sqrt(qp);
    SetMikhaelBhattacharyyaShifts(r, qp, 1 / a, a * (std::sqrt(qp) + 1));
    PreDistort(stage, r);
    const long double w = r.DesignW, q = r.DesignQ, k = r.ActualGain;
    const long double c1 = C(r, 1).Value, c2 = C(r, 2).Value;
    const long double r1 = 1 / (c1 * w);
    R(r, 1).Value = R(r, 5).Value = R(r, 7).Value = r1;
    R(r, 2).Value = 2 * r1 / (k * b);
    R(r, 3).Value = r1 / ((1 - k / 2) * b);
    R(r, 4).Value = 1 / (a * c2 * w);
    R(r, 6).Value = q * b * r1;
    R(r, 8).Value = a * r1;

    // The input divider's share G3/(G2 + G3) and the output divider's R5/(R1 + R5).
    const long double share3 = R(r, 2).Value / (R(r, 2).Value + R(r, 3).Value);
    const long double share5 = R(r, 5).Value / (r1 + R(r, 5).Value);
    ComponentFigures sw, sd1, sk;  // sd1: of wp/Qp
    sw.R[1] = 0.5L;
    sw.R[4] = sw.R[5] = sw.R[8] = sw.C[1] = sw.C[2] = -0.5L;
    sd1.R[1] = sd1.R[7] = 1;
    sd1.R[5] = sd1.R[6] = sd1.C[1] = -1;
    sd1.R[2] = -(1 - share3);
    sd1.R[3] = -share3;
    sk.R[5] = share5;
    sk.R[1] = -share5;
    sk.R[2] = -share3;
    sk.R[3] = share3;
    SetSlots(r, sw, Difference(sw, sd1), sk);
    CheckComponentValues(r);
}

// Berka-Herpy (BH) Second Order Bandpass: wp² = R5/(C1·C2·R1·R2·R4), wp/Qp = 1/(C2·R3), gain
// at wp R3·R7·(R4 + R5)/(R1·R4·(R6 + R7)); the divider R6, R7 takes the gain below 2·Q.
void DesignBerkaHerpyBandpass(const StageRecord& stage, StageCircuitRecord& r) {
    ForceGainIf(r, r.ActualGain <= 1, 1.1L);
    SetOpAmpCoefficients(r, 1, 0);
    PreDistort(stage, r);
    const long double w = r.DesignW, q = r.DesignQ, k = r.ActualGain;
    const long double c1 = C(r, 1).Value, c2 = C(r, 2).Value;
    const long double r1 = 1 / (c1 * w);
    R(r, 1).Value = R(r, 4).Value = R(r, 5).Value = R(r, 7).Value = r1;
    R(r, 2).Value = 1 / (c2 * w);
    R(r, 3).Value = q / (c2 * w);
    R(r, 6).Value = (2 * R(r, 3).Value / (r1 * k) - 1) * r1;
    const long double r4 = R(r, 4).Value, r5 = R(r, 5).Value, r6 = R(r, 6).Value, r7 = R(r, 7).Value;
    SetSensitivities(R(r, 1), -0.5L, -0.5L, -1);
    SetSensitivities(R(r, 2), -0.5L, -0.5L, 0);
    SetSensitivities(R(r, 3), 0, 1, 1);
    SetSensitivities(R(r, 4), -0.5L, -0.5L, -r5 / (r4 + r5));
    SetSensitivities(R(r, 5), 0.5L, 0.5L, r5 / (r4 + r5));
    SetSensitivities(R(r, 6), 0, 0, -r6 / (r6 + r7));
    SetSensitivities(R(r, 7), 0, 0, r6 / (r6 + r7));
    SetSensitivities(C(r, 1), -0.5L, -0.5L, 0);
    SetSensitivities(C(r, 2), -0.5L, 0.5L, 0);
    CheckComponentValues(r);
}

// Akerberg-Mossberg (AM) Second Order Bandpass: the input R1 reaches the lossy integrator
// R5 ∥ C2 of the loop; wp² = R3/(C1·C2·R2·R4·R6), wp/Qp = 1/(C2·R5), gain at wp R5/R1.
void DesignAkerbergMossbergBandpass(const StageRecord& stage, StageCircuitRecord& r) {
    TakeGain(r);
    SetTwoIntegratorLoopShifts(r, stage.Qp, r.ActualGain, 1);
    PreDistort(stage, r);
    DesignAkerbergMossbergLoop(r);
    R(r, 1).Value = R(r, 5).Value / r.ActualGain;
    SetSensitivities(R(r, 1), 0, 0, -1);
    R(r, 5).Sens[SensSlot::Gain] = 1;
    CheckComponentValues(r);
}

constexpr DesignRoutine kSbpRoutines[] = {
    DesignDeliyannisBandpassI,
    DesignDeliyannisBandpassII,
    DesignSallenKeyBandpass,
    DesignMfbBandpassI,
    DesignMfbBandpassII,
    DesignFliegePass,
    DesignTwinTBandpass,
    DesignKhnNonInvertingBandpass,
    DesignKhnInvertingBandpass,
    DesignTowThomasBandpass,
    DesignMikhaelBhattacharyyaBandpass,
    DesignBerkaHerpyBandpass,
    DesignAkerbergMossbergBandpass,
};

}  // namespace

std::span<const DesignRoutine> SbpDesignRoutines() { return kSbpRoutines; }

}  // namespace tavrel
