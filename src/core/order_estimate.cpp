#include "core/order_estimate.h"

#include <cmath>

#include "core/arithmetic_failure.h"
#include "core/math_helpers.h"
#include "core/specification.h"

namespace tavrel {

long double EllipticNome(long double selectivity) {
    const long double k = 1 / selectivity;
    const long double kPrime = std::sqrt(1 - k * k);
    const long double q0 = (1 - std::sqrt(kPrime)) / (2 * (1 + std::sqrt(kPrime)));
    const long double q0To4 = std::exp(4 * std::log(q0));
    return q0 + 2 * q0 * q0To4 + 15 * q0 * q0To4 * q0To4 + 150 * q0 * q0To4 * q0To4 * q0To4;
}

long double RawOrder(const DesignState& state, int approx) {
    const long double a = Pow10(state.Asb / 10) - 1;
    const long double p = Pow10(state.Apb / 10) - 1;
    const long double s = state.Selectivity;
    switch (approx) {
        case Butterworth: return std::log(a / p) / (2 * std::log(s));
        case Chebyshev:
        case InverseChebyshev: return Acosh(std::sqrt(a / p)) / Acosh(s);
        case Elliptic: return Log10(16 * a / p) / Log10(1 / EllipticNome(s));
        default: return 0;
    }
}

int CeilOrder(long double raw) {
    const long double whole = std::trunc(raw);
    return static_cast<int>(whole) + (raw - whole > 0 ? 1 : 0);
}

int PrototypeOrder(const DesignState& state, int approx) {
    if (state.ForceOrder) return IsBandKind(state.FilterKind) ? state.ForcedOrder / 2 : state.ForcedOrder;
    // A stopband edge at or inside the passband cannot be met by any order.
    if (!(state.Selectivity > 1)) return kMaxOrder + 1;
    // A stopband that asks for no more loss than the passband allows asks for no filter:
    // order 0, which has nothing to realize and cannot be chosen.
    if (!(state.Asb > state.Apb)) return 0;
    const long double raw = RawOrder(state, approx);
    if (std::isnan(raw)) throw ArithmeticFailure(kInvalidOperationText);
    if (raw > kMaxOrder) return kMaxOrder + 1;
    // A requirement that any filter meets (stopband attenuation at or below the
    // passband attenuation) needs the lowest order there is.
    return raw <= 0 ? 1 : CeilOrder(raw);
}

bool OrderWasRoundedUp(const DesignState& state, int approx) {
    const long double raw = RawOrder(state, approx);
    return raw - std::trunc(raw) > 0;
}

bool SetPrototypeOrder(DesignState& state, int approx, int n) {
    ApproxRecord& record = state.Approx[approx];
    record.Order = static_cast<std::int16_t>(n);
    record.PolePairCount = static_cast<std::int16_t>(n / 2);
    record.HasRealPole = n % 2 != 0;
    if (approx == InverseChebyshev || approx == Elliptic) record.ZeroPairCount = static_cast<std::int16_t>(n / 2);
    const int finalOrder = IsBandKind(state.FilterKind) ? 2 * n : n;
    if (finalOrder > kMaxOrder) {
        record.OrderTooHigh = 1;
        return false;
    }
    return n >= 1;
}

}  // namespace tavrel
