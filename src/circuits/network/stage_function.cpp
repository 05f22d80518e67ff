#include "circuits/network/stage_function.h"

#include <cmath>

#include "core/math_helpers.h"

namespace tavrel {

namespace {

long double At(const std::vector<long double>& p, int j) {
    return j < static_cast<int>(p.size()) ? p[static_cast<size_t>(j)] : 0;
}

Complex Cubic(const std::array<long double, 4>& p, Complex s) { return ((p[3] * s + p[2]) * s + p[1]) * s + p[0]; }

// The angle of a complex value in [-pi/2, 3pi/2), with the arctangent of Im/Re.
long double Angle(Complex p) {
    constexpr long double kNearZero = 1e-20L;
    const long double re = p.real(), im = p.imag();
    if (im == 0) return re > 0 ? 0 : kPi;
    if (std::fabs(re) < kNearZero) return im > 0 ? kPi / 2 : 3 * kPi / 2;
    return std::atan(im / re) + (re > 0 ? 0 : kPi);
}

// The power of s whose coefficient of N/D is the gain the type refers to: s^0 for the lowpass
// types (DC), s^1 for the bandpass (at the pole frequency, with N = d1·s; the twin-T bandpass
// differs, see GainReference), the highest power
// for the highpass and notch types (infinite frequency).
int GainPower(const CircuitDefinition& circuit) {
    switch (circuit.stageType) {
        case StageCode::FLP:
        case StageCode::SLP: return 0;
        case StageCode::SBP: return 1;
        default: return circuit.Order();
    }
}

// The real pole of a monic cubic d(s) = s^3 + d2·s^2 + d1·s + d0 that the numerator's zero -z
// is meant to cancel, as its magnitude a: Newton's iteration from -z, which converges to the
// root next to it; a pole pair of Q below 1/2 makes all three roots real, and the nearest is
// the one the balanced network puts at -z.
long double CancelledPoleMagnitude(const std::array<long double, 4>& d, long double z) {
    const auto at = [&](long double x) { return ((x + d[2]) * x + d[1]) * x + d[0]; };
    long double x = -z;
    for (int i = 0; i < 100; ++i) {
        const long double slope = (3 * x + 2 * d[2]) * x + d[1];
        if (slope == 0) break;
        const long double step = at(x) / slope;
        x -= step;
        if (std::fabs(step) <= 1e-18L * std::fabs(x)) break;
    }
    return -x;
}

// The reference the gain coefficient is divided by. A twin-T bandpass has the cubic
// (s + a)·(s^2 + b·s + c) with the numerator c2·s·(s + a) when its network is balanced, the
// bandpass c2·s/(s^2 + b·s + c) whose gain at the pole frequency is c2/b: its s^2 coefficient
// over b = d2 - a is the gain, a being the pole next to the numerator's zero -c1/c2.
long double GainReference(const CircuitDefinition& circuit, const std::array<long double, 4>& d,
                          const std::array<long double, 4>& c, int power) {
    if (power == 0) return d[0];
    if (power != 1) return 1;
    if (circuit.Order() == 3) return c[2] == 0 ? 0 : d[2] - CancelledPoleMagnitude(d, c[1] / c[2]);
    return d[1];
}

}  // namespace

StageFunction StageFunctionOf(const CircuitDefinition& circuit, const ComponentValues& values) {
    const TransferPolynomials h = NodalTransfer(circuit.plain.topology, values);
    const int order = circuit.Order();
    StageFunction f;
    const long double lead = At(h.denominator, order);
    if (lead == 0) return f;
    for (int j = 0; j < order; ++j) f.d[static_cast<size_t>(j)] = At(h.denominator, j) / lead;
    f.d[static_cast<size_t>(order)] = 1;
    // The numerator over the monic denominator, then scaled by the gain of the type.
    std::array<long double, 4> c{};
    for (int j = 0; j <= order; ++j) c[static_cast<size_t>(j)] = At(h.numerator, j) / lead;
    const int power = GainPower(circuit);
    // A third-order bandpass refers its gain to the s^2 coefficient (see GainReference).
    const int coefficient = power == 1 && order == 3 ? 2 : power;
    const long double reference = GainReference(circuit, f.d, c, power);
    if (reference == 0 || c[static_cast<size_t>(coefficient)] == 0) return StageFunction{};
    f.k = c[static_cast<size_t>(coefficient)] / reference;
    for (int j = 0; j <= order; ++j) f.n[static_cast<size_t>(j)] = c[static_cast<size_t>(j)] / f.k;
    if (circuit.inverting) f.k = -f.k;
    return f;
}

long double StagePhase(const StageFunction& f, long double w) {
    const Complex s(0, w);
    return Angle(Cubic(f.n, s)) - Angle(Cubic(f.d, s));
}

Complex EvaluateStageFunction(const StageFunction& f, Complex s) { return f.k * Cubic(f.n, s) / Cubic(f.d, s); }

}  // namespace tavrel
