#include <cmath>

#include "circuits/equations/design_notch_common.h"
#include "circuits/equations/design_routine.h"
#include "circuits/equations/design_single_amplifier_notch.h"
#include "circuits/equations/design_skeleton.h"
#include "circuits/equations/twin_t_coefficients.h"

namespace tavrel {

namespace {

// Fliege Second Order Lowpass Notch: n0 = d0, so the gain at infinity is (W/Wz)², and
// K = (C1·R6 - C2·R5)/(R6·(C1 + C2)). With R5 = R6 that is (C1 - C2)/(C1 + C2), which
// a = ((W/Wz)² + 1)/2 turns into C1 + C2 = C1/a = C3. The notch needs R2·R6 = R1·R5.
// wp² = R5/(C3·R3·R4·R6·(C1 + C2)), wp/Qp = (R1 + R2)/(R1·R2·(C1 + C2)),
// wz² = R5/(C3·R3·R4·(C1·R6 - C2·R5)).
void DesignFliegeLowpassNotch(const StageRecord& stage, StageCircuitRecord& r) {
    SetOpAmpCoefficients(r, 2, 0);
    PreDistort(stage, r);
    const long double w = r.DesignW, q = r.DesignQ;
    const long double k = 1 / NotchRatio(stage, r);
    FixGain(r, k);
    const long double a = (k + 1) / 2;
    const long double c1 = C(r, 1).Value;
    r.CapRatio = 1 / a - 1;
    C(r, 2).Value = r.CapRatio * c1;
    C(r, 3).Value = c1 / a;
    const long double r3 = a / (c1 * w);
    R(r, 3).Value = R(r, 4).Value = R(r, 5).Value = R(r, 6).Value = r3;
    R(r, 1).Value = R(r, 2).Value = 2 * q * r3;

    const long double c2 = C(r, 2).Value, r1 = R(r, 1).Value, r2 = R(r, 2).Value;
    const long double r5 = R(r, 5).Value, r6 = R(r, 6).Value;
    ComponentFigures sw, sq, sk;
    sw.R[5] = 0.5L;
    sw.R[3] = sw.R[4] = sw.R[6] = sw.C[3] = -0.5L;
    sw.C[1] = -0.5L * c1 / (c1 + c2);
    sw.C[2] = -0.5L * c2 / (c1 + c2);
    // Q = wp·(C1 + C2)·R1·R2/(R1 + R2).
    sq = sw;
    sq.C[1] += c1 / (c1 + c2);
    sq.C[2] += c2 / (c1 + c2);
    sq.R[1] = r2 / (r1 + r2);
    sq.R[2] = r1 / (r1 + r2);
    const long double num = c1 * r6 - c2 * r5;
    sk.C[1] = c1 * r6 / num - c1 / (c1 + c2);
    sk.C[2] = -c2 * r5 / num - c2 / (c1 + c2);
    sk.R[6] = c1 * r6 / num - 1;
    sk.R[5] = -c2 * r5 / num;
    ComponentFigures swz;
    swz.R[3] = swz.R[4] = swz.C[3] = -0.5L;
    swz.R[5] = 0.5L * (1 + c2 * r5 / num);
    swz.R[6] = swz.C[1] = -0.5L * c1 * r6 / num;
    swz.C[2] = 0.5L * c2 * r5 / num;
    SetSlots(r, sw, sq, sk);
    SetZeroFrequencySlots(r, swz);
    CheckComponentValues(r, true);
}

// Twin-T Second Order Lowpass Notch: the twin-T R1, R2 / C2 and C1 / R3 with the input
// capacitor split into C3 (from the input) and C4 (to ground), so the zero pair lies at
// W·sqrt((C3 + C4)/C3) and the gain at infinity is C3/(C3 + C4) = (W/Wz)²; bootstrap fraction
// beta = R4/(R4 + R5).
void DesignTwinTLowpassNotch(const StageRecord& stage, StageCircuitRecord& r) {
    const long double qp = stage.Qp;
    const long double k1 = 4 - 1 / qp;
    SetOpAmpCoefficients(r, k1, -k1);
    PreDistort(stage, r);
    const long double ratio = NotchRatio(stage, r);
    FixGain(r, 1 / ratio);
    const long double c1 = C(r, 1).Value;
    const long double r2 = 1 / (r.DesignW * c1);
    R(r, 1).Value = R(r, 2).Value = r2;
    R(r, 3).Value = r2 / 2;
    R(r, 4).Value = R(r, 5).Value * (4 * r.DesignQ - 1);
    C(r, 2).Value = 2 * c1;
    C(r, 3).Value = c1 / ratio;
    C(r, 4).Value = c1 - C(r, 3).Value;
    const long double r4 = R(r, 4).Value, r5 = R(r, 5).Value, c3 = C(r, 3).Value, c4 = C(r, 4).Value;
    CubicSlotsThroughMatrix(r, stage.StageType, qp, SlpnTwinTCubics(), 1 + 4 * r5 / (r4 + r5));
    ComponentFigures sk;
    sk.C[3] = c4 / (c3 + c4);
    sk.C[4] = -c4 / (c3 + c4);
    SetGainSlots(r, sk);
    r.AuxPoleW = (R(r, 1).Value + R(r, 2).Value) / (C(r, 2).Value * R(r, 1).Value * R(r, 2).Value);
    CheckComponentValues(r);
}

void DesignKhnNonInvertingLowpassNotch(const StageRecord& stage, StageCircuitRecord& r) {
    DesignKhnNonInvertingNotch(stage, r, true);
}

// Berka-Herpy (BH) Second Order Lowpass Notch: n0 = d0, the divider R3/R4 sets the gain at
// infinity R4/(R3 + R4) = (W/Wz)²; R1/R2 at the first amplifier's input cancels the s term
// of the numerator, which needs R3·R6 > R4·R5.
// wp² = R9/(C1·C2·R5·R7·R8), wp/Qp = 1/(C2·R6).
void DesignBerkaHerpyLowpassNotch(const StageRecord& stage, StageCircuitRecord& r) {
    {
        // One term per op amp from the single-pole nodal analysis of the template with the
        // values below (C1 = C2), d = Qp·((Wz/Wp)² - 1).
        const long double zp = stage.Wz / stage.Wp, e = zp * zp - 1, qp = stage.Qp, d = qp * e;
        if (e > 0) {
            SetOpAmpShares(r, {0, d / 4, 1 / d}, {(d + 2) / e, -qp * (2 * qp - 1) * e / 4, -(qp * d + 1) / d});
        } else {
            SetOpAmpCoefficients(r, 0, 0);
        }
    }
    PreDistort(stage, r);
    const long double w = r.DesignW, q = r.DesignQ, ratio = NotchRatio(stage, r);
    FixGain(r, 1 / ratio);
    const long double c1 = C(r, 1).Value, c2 = C(r, 2).Value;
    const long double r2 = 1 / (c1 * w);
    R(r, 2).Value = R(r, 4).Value = R(r, 7).Value = r2;
    R(r, 3).Value = (ratio - 1) * r2;
    R(r, 6).Value = q / (c2 * w);
    R(r, 8).Value = 1 / (c2 * w);
    // Half the largest R5 the notch allows; R9 follows for the pole frequency.
    R(r, 5).Value = R(r, 9).Value = R(r, 3).Value * R(r, 6).Value / (2 * R(r, 4).Value);
    const ComponentValues v = ValuesOf(r);
    const auto& x = v.R;
    R(r, 1).Value = x[2] * (x[3] * x[6] * x[8] - x[4] * x[5] * x[8]) /
                    (x[3] * x[6] * x[9] + x[4] * x[5] * x[8] + x[4] * x[6] * x[8] + x[4] * x[6] * x[9]);

    ComponentFigures sw, sq, sk;
    sw.R[9] = 0.5L;
    sw.R[5] = sw.R[7] = sw.R[8] = sw.C[1] = sw.C[2] = -0.5L;
    sq = sw;
    // Q = wp·C2·R6.
    sq.R[6] = 1;
    sq.C[2] = 0.5L;
    sk.R[4] = x[3] / (x[3] + x[4]);
    sk.R[3] = -sk.R[4];
    // wz² = R9·(R3 + R4)/(C1·C2·R4·R5·R7·R8).
    ComponentFigures swz = sw;
    swz.R[3] = 0.5L * x[3] / (x[3] + x[4]);
    swz.R[4] = -swz.R[3];
    SetSlots(r, sw, sq, sk);
    SetZeroFrequencySlots(r, swz);
    CheckComponentValues(r, true);
}

constexpr DesignRoutine kSlpnRoutines[] = {
    DesignFriendLowpassNotch,
    DesignScultetyLowpassNotch,
    DesignBoctorLowpassNotch,
    DesignFliegeLowpassNotch,
    DesignTwinTLowpassNotch,
    DesignKhnNonInvertingLowpassNotch,
    DesignKhnInvertingNotch,
    DesignMikhaelBhattacharyyaNotch,
    DesignBerkaHerpyLowpassNotch,
    DesignAkerbergMossbergNotch,
};

}  // namespace

std::span<const DesignRoutine> SlpnDesignRoutines() { return kSlpnRoutines; }

}  // namespace tavrel
