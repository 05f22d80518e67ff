#include <algorithm>
#include <cmath>

#include "circuits/equations/design_notch_common.h"
#include "circuits/equations/design_single_amplifier_notch.h"
#include "circuits/equations/design_skeleton.h"

namespace tavrel {

namespace {

// The impedance level of the resistive divider at the amplifier, the program's default
// resistor.
constexpr long double kDividerLevel = 10000;

// Lowpass notch. The network R1, R2, C1 (to the output), C2 (from the input), C3 (to ground)
// drives the non-inverting input; the divider R3 (from the input), R4 (to ground), R5 (from the
// output) the inverting one, whose feedback at DC keeps the amplifier stable with a real op amp. With A = 1 + R5/R4 (the gain at DC) and t = R5/R3:
//   wp² = 1/(C1·(C2 + C3)·R1·R2),
//   wp/Qp = (R1 + R2)/(C1·R1·R2) - (A - 1 + t)/((C2 + C3)·R2),
//   K (at infinity) = (C2·A - C3·t)/(C2 + C3), the notch C1·R1 + C3·(R1 + R2) = C2·(R1 + R2)·A/t.
// With A = K·(Wz/W)² (a notch has gain ratio (wz/wp)² between DC and infinity) and R1 given,
// the four equations have one solution; values in units of 1/(W·C1) and C1.
struct LowpassValues {
    long double r1, r2, c2, c3, t;
};

LowpassValues ScultetyLowpass(long double q, long double ratio, long double a) {
    LowpassValues v;
    v.r1 = std::sqrt(2 * q);
    const long double p = q * (a - 1) * v.r1 * v.r1 * ratio + q * (a - ratio) + v.r1 * ratio;
    const long double h = q * v.r1 * (ratio - 1) + 1;
    v.r2 = q * v.r1 * (ratio - a) / p;
    v.c3 = (ratio - 1) * p / (v.r1 * ratio * h);
    v.c2 = (a * q * v.r1 * (ratio - 1) + ratio) * p / (q * v.r1 * v.r1 * ratio * (ratio - a) * h);
    v.t = a * (q * v.r1 * (a - 1) + 1) / (q * v.r1 * (ratio - a));
    return v;
}

// The gains at infinity the lowpass notch can take lie above L = max(1, Amin)/(Wz/W)² (the DC
// gain A is at least 1, and below Amin = (Wz/W)²·(2·Q + 1 - sqrt(2/Q))/(2·Q·(Wz/W)² + 1) R2 and
// C2, C3 would be negative) and below 1 (R2 and R3 reach 0). Towards 1 the positive feedback
// t = R5/R3 grows without bound, and with it the pole-Q sensitivities of the divider and the
// op-amp coefficients (k1 passes 100 at a tenth of the range for (Wz/W)² = 100): the usable
// gains end 5 % into the range.
struct GainRange {
    long double low, high;
};

GainRange ScultetyLowpassGains(long double q, long double ratio) {
    const long double amin = ratio * (2 * q + 1 - std::sqrt(2 / q)) / (2 * q * ratio + 1);
    const long double low = std::max(1.0L, amin) / ratio;
    return {low, low + 0.05L * (1 - low)};
}

// A desired gain at or above the usable range becomes its top, one at or below it the middle
// of the range.
long double GainInside(const GainRange& range, long double k) {
    if (k >= range.high) return range.high;
    if (k <= range.low) return (range.low + range.high) / 2;
    return k;
}

// The op-amp coefficients of an amplifier with feedback fraction beta to its inverting
// (sign +1) or non-inverting (sign -1) input and the passive network's s² + bp·s + 1 (in units
// of W) at the other: the finite gain adds sign·(tau/beta)·s·(s² + bp·s + 1) to the pole
// polynomial.
void SetSingleAmplifierCoefficients(StageCircuitRecord& r, long double sign, long double beta, long double bp,
                                    long double q) {
    const long double k1 = sign * (bp - 1 / q) / (2 * beta);
    SetOpAmpCoefficients(r, k1, -k1);
}

// Highpass notch: C1 (from the input), C2 and R3 (from the output) with the divider R1 (from
// the input), R4 (to ground) at the non-inverting input, Gs = 1/R1 + 1/R4; R2 (from the
// input), R5 (to ground), R6 (from the output) at the inverting input. With C1 = C2:
//   wp² = Gs/(C1²·R3), wp/Qp = 2·Gs/C1 - R6·(1/R2 + 1/R5)/(C1·R3), K = 1 + R6/R5,
//   (wz/wp)² = (1/R1 - (R5 ∥ R6)/(R2·R4))/Gs, the notch (R5 ∥ R6)/R2·(1/R4 + 1/(2·R3)) = 1/R1.
// Gs is free; Gs > 1/(2·Q·(1 - (Wz/W)²)) keeps R5 finite, and twice that bound, but at least
// 1/(W·C1), keeps the resistors near the capacitors' impedance at W.
struct HighpassValues {
    long double gs, g1, g4, x, y;  // x = R6/R2, y = R6/R5
};

HighpassValues ScultetyHighpass(long double q, long double ratio) {
    HighpassValues v;
    v.gs = std::max(1.0L, 1 / (q * (1 - ratio)));
    const long double d = 1 + 2 * ratio * v.gs * v.gs;
    v.g1 = ratio * v.gs * (2 * v.gs * v.gs + 1) / d;
    v.g4 = v.gs * (1 - ratio) / d;
    v.y = (2 * v.gs * v.gs * (1 - ratio) - v.gs / q) / d;
    v.x = 2 * ratio * v.gs * v.gs * (1 + v.y);
    return v;
}

}  // namespace

// Scultety Second Order Lowpass Notch.
void DesignScultetyLowpassNotch(const StageRecord& stage, StageCircuitRecord& r) {
    const long double zp = stage.Wz / stage.Wp;
    {
        const long double ratio = zp * zp;
        const long double a = GainInside(ScultetyLowpassGains(stage.Qp, ratio), r.ActualGain) * ratio;
        const LowpassValues n = ScultetyLowpass(stage.Qp, ratio, a);
        const long double bp = 1 / (n.r2 * (n.c2 + n.c3)) + 1 / n.r1 + 1 / n.r2;
        SetSingleAmplifierCoefficients(r, 1, 1 / (a + n.t), bp, stage.Qp);
    }
    PreDistort(stage, r);
    const long double w = r.DesignW, q = r.DesignQ, ratio = NotchRatio(stage, r);
    const long double k = GainInside(ScultetyLowpassGains(q, ratio), r.ActualGain);
    ForceGainIf(r, k != r.ActualGain, k);
    const long double a = k * ratio;
    const LowpassValues n = ScultetyLowpass(q, ratio, a);
    const long double c1 = C(r, 1).Value, unit = 1 / (w * c1);
    R(r, 1).Value = n.r1 * unit;
    R(r, 2).Value = n.r2 * unit;
    C(r, 2).Value = n.c2 * c1;
    C(r, 3).Value = n.c3 * c1;
    R(r, 5).Value = kDividerLevel / r.ScaleFactor;
    R(r, 4).Value = R(r, 5).Value / (a - 1);
    R(r, 3).Value = R(r, 5).Value / n.t;
    NoteInputDivider(r, 3, 4, 5);
    // A zero at or below the pole frequency leaves no gain range.
    if (!(ratio > 1)) R(r, 2).Value = -1;

    const ComponentValues v = ValuesOf(r);
    const auto& x = v.R;
    const auto& c = v.C;
    const long double c23 = c[2] + c[3];
    ComponentFigures sw, sq, sk;
    sw.R[1] = sw.R[2] = sw.C[1] = -0.5L;
    sw.C[2] = -0.5L * c[2] / c23;
    sw.C[3] = -0.5L * c[3] / c23;
    // wp/Qp = T1 - T2, T1 = (1/R1 + 1/R2)/C1, T2 = R5·(1/R3 + 1/R4)/(C23·R2); Q = wp/(T1 - T2).
    const long double t1 = (1 / x[1] + 1 / x[2]) / c[1];
    const long double t2 = x[5] * (1 / x[3] + 1 / x[4]) / (c23 * x[2]);
    const long double bw = t1 - t2;
    ComponentFigures dbw;  // d(wp/Qp)/d ln x
    dbw.R[1] = -1 / (x[1] * c[1]);
    dbw.R[2] = -1 / (x[2] * c[1]) + t2;
    dbw.C[1] = -t1;
    dbw.C[2] = t2 * c[2] / c23;
    dbw.C[3] = t2 * c[3] / c23;
    dbw.R[5] = -t2;
    dbw.R[3] = x[5] / (x[3] * c23 * x[2]);
    dbw.R[4] = x[5] / (x[4] * c23 * x[2]);
    for (int i = 1; i <= 5; ++i) sq.R[static_cast<size_t>(i)] = sw.R[static_cast<size_t>(i)] - dbw.R[static_cast<size_t>(i)] / bw;
    for (int j = 1; j <= 3; ++j) sq.C[static_cast<size_t>(j)] = sw.C[static_cast<size_t>(j)] - dbw.C[static_cast<size_t>(j)] / bw;
    // K = (C2·(1 + R5/R4) - C3·R5/R3)/(C2 + C3).
    const long double nk = c[2] * (1 + x[5] / x[4]) - c[3] * x[5] / x[3];
    sk.C[2] = c[2] * (1 + x[5] / x[4]) / nk - c[2] / c23;
    sk.C[3] = -c[3] * x[5] / x[3] / nk - c[3] / c23;
    sk.R[4] = -c[2] * x[5] / x[4] / nk;
    sk.R[3] = c[3] * x[5] / x[3] / nk;
    sk.R[5] = (c[2] * x[5] / x[4] - c[3] * x[5] / x[3]) / nk;
    // wz² = R3·(R4 + R5)/(C1·R1·R2·D), D = C2·R3·(R4 + R5) - C3·R4·R5.
    const long double d = c[2] * x[3] * (x[4] + x[5]) - c[3] * x[4] * x[5];
    ComponentFigures swz;
    swz.R[1] = swz.R[2] = swz.C[1] = -0.5L;
    swz.R[3] = 0.5L * (1 - c[2] * x[3] * (x[4] + x[5]) / d);
    swz.R[4] = 0.5L * (x[4] / (x[4] + x[5]) - x[4] * (c[2] * x[3] - c[3] * x[5]) / d);
    swz.R[5] = 0.5L * (x[5] / (x[4] + x[5]) - x[5] * (c[2] * x[3] - c[3] * x[4]) / d);
    swz.C[2] = -0.5L * c[2] * x[3] * (x[4] + x[5]) / d;
    swz.C[3] = 0.5L * c[3] * x[4] * x[5] / d;
    SetSlots(r, sw, sq, sk);
    SetZeroFrequencySlots(r, swz);
    CheckComponentValues(r, true);
}

// Scultety Second Order Highpass Notch: the gain results from the resistors.
void DesignScultetyHighpassNotch(const StageRecord& stage, StageCircuitRecord& r) {
    const long double zp = stage.Wz / stage.Wp;
    {
        const HighpassValues n = ScultetyHighpass(stage.Qp, zp * zp);
        SetSingleAmplifierCoefficients(r, 1, 1 / (1 + n.x + n.y), 2 * n.gs + 1 / n.gs, stage.Qp);
    }
    PreDistort(stage, r);
    const long double w = r.DesignW, q = r.DesignQ, ratio = NotchRatio(stage, r);
    const HighpassValues n = ScultetyHighpass(q, ratio);
    const long double c1 = C(r, 1).Value, unit = 1 / (w * c1);
    C(r, 2).Value = c1;
    r.CapRatio = 1;
    R(r, 3).Value = n.gs * unit;
    R(r, 1).Value = unit / n.g1;
    R(r, 4).Value = unit / n.g4;
    R(r, 6).Value = kDividerLevel / r.ScaleFactor;
    R(r, 5).Value = n.y > 0 ? R(r, 6).Value / n.y : -1;
    R(r, 2).Value = R(r, 6).Value / n.x;
    FixGain(r, 1 + n.y);

    const ComponentValues v = ValuesOf(r);
    const auto& x = v.R;
    const auto& c = v.C;
    const long double gs = 1 / x[1] + 1 / x[4];
    ComponentFigures sw, sq, sk;
    sw.R[1] = -0.5L / (x[1] * gs);
    sw.R[4] = -0.5L / (x[4] * gs);
    sw.R[3] = sw.C[1] = sw.C[2] = -0.5L;
    // wp/Qp = T1 - T2, T1 = Gs·(1/C1 + 1/C2), T2 = R6·(1/R2 + 1/R5)/(C1·R3).
    const long double t1 = gs * (1 / c[1] + 1 / c[2]);
    const long double t2 = x[6] * (1 / x[2] + 1 / x[5]) / (c[1] * x[3]);
    const long double bw = t1 - t2;
    ComponentFigures dbw;
    dbw.R[1] = -(1 / c[1] + 1 / c[2]) / x[1];
    dbw.R[4] = -(1 / c[1] + 1 / c[2]) / x[4];
    dbw.C[1] = -gs / c[1] + t2;
    dbw.C[2] = -gs / c[2];
    dbw.R[3] = t2;
    dbw.R[6] = -t2;
    dbw.R[2] = x[6] / (x[2] * c[1] * x[3]);
    dbw.R[5] = x[6] / (x[5] * c[1] * x[3]);
    for (int i = 1; i <= 6; ++i) sq.R[static_cast<size_t>(i)] = sw.R[static_cast<size_t>(i)] - dbw.R[static_cast<size_t>(i)] / bw;
    for (int j = 1; j <= 2; ++j) sq.C[static_cast<size_t>(j)] = sw.C[static_cast<size_t>(j)] - dbw.C[static_cast<size_t>(j)] / bw;
    sk.R[6] = x[6] / x[5] / (1 + x[6] / x[5]);
    sk.R[5] = -sk.R[6];
    // wz² = (R2·R4·(R5 + R6) - R1·R5·R6)/(C1·C2·R1·R2·R3·R4·(R5 + R6)).
    const long double nz = x[2] * x[4] * (x[5] + x[6]) - x[1] * x[5] * x[6];
    ComponentFigures swz;
    swz.R[3] = swz.C[1] = swz.C[2] = -0.5L;
    swz.R[1] = 0.5L * (-x[1] * x[5] * x[6] / nz - 1);
    swz.R[2] = swz.R[4] = 0.5L * (x[2] * x[4] * (x[5] + x[6]) / nz - 1);
    swz.R[5] = 0.5L * (x[5] * (x[2] * x[4] - x[1] * x[6]) / nz - x[5] / (x[5] + x[6]));
    swz.R[6] = 0.5L * (x[6] * (x[2] * x[4] - x[1] * x[5]) / nz - x[6] / (x[5] + x[6]));
    SetSlots(r, sw, sq, sk);
    SetZeroFrequencySlots(r, swz);
    CheckComponentValues(r, true);
}

}  // namespace tavrel
