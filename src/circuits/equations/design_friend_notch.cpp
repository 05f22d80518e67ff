#include <algorithm>
#include <array>
#include <cmath>

#include "circuits/equations/design_notch_common.h"
#include "circuits/equations/design_single_amplifier_notch.h"
#include "circuits/equations/design_skeleton.h"

namespace tavrel {

namespace {

// The positive-feedback resistor R7, the program's default resistor.
constexpr long double kFeedbackLevel = 10000;

// Friend's single-amplifier biquad: the input reaches node 3 through the divider R1/R4
// (conductance Ga = 1/R1 + 1/R4, fraction a1 = R4/(R1 + R4)), C1 joins node 3 to the inverting
// input, C2 node 3 to the output; the inverting input has R2 and R5 (S = 1/R2 + 1/R5), the
// non-inverting input the divider R3 (from the input), R6 (to ground), R7 (from the output),
// with fractions a3 of the input and k of the output. With H = the conductance of the
// resistor from the output at the inverting input minus k·S,
//   wp² = Ga·H/(C1·C2·(1 - k)), wp/Qp = ((C1 + C2)·H - C1·Ga·k)/(C1·C2·(1 - k)),
//   K (at infinity) = a3/(1 - k),
// and the notch needs C1·Ga·(a1 - a3) = (C1 + C2)·(a3·S - G), G the conductance from the
// input at the inverting input (none in the lowpass notch). Both notches take
// Ga = Qp·(1 + m)/2 (in units of W·C1), with which the passive network damps the pole pair
// by 2/Qp and the positive feedback k/(1 - k) = 2·m/(Q²·(1 + m)) takes half of it back.
struct SabValues {
    long double ga, a1, s, g2, g5, k, a3;  // conductances in units of W·C1
};

long double PositiveFeedback(long double q, long double m) {
    const long double f = 2 * m / (q * q * (1 + m));  // k/(1 - k)
    return f / (1 + f);
}

// Lowpass notch: R2 from the output, R5 to ground; (wz/wp)² = S·(1 - k)/H.
// The gain is largest with a1 = 1 (R4 open) or a3 = 1 - k (R6 open), whichever comes first.
long double FriendLowpassMaxGain(long double q, long double m, long double ratio) {
    const long double k = PositiveFeedback(q, m);
    const long double a3 = std::min(1 / (1 + 4 * ratio * m / (q * q * (1 + m))), 1 - k);
    return a3 / (1 - k);
}

SabValues FriendLowpass(long double q, long double m, long double ratio, long double gain) {
    SabValues v;
    v.ga = q * (1 + m) / 2;
    v.s = ratio * m / v.ga;
    v.k = PositiveFeedback(q, m);
    v.g2 = v.s * (1 - v.k) / ratio + v.k * v.s;
    v.g5 = v.s - v.g2;
    v.a3 = gain * (1 - v.k);
    v.a1 = v.a3 * (1 + (1 + m) * v.s / v.ga);
    return v;
}

// Highpass notch: R2 from the input, R5 from the output; a3 + k ≤ 1 bounds K by 1, and
// a1 ≤ 1 by 1/((1 - k)·(1 + (1 + m)·(Wz/W)²·m/Ga²)).
long double FriendHighpassMaxGain(long double q, long double m, long double ratio) {
    const long double k = PositiveFeedback(q, m), ga = q * (1 + m) / 2;
    return std::min(1.0L, 1 / ((1 - k) * (1 + (1 + m) * ratio * m / (ga * ga))));
}

SabValues FriendHighpass(long double q, long double m, long double ratio, long double gain) {
    SabValues v;
    v.ga = q * (1 + m) / 2;
    v.k = PositiveFeedback(q, m);
    v.a3 = gain * (1 - v.k);
    v.s = m * (1 - ratio * gain) / (v.ga * (1 - gain));
    v.g2 = (1 - v.k) * m * gain * (1 - ratio) / (v.ga * (1 - gain));
    v.g5 = v.s - v.g2;
    v.a1 = v.a3 * (1 + (1 + m) * ratio * m / (v.ga * v.ga));
    return v;
}

// The op-amp coefficients. The finite gain adds (tau/(1 - k))·s·(s² + bp·s + c) to the monic
// pole polynomial, where s² + bp·s + c is the passive network's own, bp = (Ga + (1 + m)·S)/m
// and c = Ga·S/m (in units of W): k1 = (bp - 1/Q)/(2·(1 - k)), and k2 = -k1 + Q·(c - 1)/(1 - k)
// (c is (wz/wp)² in the lowpass notch, not 1 as in the Sallen-Key networks).
void SetFriendCoefficients(StageCircuitRecord& r, const SabValues& v, long double m, long double q) {
    const long double bp = (v.ga + (1 + m) * v.s) / m, c = v.ga * v.s / m;
    const long double k1 = (bp - 1 / q) / (2 * (1 - v.k));
    SetOpAmpCoefficients(r, k1, -k1 + q * (c - 1) / (1 - v.k));
}

// Values and derivative in one component's logarithm, to differentiate the coefficient
// expressions exactly.
struct Dual {
    long double v, d;
};
Dual operator+(Dual a, Dual b) { return {a.v + b.v, a.d + b.d}; }
Dual operator-(Dual a, Dual b) { return {a.v - b.v, a.d - b.d}; }
Dual operator*(Dual a, Dual b) { return {a.v * b.v, a.d * b.v + a.v * b.d}; }
Dual operator/(Dual a, Dual b) { return {a.v / b.v, (a.d * b.v - a.v * b.d) / (b.v * b.v)}; }

// wp², wp/Qp, K and wz² from the values, their derivatives in ln x of the seeded one.
struct Figures {
    Dual w2, bw, k, wz2;
};

Figures FriendFigures(const std::array<Dual, 8>& g, const std::array<Dual, 3>& c, bool lowpass) {
    const Dual one{1, 0};
    const Dual ga = g[1] + g[4], gb = g[3] + g[6] + g[7];
    const Dual k = g[7] / gb, a3 = g[3] / gb, s = g[2] + g[5];
    const Dual h = (lowpass ? g[2] : g[5]) - k * s;
    const Dual den = c[1] * c[2] * (one - k);
    // The zero pair: wz² = (G1 + G4)·(G2 + G5)/(C1·C2) in the lowpass notch,
    // (G1 + G4)·(G5 - G2·(G6 + G7)/G3)/(C1·C2) in the highpass one.
    const Dual zero = lowpass ? s : g[5] - g[2] * (g[6] + g[7]) / g[3];
    return {ga * h / den, ((c[1] + c[2]) * h - c[1] * ga * k) / den, a3 / (one - k), ga * zero / (c[1] * c[2])};
}

void SetFriendSlots(StageCircuitRecord& r, bool lowpass) {
    const ComponentValues v = ValuesOf(r);
    ComponentFigures sw, sq, sk, swz;
    auto slots = [&](bool capacitor, int n) {
        std::array<Dual, 8> g{};
        std::array<Dual, 3> c{};
        for (int i = 1; i <= 7; ++i) {
            // d(1/R)/d ln R = -1/R.
            const long double x = 1 / v.R[static_cast<size_t>(i)];
            g[static_cast<size_t>(i)] = {x, !capacitor && i == n ? -x : 0};
        }
        for (int j = 1; j <= 2; ++j) {
            const long double x = v.C[static_cast<size_t>(j)];
            c[static_cast<size_t>(j)] = {x, capacitor && j == n ? x : 0};
        }
        const Figures f = FriendFigures(g, c, lowpass);
        const long double w = 0.5L * f.w2.d / f.w2.v;
        const size_t at = static_cast<size_t>(n);
        const long double z = 0.5L * f.wz2.d / f.wz2.v;
        if (capacitor) {
            swz.C[at] = z;
            sw.C[at] = w, sq.C[at] = w - f.bw.d / f.bw.v, sk.C[at] = f.k.d / f.k.v;
        } else {
            swz.R[at] = z;
            sw.R[at] = w, sq.R[at] = w - f.bw.d / f.bw.v, sk.R[at] = f.k.d / f.k.v;
        }
    };
    for (int i = 1; i <= 7; ++i) slots(false, i);
    for (int j = 1; j <= 2; ++j) slots(true, j);
    SetSlots(r, sw, sq, sk);
    SetZeroFrequencySlots(r, swz);
}

// The values of a design in units of W·C1 (conductances) into the record.
void StoreFriendValues(StageCircuitRecord& r, const SabValues& v, long double m) {
    const long double c1 = C(r, 1).Value, unit = r.DesignW * c1;
    C(r, 2).Value = m * c1;
    auto resistor = [](long double g, long double scale) { return g > 0 ? 1 / (g * scale) : -1; };
    R(r, 1).Value = resistor(v.a1 * v.ga, unit);
    // a1 = 1 leaves R4 open; the program has no open resistor, so the gain stays below it.
    R(r, 4).Value = resistor((1 - v.a1) * v.ga, unit);
    R(r, 2).Value = resistor(v.g2, unit);
    R(r, 5).Value = resistor(v.g5, unit);
    R(r, 7).Value = kFeedbackLevel / r.ScaleFactor;
    const long double gb = 1 / (R(r, 7).Value * v.k);
    R(r, 3).Value = resistor(v.a3 * gb, 1);
    R(r, 6).Value = resistor((1 - v.a3 - v.k) * gb, 1);
}

// The two notches' own equations.
struct FriendVariant {
    long double (*maxGain)(long double q, long double m, long double ratio);
    SabValues (*values)(long double q, long double m, long double ratio, long double gain);
    bool lowpass;
};

// The gain on entry has passed the notch's own rule; a gain at or above the largest the
// dividers allow becomes 0.95 of it.
void DesignFriendNotch(const StageRecord& stage, StageCircuitRecord& r, const FriendVariant& f) {
    const long double m = r.CapRatio, zp = stage.Wz / stage.Wp;
    {
        const long double ratio = zp * zp;
        const long double kmax = f.maxGain(stage.Qp, m, ratio);
        const long double desired = r.ActualGain, gain = desired >= kmax ? 0.95L * kmax : desired;
        SetFriendCoefficients(r, f.values(stage.Qp, m, ratio, gain), m, stage.Qp);
    }
    PreDistort(stage, r);
    const long double q = r.DesignQ, ratio = NotchRatio(stage, r);
    const long double kmax = f.maxGain(q, m, ratio);
    if (r.ActualGain >= kmax) CapGain(r, kmax, 0.95L);
    StoreFriendValues(r, f.values(q, m, ratio, r.ActualGain), m);
    // A zero on the wrong side of the pole needs a negative R5 (R2 in the highpass notch).
    if (f.lowpass ? !(ratio > 1) : !(ratio < 1)) R(r, f.lowpass ? 5 : 2).Value = -1;
    if (f.lowpass) NoteInputDivider(r, 3, 6, 7);
    SetFriendSlots(r, f.lowpass);
    CheckComponentValues(r, true);
}

}  // namespace

// Friend's SAB Second Order Lowpass Notch: the gain capped at 0.95 of the largest the
// dividers allow.
void DesignFriendLowpassNotch(const StageRecord& stage, StageCircuitRecord& r) {
    TakeGain(r);
    DesignFriendNotch(stage, r, {FriendLowpassMaxGain, FriendLowpass, true});
}

// Friend's SAB Second Order Highpass Notch: a gain of 1 or more becomes 1/1.1; within that,
// a gain above what the input divider R1/R4 allows is capped at 0.95 of it.
void DesignFriendHighpassNotch(const StageRecord& stage, StageCircuitRecord& r) {
    ForceGainIf(r, r.ActualGain >= 1, 1 / 1.1L);
    DesignFriendNotch(stage, r, {FriendHighpassMaxGain, FriendHighpass, false});
}

}  // namespace tavrel
