#include <cmath>

#include "circuits/equations/design_notch_common.h"
#include "circuits/equations/design_routine.h"
#include "circuits/equations/design_skeleton.h"
#include "stages/stage_record.h"
#include "circuits/equations/twin_t_coefficients.h"

namespace tavrel {

namespace {

// Sallen-Key (SK) Second Order Notch: the twin-T R1, R2 / C3 and C1, C2 / R3, its shunt
// resistor R3 returned to the output, and a non-inverting amplifier of gain 1 + R5/R4.
// With R2 = b·R1, C2 = C1/b, R3 = b·R1/(b + 1) and C3 = C1 + C2 the numerator is
// (s + 1/(C1·R1))·(s² + 1/(C1·R1)²); the amplifier gain a = 2 - b/((b + 1)·Q) places the pair.
void DesignSallenKeyNotch(const StageRecord& stage, StageCircuitRecord& r) {
    const long double qp = stage.Qp;
    long double b = 1 / r.CapRatio;
    auto gainFor = [&](long double q) { return 2 - b / ((b + 1) * q); };
    while (gainFor(qp) <= 1) b /= 2;
    const long double ap = gainFor(qp);
    // Half of a²·(b + 1)/b: the single-pole nodal analysis of the template.
    const long double k1 = ap * ap * (b + 1) / (2 * b);
    SetOpAmpCoefficients(r, k1, -k1);
    PreDistort(stage, r);
    const long double a = gainFor(r.DesignQ);
    FixGain(r, a);
    r.CapRatio = 1 / b;
    const long double c1 = C(r, 1).Value;
    C(r, 2).Value = c1 / b;
    C(r, 3).Value = c1 + C(r, 2).Value;
    const long double r1 = 1 / (c1 * r.DesignW);
    R(r, 1).Value = r1;
    R(r, 2).Value = b * r1;
    R(r, 3).Value = b * r1 / (b + 1);
    R(r, 4).Value = a > 1 ? R(r, 5).Value / (a - 1) : -1;
    const long double r4 = R(r, 4).Value, r5 = R(r, 5).Value;
    r.AuxPoleW = (R(r, 1).Value + R(r, 2).Value) / (C(r, 3).Value * R(r, 1).Value * R(r, 2).Value);
    CubicSlotsThroughMatrix(r, stage.StageType, qp, SallenKeyNotchCubics(), 1 + 1 / r.DesignQ);
    ComponentFigures sk;
    sk.R[5] = r5 / (r4 + r5);
    sk.R[4] = -sk.R[5];
    SetGainSlots(r, sk);
    CheckComponentValues(r);
}

// Twin-T Second Order Notch I and II: the balanced twin-T (R1 = R2, R3 = R1/2, C1 = C2,
// C3 = 2·C1) between a non-inverting amplifier and a follower, with the bootstrap fraction
// beta = R4/(R4 + R5) of the output fed to the network's common node.
void DesignTwinTNotch(const StageRecord& stage, StageCircuitRecord& r, long double k1) {
    const long double qp = stage.Qp;
    FixGain(r, 1);
    const long double s1 = (1 - 1 / (4 * qp)) * (1 - 1 / (4 * qp)) * (1 / (4 * qp * qp) + 4);
    SetOpAmpCoefficients(r, k1, -k1, s1, s1);
    PreDistort(stage, r);
    const long double c1 = C(r, 1).Value;
    const long double r2 = 1 / (r.DesignW * c1);
    R(r, 1).Value = R(r, 2).Value = r2;
    R(r, 3).Value = r2 / 2;
    R(r, 4).Value = R(r, 5).Value * (4 * r.DesignQ - 1);
    C(r, 2).Value = c1;
    C(r, 3).Value = 2 * c1;
    const long double r4 = R(r, 4).Value, r5 = R(r, 5).Value;
    const long double beta = r4 / (r4 + r5);
    CubicSlotsThroughMatrix(r, stage.StageType, qp, TwinTNotchCubics(), 1 + 4 * (1 - beta));
    SetGainSlots(r, {});
    r.AuxPoleW = (R(r, 1).Value + R(r, 2).Value) / (C(r, 3).Value * R(r, 1).Value * R(r, 2).Value);
    CheckComponentValues(r);
}

void DesignTwinTNotchI(const StageRecord& stage, StageCircuitRecord& r) {
    const long double qp = stage.Qp;
    DesignTwinTNotch(stage, r, 2 - 1 / (8 * qp * qp));
}

void DesignTwinTNotchII(const StageRecord& stage, StageCircuitRecord& r) {
    DesignTwinTNotch(stage, r, 4 - 1 / stage.Qp);
}

// Fliege Second Order Notch: n0 = d0 and a unity gain at infinity by the topology; the notch
// needs R2·R6 = R1·R5. wp² = R5/(C1·C2·R3·R4·R6), wp/Qp = (R1 + R2)/(C1·R1·R2).
void DesignFliegeNotch(const StageRecord& stage, StageCircuitRecord& r) {
    FixGain(r, 1);
    SetOpAmpCoefficients(r, 2, 0);
    PreDistort(stage, r);
    const long double w = r.DesignW, q = r.DesignQ;
    const long double c1 = C(r, 1).Value;
    C(r, 2).Value = c1;
    const long double r3 = 1 / (c1 * w);
    R(r, 3).Value = R(r, 4).Value = R(r, 5).Value = R(r, 6).Value = r3;
    R(r, 1).Value = R(r, 2).Value = 2 * q * r3;

    const long double r1 = R(r, 1).Value, r2 = R(r, 2).Value;
    ComponentFigures sw, sq, sk;
    sw.R[5] = 0.5L;
    sw.R[3] = sw.R[4] = sw.R[6] = sw.C[1] = sw.C[2] = -0.5L;
    sq = sw;
    // Q = wp·C1·R1·R2/(R1 + R2).
    sq.C[1] = 0.5L;
    sq.R[1] = r2 / (r1 + r2);
    sq.R[2] = r1 / (r1 + r2);
    SetSlots(r, sw, sq, sk);
    SetZeroFrequencySlots(r, sw);  // wz² = wp² = R5/(C1·C2·R3·R4·R6)
    CheckComponentValues(r, true);
}

// Berka-Herpy (BH) Second Order Notch: the zero pair sits at the pole frequency when
// R3/(R2 + R3) = R5/(R4 + R5), which also fixes the gain at R5/(R4 + R5) = 2·Q/(2·Q + 1).
// wp² = R7/(C1·C2·R6·R8·R10), wp/Qp = 1/(C2·R9); the notch needs R9 = Q·R8.
void DesignBerkaHerpyNotch(const StageRecord& stage, StageCircuitRecord& r) {
    SetOpAmpCoefficients(r, 1, 0);
    PreDistort(stage, r);
    const long double w = r.DesignW, q = r.DesignQ;
    FixGain(r, 2 * q / (2 * q + 1));
    const long double c1 = C(r, 1).Value, c2 = C(r, 2).Value;
    const long double r1 = 1 / (c1 * w);
    for (int i : {1, 3, 5, 6, 7, 10}) R(r, i).Value = r1;
    R(r, 2).Value = R(r, 4).Value = r1 / (2 * q);
    R(r, 8).Value = 1 / (c2 * w);
    R(r, 9).Value = q / (c2 * w);

    const long double r4 = R(r, 4).Value, r5 = R(r, 5).Value;
    ComponentFigures sw, sq, sk;
    sw.R[7] = 0.5L;
    sw.R[6] = sw.R[8] = sw.R[10] = sw.C[1] = sw.C[2] = -0.5L;
    sq = sw;
    // Q = wp·C2·R9.
    sq.R[9] = 1;
    sq.C[2] = 0.5L;
    sk.R[5] = r4 / (r4 + r5);
    sk.R[4] = -sk.R[5];
    // wz² = R3·R7·(R4 + R5)/(C1·C2·R5·R6·R8·R10·(R2 + R3)).
    const long double r2 = R(r, 2).Value, r3 = R(r, 3).Value;
    ComponentFigures swz;
    swz.R[7] = 0.5L;
    swz.R[6] = swz.R[8] = swz.R[10] = swz.C[1] = swz.C[2] = -0.5L;
    swz.R[3] = 0.5L * r2 / (r2 + r3);
    swz.R[2] = -swz.R[3];
    swz.R[4] = 0.5L * r4 / (r4 + r5);
    swz.R[5] = -swz.R[4];
    SetSlots(r, sw, sq, sk);
    SetZeroFrequencySlots(r, swz);
    CheckComponentValues(r, true);
}

void DesignKhnNonInvertingSymmetricNotch(const StageRecord& stage, StageCircuitRecord& r) {
    DesignKhnNonInvertingNotch(stage, r, false);
}

constexpr DesignRoutine kSnRoutines[] = {
    DesignSallenKeyNotch,
    DesignFliegeNotch,
    DesignTwinTNotchI,
    DesignTwinTNotchII,
    DesignKhnNonInvertingSymmetricNotch,
    DesignKhnInvertingNotch,
    DesignMikhaelBhattacharyyaNotch,
    DesignBerkaHerpyNotch,
    DesignAkerbergMossbergNotch,
};

}  // namespace

std::span<const DesignRoutine> SnDesignRoutines() { return kSnRoutines; }

}  // namespace tavrel
