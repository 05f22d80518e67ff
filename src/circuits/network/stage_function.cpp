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
// types (DC), s^1 for the bandpass (at the pole frequency, with N = d1·s), the highest power
// for the highpass and notch types (infinite frequency).
int GainPower(const CircuitDefinition& circuit) {
    switch (circuit.stageType) {
        case StageCode::FLP:
        case StageCode::SLP: return 0;
        case StageCode::SBP: return 1;
        default: return circuit.Order();
    }
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
    const long double reference = power == 1 ? f.d[1] : power == 0 ? f.d[0] : 1;
    if (reference == 0 || c[static_cast<size_t>(power)] == 0) return StageFunction{};
    f.k = c[static_cast<size_t>(power)] / reference;
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
