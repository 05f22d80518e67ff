#include "circuits/equations/design_notch_common.h"

#include <cmath>

#include "circuits/equations/design_three_amp_loops.h"
#include "circuits/equations/design_skeleton.h"
#include "circuits/equations/sensitivity.h"

namespace tavrel {

namespace {

// A resistor (or any value) that the equations give as a ratio with a vanishing or negative
// denominator cannot be built; it is stored as -1 so that the validity test rejects it
// without storing an unbounded value.
long double Realizable(long double numerator, long double denominator) {
    return denominator > 0 ? numerator / denominator : -1;
}

// Mikhael-Bhattacharyya notch op-amp coefficients: one term per op amp (a = 1.6·Qp^(1/4)),
// from the single-pole nodal analysis of the template with the notch's values (the terms of
// the MB lowpass do not hold for the notch's divider R1/R2 and R8 = a·R3).
void SetMikhaelBhattacharyyaCoefficients(StageCircuitRecord& r, long double qp) {
    const long double a = 1.6L * std::pow(qp, 0.25L);
    SetOpAmpShares(r, {-(a + 1) / qp, (a + 1) / (2 * a * qp), 1},
                   {-(a + 1) * (2 * qp * qp - 1) / qp, (a + 1) * (2 * qp - 1) / (2 * a * qp), 2 * qp - 1});
}

}  // namespace

long double NotchRatio(const StageRecord& stage, const StageCircuitRecord& record) {
    const long double ratio = stage.Wz / record.DesignW;
    return ratio * ratio;
}

void PoleSlotsThroughMatrix(StageCircuitRecord& record, int stageType, long double qp, const ComponentFigures& sw,
                            const ComponentFigures& sq) {
    SensitivityMatrix m{};
    auto row = [&](long double w, long double q) {
        return std::array<long double, 3>{2 * w, ((2 * qp + 1) * w - q) / (qp + 1), (w - q) / (qp + 1)};
    };
    for (int i = 1; i <= kMaxResistors; ++i) {
        const auto x = row(sw.R[static_cast<size_t>(i)], sq.R[static_cast<size_t>(i)]);
        for (int k = 0; k < 3; ++k) m[static_cast<size_t>(i - 1)][static_cast<size_t>(k)] = x[static_cast<size_t>(k)];
    }
    for (int j = 1; j <= kMaxCapacitors; ++j) {
        const auto x = row(sw.C[static_cast<size_t>(j)], sq.C[static_cast<size_t>(j)]);
        for (int k = 0; k < 3; ++k)
            m[static_cast<size_t>(j - 1)][static_cast<size_t>(k + 3)] = x[static_cast<size_t>(k)];
    }
    const long double w = (qp + 1) / qp;
    SensitivityTransform(record, stageType, qp, m, true, 1, w, w);
}

void NotchZeroSlotsThroughMatrix(StageCircuitRecord& record, int stageType, long double qp,
                                 const ComponentFigures& swz) {
    SensitivityMatrix m{};
    for (int i = 1; i <= kMaxResistors; ++i) {
        auto& row = m[static_cast<size_t>(i - 1)];
        row[0] = row[1] = 2 * swz.R[static_cast<size_t>(i)];
    }
    for (int j = 1; j <= kMaxCapacitors; ++j) {
        auto& row = m[static_cast<size_t>(j - 1)];
        row[3] = row[4] = 2 * swz.C[static_cast<size_t>(j)];
    }
    SensitivityTransform(record, stageType, qp, m, false, 1, 1, 1);
}

// KHN (Non-Inverting Input): input summer (R3, R4, R5, R6), integrators R1·C1 and R2·C2,
// output summer R7 (lowpass), R8 (highpass), R9 (feedback).
// wp² = R6/(R1·R2·R5·C1·C2), wp/Qp = R3·(R5 + R6)/(C1·R1·R5·(R3 + R4)),
// wz² = R8/(R1·R2·R7·C1·C2), K = R4·R9·(R5 + R6)/(R5·R8·(R3 + R4)).
void DesignKhnNonInvertingNotch(const StageRecord& stage, StageCircuitRecord& r, bool zeroAbove) {
    const long double qp = stage.Qp;
    TakeGain(r);
    SetKhnNonInvertingShifts(r, qp);
    PreDistort(stage, r);
    const long double q = r.DesignQ, k = r.ActualGain, ratio = NotchRatio(stage, r);
    SetKhnNonInvertingLoop(r);
    const long double base = R(r, 1).Value;
    // The frequency ratio goes on the resistor that it makes larger.
    const bool ratioOnHighpass = zeroAbove ? true : ratio >= 1;
    R(r, 7).Value = ratioOnHighpass ? base : base / ratio;
    R(r, 8).Value = ratioOnHighpass ? ratio * base : base;
    R(r, 9).Value = Realizable(k * q * R(r, 8).Value, 2 * q - 1);

    const long double r3 = R(r, 3).Value, r4 = R(r, 4).Value, r5 = R(r, 5).Value, r6 = R(r, 6).Value;
    ComponentFigures sw, sq, sk, swz;
    KhnNonInvertingPoleFigures(ValuesOf(r), sw, sq);
    sk.R[3] = -r3 / (r3 + r4);
    sk.R[4] = r3 / (r3 + r4);
    sk.R[5] = -r6 / (r5 + r6);
    sk.R[6] = r6 / (r5 + r6);
    sk.R[8] = -1;
    sk.R[9] = 1;
    for (int i : {1, 2, 7}) swz.R[static_cast<size_t>(i)] = -0.5L;
    swz.R[8] = 0.5L;
    swz.C[1] = swz.C[2] = -0.5L;
    PoleSlotsThroughMatrix(r, stage.StageType, qp, sw, sq);
    NotchZeroSlotsThroughMatrix(r, stage.StageType, qp, swz);
    SetGainSlots(r, sk);
    CheckComponentValues(r, true);
}

// KHN (Inverting Input): R3 (input), R4/R7 (damping divider), R5, R6 (summer), integrators
// R1·C1 and R2·C2, output summer R8 (lowpass), R9 (highpass), R10 (feedback).
// wp² = R6/(R1·R2·R5·C1·C2), wp/Qp = R4·(R3·R5 + R3·R6 + R5·R6)/(C1·R1·R3·R5·(R4 + R7)),
// wz² = R9/(R1·R2·R8·C1·C2), K = R10·R6/(R3·R9).
void DesignKhnInvertingNotch(const StageRecord& stage, StageCircuitRecord& r) {
    const long double qp = stage.Qp;
    TakeGain(r);
    SetKhnInvertingShifts(r, qp, 1);  // R3 = R6
    PreDistort(stage, r);
    const long double w = r.DesignW, q = r.DesignQ, k = r.ActualGain, ratio = NotchRatio(stage, r);
    const long double c1 = C(r, 1).Value, c2 = C(r, 2).Value;
    const long double base = 1 / (c1 * w);
    for (int i : {1, 3, 4, 5, 6, 8}) R(r, i).Value = base;
    R(r, 2).Value = 1 / (c2 * w);
    R(r, 7).Value = (3 * q - 1) * base;
    R(r, 9).Value = ratio * base;
    R(r, 10).Value = k * R(r, 9).Value;

    ComponentFigures sw, sq, sk, swz;
    KhnInvertingPoleFigures(ValuesOf(r), sw, sq);
    sk.R[10] = sk.R[6] = 1;
    sk.R[3] = sk.R[9] = -1;
    for (int i : {1, 2, 8}) swz.R[static_cast<size_t>(i)] = -0.5L;
    swz.R[9] = 0.5L;
    swz.C[1] = swz.C[2] = -0.5L;
    PoleSlotsThroughMatrix(r, stage.StageType, qp, sw, sq);
    NotchZeroSlotsThroughMatrix(r, stage.StageType, qp, swz);
    SetGainSlots(r, sk);
    CheckComponentValues(r, true);
}

// Mikhael-Bhattacharyya: input divider R1/R2 (R1 ∥ R2 = R6), R3/R8 setting the highpass
// share, R4/R5 the lowpass share, integrators R6·C1 and R9·C2, R7 the damping.
// wp² = (R1 ∥ R2)·(G4 + G5)/(C1·C2·R6·R9), wp/Qp = (R1 ∥ R2)·R8/(C1·R3·R6·R7),
// wz² = R1·G4/(C1·C2·R6·R9), K = R2·(R3 + R8)/(R3·(R1 + R2)).
// With R1 = (a + 1)·R6/K the divider gives K = (1 + R8/R3)·K/(a + 1), so R8 = a·R3; the
// lowpass share G4/(G4 + G5) = (Wz/W)²·K/(a + 1) must stay below 1, which is the gain limit.
void DesignMikhaelBhattacharyyaNotch(const StageRecord& stage, StageCircuitRecord& r) {
    const long double qp = stage.Qp;
    const long double a = 1.6L * std::pow(qp, 0.25L);
    const long double wz = stage.Wz, wp = stage.Wp;
    const long double limit = (wz > wp ? (wp / wz) * (wp / wz) : 1) * (a + 1);
    CapGain(r, limit, 0.95L);
    SetMikhaelBhattacharyyaCoefficients(r, qp);
    PreDistort(stage, r);
    const long double w = r.DesignW, q = r.DesignQ, k = r.ActualGain, ratio = NotchRatio(stage, r);
    const long double c1 = C(r, 1).Value, c2 = C(r, 2).Value;
    const long double r6 = 1 / (c1 * w);
    const long double lowpassShare = ratio * k / (a + 1);
    R(r, 6).Value = r6;
    R(r, 1).Value = (a + 1) * r6 / k;
    R(r, 2).Value = Realizable(r6 * R(r, 1).Value, R(r, 1).Value - r6);
    R(r, 3).Value = r6;
    R(r, 8).Value = a * r6;
    R(r, 7).Value = a * q * r6;
    R(r, 9).Value = 1 / (c2 * w);
    R(r, 4).Value = r6 / lowpassShare;
    R(r, 5).Value = Realizable(r6, 1 - lowpassShare);

    const long double r1 = R(r, 1).Value, r2 = R(r, 2).Value, r3 = R(r, 3).Value, r8 = R(r, 8).Value;
    const long double g4 = 1 / R(r, 4).Value, g5 = 1 / R(r, 5).Value;
    ComponentFigures sw, sd1, sq, sk;
    sw.R[1] = 0.5L * r2 / (r1 + r2);
    sw.R[2] = 0.5L * r1 / (r1 + r2);
    sw.R[4] = -0.5L * g4 / (g4 + g5);
    sw.R[5] = -0.5L * g5 / (g4 + g5);
    sw.R[6] = sw.R[9] = sw.C[1] = sw.C[2] = -0.5L;
    sd1.R[1] = r2 / (r1 + r2);
    sd1.R[2] = r1 / (r1 + r2);
    sd1.R[8] = 1;
    sd1.R[3] = sd1.R[6] = sd1.R[7] = sd1.C[1] = -1;
    sq = Difference(sw, sd1);  // Q = wp/(wp/Qp)
    sk.R[1] = -r1 / (r1 + r2);
    sk.R[2] = r1 / (r1 + r2);
    sk.R[3] = -r8 / (r3 + r8);
    sk.R[8] = r8 / (r3 + r8);
    ComponentFigures swz;
    swz.R[1] = 0.5L;
    swz.R[4] = swz.R[6] = swz.R[9] = swz.C[1] = swz.C[2] = -0.5L;
    SetSlots(r, sw, sq, sk);
    SetZeroFrequencySlots(r, swz);
    CheckComponentValues(r, true);
}

// Akerberg-Mossberg: lossy integrator C2 ∥ R5, integrator R2·C1, inverter R3/R4, R7 closing
// the loop; the input reaches the zero through R1 and C3. R6 sits between a virtual ground
// and ground and takes no part in the function.
// wp² = R3/(C1·C2·R2·R4·R7), wp/Qp = 1/(C2·R5), wz² = R3/(C1·C3·R1·R2·R4), K = C3/C2.
void DesignAkerbergMossbergNotch(const StageRecord& stage, StageCircuitRecord& r) {
    TakeGain(r);
    {
        // Single-pole op amps (nodal analysis of the template): the inverter and the input
        // path through R1, R6 load the loop in proportion to the gain at DC, K·(Wz/Wp)², and
        // at infinity, K.
        const long double k = r.ActualGain, zp = stage.Wz / stage.Wp, dc = k * zp * zp;
        SetOpAmpCoefficients(r, 1 + dc / 2 - k / (2 * stage.Qp), dc / 2 + k / (2 * stage.Qp));
    }
    PreDistort(stage, r);
    const long double w = r.DesignW, q = r.DesignQ, k = r.ActualGain, wz = stage.Wz;
    const long double c1 = C(r, 1).Value;
    C(r, 2).Value = r.CapRatio * c1;
    C(r, 3).Value = k * C(r, 2).Value;
    const long double c2 = C(r, 2).Value, c3 = C(r, 3).Value;
    const long double r2 = 1 / (c1 * w);
    R(r, 2).Value = R(r, 3).Value = R(r, 4).Value = r2;
    R(r, 5).Value = q / (c2 * w);
    R(r, 6).Value = r2 / k;
    R(r, 7).Value = 1 / (c2 * w);
    R(r, 1).Value = 1 / (c1 * c3 * r2 * wz * wz);

    ComponentFigures sw, sq, sk;
    sw.R[3] = 0.5L;
    sw.R[2] = sw.R[4] = sw.R[7] = sw.C[1] = sw.C[2] = -0.5L;
    // Q = wp·C2·R5.
    sq = sw;
    sq.R[5] = 1;
    sq.C[2] = 0.5L;
    sk.C[3] = 1;
    sk.C[2] = -1;
    ComponentFigures swz;
    swz.R[3] = 0.5L;
    swz.R[1] = swz.R[2] = swz.R[4] = swz.C[1] = swz.C[3] = -0.5L;
    SetSlots(r, sw, sq, sk);
    SetZeroFrequencySlots(r, swz);
    CheckComponentValues(r, true);
}

}  // namespace tavrel
