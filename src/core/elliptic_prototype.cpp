#include <cmath>

#include "core/arithmetic_failure.h"
#include "core/math_helpers.h"
#include "core/order_estimate.h"
#include "core/prototypes.h"

namespace tavrel {

namespace {

constexpr long double kTermLimit = 1e-6L;

long double QPower(long double lnQ, long double x) { return std::exp(x * lnQ); }

// Sums terms term(m) for m = first, first + 1, ... until a term that is not
// mathematically zero has a magnitude of at most 1e-6 (that term included).
template <typename Term, typename IsZero>
long double SumSeries(int first, Term term, IsZero mathematicallyZero) {
    long double sum = 0;
    for (int m = first;; ++m) {
        const long double t = term(m);
        if (!std::isfinite(t)) throw ArithmeticFailure(kOverflowText);
        sum += t;
        if (!mathematicallyZero(m) && std::fabs(t) <= kTermLimit) return sum;
    }
}

long double Sign(int m) { return m % 2 == 0 ? 1 : -1; }

}  // namespace

bool EllipticPrototype(DesignState& state) {
    int n = PrototypeOrder(state, Elliptic);
    if (!SetPrototypeOrder(state, Elliptic, n)) return true;
    const long double k = state.UnitEdge / state.Selectivity;
    const long double q = EllipticNome(state.Selectivity);
    const long double lnQ = std::log(q);
    const long double qQuarter = std::sqrt(std::sqrt(q));
    const long double g = Pow10(state.Apb / 20);
    const long double lambda = std::log((g + 1) / (g - 1)) / (2 * n);
    auto never = [](int) { return false; };

    const long double s1 = SumSeries(
        0, [&](int m) { return Sign(m) * QPower(lnQ, m * (m + 1.0L)) * std::sinh((2 * m + 1) * lambda); }, never);
    const long double s2 = SumSeries(
        1, [&](int m) { return Sign(m) * QPower(lnQ, 1.0L * m * m) * std::cosh(2 * m * lambda); }, never);
    const long double sigma0 = 2 * qQuarter * s1 / (1 + 2 * s2);
    ApproxRecord& record = state.Approx[Elliptic];
    record.RealPoleN = sigma0;
    // Past -ln(q)/2 the series put the real pole at or right of the origin: no stable filter.
    if (!(sigma0 > 0)) return false;

    long double gain = n % 2 != 0 ? sigma0 : Pow10(-state.Apb / 20);
    const long double w2 = (1 + k * sigma0 * sigma0) * (1 + sigma0 * sigma0 / k);
    for (int i = 1; i <= n / 2; ++i) {
        // mu = twiceMu / 2, so the angles are multiples of pi * twiceMu / (2N).
        const int twiceMu = n % 2 != 0 ? 2 * i : 2 * i - 1;
        const long double angle = kPi * twiceMu / (2.0L * n);
        // sin((2m+1) pi mu / N) vanishes when (2m+1) mu / N is an integer, and
        // cos(2m pi mu / N) when 2m mu / N is an odd multiple of 1/2; the computed
        // values are only close to 0 then, so the test is made on the argument.
        const auto sineVanishes = [&](int m) { return ((2 * m + 1) * twiceMu) % (2 * n) == 0; };
        const auto cosineVanishes = [&](int m) {
            const int twiceArgument = 2 * m * twiceMu;  // 2 * (2m mu / N) * N
            return twiceArgument % n == 0 && (twiceArgument / n) % 2 != 0;
        };
        const long double t1 = SumSeries(
            0, [&](int m) { return Sign(m) * QPower(lnQ, m * (m + 1.0L)) * std::sin((2 * m + 1) * angle); },
            sineVanishes);
        const long double t2 = SumSeries(
            1, [&](int m) { return Sign(m) * QPower(lnQ, 1.0L * m * m) * std::cos(2 * m * angle); }, cosineVanishes);
        const long double omega = 2 * qQuarter * t1 / (1 + 2 * t2);
        const long double o2 = omega * omega;
        const long double v2 = (1 - k * o2) * (1 - o2 / k);
        const long double denominator = 1 + sigma0 * sigma0 * o2;
        const long double b0 = 2 * sigma0 * std::sqrt(v2) / denominator;
        const long double c0 = (o2 * w2 + sigma0 * sigma0 * v2) / (denominator * denominator);
        PolePairRecord& pair = state.PolePair[Elliptic][i];
        pair.B0N = b0;
        pair.C0N = c0;
        const long double w0 = std::sqrt(c0);
        pair.W0p = w0;
        pair.Qp = w0 / b0;
        state.ZeroPair[Elliptic][i].Wz2N = 1 / o2;
        gain *= c0 * o2;
        const long double sigma = w0 / (2 * (w0 / b0));
        state.Pole[Elliptic][i].SigmaN = sigma;
        state.Pole[Elliptic][i].OmegaN = std::sqrt(w0 * w0 - sigma * sigma);
        state.Zero[Elliptic][i].WzN = std::sqrt(1 / o2);
    }
    record.GainConstN = gain;
    return true;
}

}  // namespace tavrel
