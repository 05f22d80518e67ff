#include "circuits/equations/design_three_amp_loops.h"

#include <array>

#include <cmath>

#include "circuits/equations/design_skeleton.h"

namespace tavrel {

namespace {

ComponentFigures KhnPoleFrequencyFigures() {
    ComponentFigures sw;
    sw.R[1] = sw.R[2] = sw.R[5] = sw.C[1] = sw.C[2] = -0.5L;
    sw.R[6] = 0.5L;
    return sw;
}

}  // namespace

// The summer's share grows with its noise gain, 2 + x; the non-inverting loop's summer works
// at noise gain 1 + R6/R5 = 2, the inverting one's without input branch.
void SetKhnInvertingShifts(StageCircuitRecord& r, long double q, long double x) {
    SetOpAmpShares(r, {-(x + 2) / (2 * q), (q - 1) / (2 * q), 0.5L},
                   {-(x + 2) * (2 * q * q - 1) / (2 * q), -(q + 1) * (2 * q - 1) / (2 * q), -(2 * q - 1) / 2});
}

void SetKhnNonInvertingShifts(StageCircuitRecord& r, long double q) { SetKhnNonInvertingShifts(r, q, 2 * q - 1); }

void SetKhnNonInvertingLoop(StageCircuitRecord& r) { SetKhnNonInvertingLoop(r, 2 * r.DesignQ - 1); }

// Shares of the summer and the two integrators; at k = 2·q - 1 they equal the inverting
// loop's with x = 0.
void SetKhnNonInvertingShifts(StageCircuitRecord& r, long double q, long double k) {
    SetOpAmpShares(r, {-1 / q, (k - 1) / (4 * q), q / (k + 1)},
                   {-(2 * q * q - 1) / q, -(k + 4 * q * q - 1) / (4 * q), -k * q / (k + 1)});
}

void SetKhnNonInvertingLoop(StageCircuitRecord& r, long double k) {
    const long double w = r.DesignW, q = r.DesignQ, base = 1 / (C(r, 1).Value * w);
    R(r, 3).Value = R(r, 5).Value = R(r, 6).Value = base;
    R(r, 4).Value = k * base;
    R(r, 1).Value = 2 * q * base / (1 + k);
    R(r, 2).Value = (1 + k) / (2 * q * C(r, 2).Value * w);
}

void KhnNonInvertingPoleFigures(const ComponentValues& v, ComponentFigures& sw, ComponentFigures& sq) {
    const long double r3 = v.R[3], r4 = v.R[4], r5 = v.R[5], r6 = v.R[6];
    sw = KhnPoleFrequencyFigures();
    ComponentFigures sd1;  // of wp/Qp
    sd1.R[1] = -1;
    sd1.C[1] = -1;
    sd1.R[3] = r4 / (r3 + r4);
    sd1.R[4] = -r4 / (r3 + r4);
    sd1.R[5] = -r6 / (r5 + r6);
    sd1.R[6] = r6 / (r5 + r6);
    sq = Difference(sw, sd1);
}

void KhnInvertingPoleFigures(const ComponentValues& v, ComponentFigures& sw, ComponentFigures& sq) {
    const long double r3 = v.R[3], r4 = v.R[4], r5 = v.R[5], r6 = v.R[6], r7 = v.R[7];
    const long double t = r3 * r5 + r3 * r6 + r5 * r6;
    sw = KhnPoleFrequencyFigures();
    ComponentFigures sd1;  // of wp/Qp
    sd1.R[1] = -1;
    sd1.C[1] = -1;
    sd1.R[3] = -r5 * r6 / t;
    sd1.R[5] = -r3 * r6 / t;
    sd1.R[6] = r6 * (r3 + r5) / t;
    sd1.R[4] = r7 / (r4 + r7);
    sd1.R[7] = -r7 / (r4 + r7);
    sq = Difference(sw, sd1);
}

PoleFigures DesignKhnInvertingPass(const StageRecord& stage, StageCircuitRecord& r,
                                   long double (*inputRatio)(long double gain, long double q)) {
    TakeGain(r);
    const long double k = r.ActualGain;
    SetKhnInvertingShifts(r, stage.Qp, inputRatio(k, stage.Qp));
    PreDistort(stage, r);
    const long double w = r.DesignW, q = r.DesignQ, x = inputRatio(k, q);
    const long double r1 = 1 / (C(r, 1).Value * w);
    R(r, 1).Value = R(r, 4).Value = R(r, 5).Value = R(r, 6).Value = r1;
    R(r, 2).Value = 1 / (C(r, 2).Value * w);
    R(r, 3).Value = r1 / x;
    R(r, 7).Value = (q * (2 + x) - 1) * r1;
    PoleFigures f;
    KhnInvertingPoleFigures(ValuesOf(r), f.sw, f.sq);
    return f;
}

void SetMikhaelBhattacharyyaShifts(StageCircuitRecord& r, long double qp, long double t3, long double secondQ) {
    const long double b = 1 / std::sqrt(qp);
    const long double t1 = -(b + 1) / qp, t2 = (b + 1) * b / 2;
    SetOpAmpShares(r, {t1, t2, t3}, {-(b + 1) * (2 * qp - 1 / qp), secondQ - t2, 2 * qp - t3});
}

// The two-integrator loop both circuits share: wp² = Rn/(C1·C2·Ra·Rb·Rc) and wp/Qp = 1/(C2·Rq),
// with the resistors listed as {Ra, Rn, Rb, Rq, Rc}.
void SetTwoIntegratorLoopSlots(StageCircuitRecord& r, const std::array<int, 5>& resistors) {
    SetSensitivities(R(r, resistors[0]), -0.5L, -0.5L, 0);
    SetSensitivities(R(r, resistors[1]), 0.5L, 0.5L, 0);
    SetSensitivities(R(r, resistors[2]), -0.5L, -0.5L, 0);
    SetSensitivities(R(r, resistors[3]), 0, 1, 0);
    SetSensitivities(R(r, resistors[4]), -0.5L, -0.5L, 0);
    SetSensitivities(C(r, 1), -0.5L, -0.5L, 0);
    SetSensitivities(C(r, 2), -0.5L, 0.5L, 0);
}

void SetBerkaHerpySlots(StageCircuitRecord& r) {
    for (int i : {1, 2, 3, 4}) SetSensitivities(R(r, i), 0, 0, 0);
    SetTwoIntegratorLoopSlots(r, {5, 6, 7, 8, 9});
}

void DesignAkerbergMossbergLoop(StageCircuitRecord& r) {
    const long double w = r.DesignW, q = r.DesignQ;
    const long double c1 = C(r, 1).Value, c2 = C(r, 2).Value;
    R(r, 2).Value = R(r, 3).Value = R(r, 4).Value = 1 / (c1 * w);
    R(r, 6).Value = 1 / (c2 * w);
    R(r, 5).Value = q / (c2 * w);
    SetTwoIntegratorLoopSlots(r, {2, 3, 4, 5, 6});
}

}  // namespace tavrel
