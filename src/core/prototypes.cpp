#include "core/prototypes.h"

#include <cmath>

#include "core/math_helpers.h"
#include "core/order_estimate.h"

namespace tavrel {

void StoreNormalizedPolePair(DesignState& state, int approx, int k, long double sigma, long double omega) {
    const long double c0 = sigma * sigma + omega * omega;
    const long double w0 = std::sqrt(c0);
    PolePairRecord& pair = state.PolePair[approx][k];
    pair.C0N = c0;
    pair.W0p = w0;
    pair.B0N = 2 * sigma;
    pair.Qp = w0 / (2 * sigma);
    state.Pole[approx][k].SigmaN = sigma;
    state.Pole[approx][k].OmegaN = omega;
}

namespace {

// Sets the order of the slot; false when no poles are to be computed.
bool StartPrototype(DesignState& state, int approx, int& n) {
    n = PrototypeOrder(state, approx);
    return SetPrototypeOrder(state, approx, n);
}

}  // namespace

void ButterworthPrototype(DesignState& state) {
    int n = 0;
    if (!StartPrototype(state, Butterworth, n)) return;
    const long double epsilon = std::sqrt(Pow10(state.Apb / 10) - 1);
    state.Epsilon = epsilon;
    const long double r = 1 / std::exp(std::log(epsilon) / n);
    long double gain = 1;
    for (int k = 1; k <= n / 2; ++k) {
        const long double theta = ((2.0L * k - 1) / n + 1) * kPi / 2;
        StoreNormalizedPolePair(state, Butterworth, k, std::fabs(r * std::cos(theta)), r * std::sin(theta));
        gain *= state.PolePair[Butterworth][k].C0N;
    }
    ApproxRecord& record = state.Approx[Butterworth];
    if (n % 2 != 0) {
        record.RealPoleN = r;
        gain *= record.RealPoleN;
    }
    record.GainConstN = gain;
}

void ChebyshevPrototype(DesignState& state) {
    int n = 0;
    if (!StartPrototype(state, Chebyshev, n)) return;
    const long double epsilon = std::sqrt(Pow10(state.Apb / 10) - 1);
    state.Epsilon = epsilon;
    const long double a = Asinh(1 / epsilon) / n;
    const long double sh = std::sinh(a), ch = std::cosh(a);
    long double gain = n % 2 != 0 ? 1 : Pow10(-state.Apb / 20);
    for (int k = 1; k <= n / 2; ++k) {
        const long double phi = (2.0L * k - 1) * kPi / (2 * n);
        StoreNormalizedPolePair(state, Chebyshev, k, sh * std::sin(phi), ch * std::cos(phi));
        gain *= state.PolePair[Chebyshev][k].C0N;
    }
    ApproxRecord& record = state.Approx[Chebyshev];
    if (n % 2 != 0) {
        record.RealPoleN = sh;
        gain *= record.RealPoleN;
    }
    record.GainConstN = gain;
}

long double InverseChebyshevEpsilon(const DesignState& state, int n, bool exactOrder) {
    if (exactOrder) return std::sqrt(1 / (Pow10(state.Asb / 10) - 1));
    return 1 / (std::cosh(n * Acosh(state.Selectivity)) * std::sqrt(Pow10(state.Apb / 10) - 1));
}

void InverseChebyshevPrototype(DesignState& state) {
    int n = 0;
    if (!StartPrototype(state, InverseChebyshev, n)) return;
    const bool exactOrder = !state.ForceOrder && RawOrder(state, InverseChebyshev) == n;
    const long double epsilon = InverseChebyshevEpsilon(state, n, exactOrder);
    // A forced order reaches its own stopband attenuation, which the design then uses.
    if (state.ForceOrder) state.Asb = 10 * Log10(1 / (epsilon * epsilon) + 1);
    state.Epsilon = epsilon;
    const long double a = Asinh(1 / epsilon) / n;
    const long double sh = std::sinh(a), ch = std::cosh(a);
    ApproxRecord& record = state.Approx[InverseChebyshev];
    long double gain = 1;
    if (n % 2 != 0) {
        record.RealPoleN = 1 / sh;
        gain *= record.RealPoleN;
    }
    for (int k = 1; k <= n / 2; ++k) {
        const long double phi = (2.0L * k - 1) * kPi / (2 * n);
        const long double s = sh * std::sin(phi), c = ch * std::cos(phi);
        const long double d = s * s + c * c;
        StoreNormalizedPolePair(state, InverseChebyshev, k, s / d, c / d);
        const long double wz = 1 / std::cos(phi);
        state.Zero[InverseChebyshev][k].WzN = wz;
        state.ZeroPair[InverseChebyshev][k].Wz2N = wz * wz;
        gain *= state.PolePair[InverseChebyshev][k].C0N / state.ZeroPair[InverseChebyshev][k].Wz2N;
    }
    record.GainConstN = gain;
}

}  // namespace tavrel
