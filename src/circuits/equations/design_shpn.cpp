#include <cmath>

#include "circuits/equations/design_notch_common.h"
#include "circuits/equations/design_routine.h"
#include "circuits/equations/design_single_amplifier_notch.h"
#include "circuits/equations/design_skeleton.h"
#include "circuits/equations/twin_t_coefficients.h"

namespace tavrel {

namespace {

// Fliege Second Order Highpass Notch: the gain at infinity K = 1 + R6/R7 is fixed at
// 2/(1 + r), r = (Wz/W)², and the zero ratio r = R7²/((R6 + R7)·(R5 + R7)) then gives
// R5/R7 = (1 - r)/(2·r); the notch needs R2·R5·(R6 + R7) = R1·R6·R7, so R2 = r·R1.
// wp² = R6·(R5 + R7)/(C1·C2·R3·R4·R5·R7) = 1/(C1·C2·R3·R4), wp/Qp = (R1 + R2)/(C1·R1·R2).
void DesignFliegeHighpassNotch(const StageRecord& stage, StageCircuitRecord& r) {
    SetOpAmpCoefficients(r, 2, 0);
    PreDistort(stage, r);
    const long double w = r.DesignW, q = r.DesignQ, ratio = NotchRatio(stage, r);
    FixGain(r, 2 / (1 + ratio));
    const long double c1 = C(r, 1).Value, c2 = C(r, 2).Value;
    const long double r3 = 1 / (c1 * w);
    R(r, 3).Value = R(r, 7).Value = r3;
    R(r, 6).Value = r3 * (1 - ratio) / (1 + ratio);
    R(r, 5).Value = r3 * (1 - ratio) / (2 * ratio);
    R(r, 1).Value = q * r3 * (1 + ratio) / ratio;
    R(r, 2).Value = q * r3 * (1 + ratio);
    R(r, 4).Value = 1 / (c2 * w);

    const ComponentValues v = ValuesOf(r);
    const auto& x = v.R;
    ComponentFigures sw, sq, sk;
    sw.R[6] = 0.5L;
    sw.R[5] = -0.5L * x[7] / (x[5] + x[7]);
    sw.R[7] = -0.5L * x[5] / (x[5] + x[7]);
    sw.R[3] = sw.R[4] = sw.C[1] = sw.C[2] = -0.5L;
    // Q = wp·C1·R1·R2/(R1 + R2).
    sq = sw;
    sq.C[1] += 1;
    sq.R[1] = x[2] / (x[1] + x[2]);
    sq.R[2] = x[1] / (x[1] + x[2]);
    sk.R[6] = x[6] / (x[6] + x[7]);
    sk.R[7] = -sk.R[6];
    // wz² = R6·R7/(C1·C2·R3·R4·R5·(R6 + R7)).
    ComponentFigures swz;
    swz.R[3] = swz.R[4] = swz.R[5] = swz.C[1] = swz.C[2] = -0.5L;
    swz.R[6] = 0.5L * x[7] / (x[6] + x[7]);
    swz.R[7] = 0.5L * x[6] / (x[6] + x[7]);
    SetSlots(r, sw, sq, sk);
    SetZeroFrequencySlots(r, swz);
    CheckComponentValues(r, true);
}

// Twin-T Second Order Highpass Notch: the resistive arm is fed from the divider R1/R2 (its
// Thevenin resistance R1 ∥ R2 = R3, its ratio (Wz/W)²) through R3 and R4 with C3 across to
// the bootstrap node, the capacitive arm C2, C1 with R5; bootstrap fraction R6/(R6 + R7).
void DesignTwinTHighpassNotch(const StageRecord& stage, StageCircuitRecord& r) {
    const long double qp = stage.Qp;
    FixGain(r, 1);
    const long double k1 = 4 - 1 / qp;
    SetOpAmpCoefficients(r, k1, -k1);
    PreDistort(stage, r);
    const long double ratio = NotchRatio(stage, r);
    const long double c1 = C(r, 1).Value;
    const long double r4 = 1 / (r.DesignW * c1);
    R(r, 4).Value = r4;
    R(r, 3).Value = R(r, 5).Value = r4 / 2;
    R(r, 1).Value = R(r, 3).Value / ratio;
    R(r, 2).Value = ratio < 1 ? R(r, 3).Value / (1 - ratio) : -1;
    R(r, 6).Value = (4 * r.DesignQ - 1) * R(r, 7).Value;
    C(r, 2).Value = c1;
    C(r, 3).Value = 2 * c1;
    const ComponentValues v = ValuesOf(r);
    const auto& x = v.R;
    CubicSlotsThroughMatrix(r, stage.StageType, qp, ShpnTwinTCubics(), 1 + 4 * x[7] / (x[6] + x[7]));
    SetGainSlots(r, {});
    const long double ra = x[1] * x[2] / (x[1] + x[2]) + x[3], rb = x[4];
    r.AuxPoleW = (ra + rb) / (C(r, 3).Value * ra * rb);
    CheckComponentValues(r);
}

void DesignKhnNonInvertingHighpassNotch(const StageRecord& stage, StageCircuitRecord& r) {
    DesignKhnNonInvertingNotch(stage, r, false);
}

// Berka-Herpy (BH) Second Order Highpass Notch: unity gain at infinity, the divider R3/R4
// sets the zero ratio (Wz/W)² = R4/(R3 + R4), R1/R2 cancels the numerator's s term, which
// needs R3·R6·R9 > R5·R8·(R3 + R4): R7 and R9 are raised together by twice that bound.
// wp² = R9/(C1·C2·R5·R7·R8), wp/Qp = 1/(C2·R6).
void DesignBerkaHerpyHighpassNotch(const StageRecord& stage, StageCircuitRecord& r) {
    FixGain(r, 1);
    {
        // k2 from the single-pole nodal analysis of the template with R7, R9 raised as below.
        const long double zp = stage.Wz / stage.Wp, rz = zp * zp;
        SetOpAmpCoefficients(r, 1, rz < 1 ? stage.Qp * stage.Qp * (1 - rz) / 2 - 2 / (1 - rz) : 0);
    }
    PreDistort(stage, r);
    const long double w = r.DesignW, q = r.DesignQ, ratio = NotchRatio(stage, r);
    const long double c1 = C(r, 1).Value, c2 = C(r, 2).Value;
    const long double r2 = 1 / (c1 * w);
    R(r, 2).Value = R(r, 4).Value = R(r, 5).Value = r2;
    R(r, 3).Value = (1 / ratio - 1) * r2;
    R(r, 6).Value = q / (c2 * w);
    R(r, 8).Value = 1 / (c2 * w);
    const long double lift = 2 * R(r, 8).Value * (R(r, 3).Value + R(r, 4).Value) / (R(r, 3).Value * R(r, 6).Value);
    R(r, 7).Value = R(r, 9).Value = lift * r2;
    const ComponentValues v = ValuesOf(r);
    const auto& x = v.R;
    R(r, 1).Value = x[2] * (x[3] * x[6] * x[9] - x[3] * x[5] * x[8] - x[4] * x[5] * x[8]) /
                    (x[3] * x[5] * x[8] + x[3] * x[6] * x[8] + x[4] * x[5] * x[8] + x[4] * x[6] * x[8] +
                     x[4] * x[6] * x[9]);

    ComponentFigures sw, sq, sk;
    sw.R[9] = 0.5L;
    sw.R[5] = sw.R[7] = sw.R[8] = sw.C[1] = sw.C[2] = -0.5L;
    sq = sw;
    // Q = wp·C2·R6.
    sq.R[6] = 1;
    sq.C[2] = 0.5L;
    // wz² = R4·R9/(C1·C2·R5·R7·R8·(R3 + R4)).
    ComponentFigures swz = sw;
    swz.R[4] = 0.5L * x[3] / (x[3] + x[4]);
    swz.R[3] = -swz.R[4];
    SetSlots(r, sw, sq, sk);
    SetZeroFrequencySlots(r, swz);
    CheckComponentValues(r, true);
}

constexpr DesignRoutine kShpnRoutines[] = {
    DesignFriendHighpassNotch,
    DesignScultetyHighpassNotch,
    DesignFliegeHighpassNotch,
    DesignTwinTHighpassNotch,
    DesignKhnNonInvertingHighpassNotch,
    DesignKhnInvertingNotch,
    DesignMikhaelBhattacharyyaNotch,
    DesignBerkaHerpyHighpassNotch,
    DesignAkerbergMossbergNotch,
};

}  // namespace

std::span<const DesignRoutine> ShpnDesignRoutines() { return kShpnRoutines; }

}  // namespace tavrel
