#include "analysis/final_response/final_axes.h"

#include <cmath>

#include "core/math_helpers.h"

namespace tavrel {

namespace {

// 1.05 times the peak brought up to a round value: its mantissa in tenths, rounded up, then to
// an even count up to 2, a multiple of 5 up to 5 and of 10 above.
long double RoundLinearTop(long double peak) {
    long double m = 1.05L * peak;
    int e = 0;
    while (m > 9.9999999L) m /= 10, ++e;
    while (m < 1) m *= 10, --e;
    long double d = std::ceil(10 * m);
    if (d > 10 && d <= 20 && std::fmod(d, 2) == 1) d += 1;
    else if (d > 20 && d <= 50) d = 5 * std::ceil(d / 5);
    else if (d > 50 && d < 100) d = 10 * std::ceil(d / 10);
    return d * 0.1L * Pow10(e);
}

}  // namespace

GainAxis GainAxisOf(long double peak, const DesignState& state) {
    GainAxis axis;
    axis.peak = peak;
    axis.level = peak / std::sqrt(2.0L);
    axis.levelDb = ToDb(axis.level);
    axis.linearTop = RoundLinearTop(peak);
    axis.linearBottom = 0;
    long double x = ToDb(axis.linearTop);
    // A top too close to the peak leaves no room above the curve: the next 10 dB line.
    if (std::fabs(x - ToDb(peak)) < 9.9L) x = 10 * (std::trunc(x / 10) + 1);
    const long double tenths = x / 10;
    const long double c = 10 * std::trunc(tenths) + (tenths - std::trunc(tenths) > 0 ? 10 : 0);
    axis.dbTop = x > c - 10 ? c : c - 10;
    const bool noStopband = state.FilterKind == FilterKind::UserDefined || state.ForceOrder;
    axis.dbBottom = noStopband ? c - 40 : -static_cast<long double>(state.Asb) - 10;
    return axis;
}

DelayAxis DelayAxisOf(long double largest) {
    DelayAxis axis;
    long double scaled = largest;
    int e = 0;
    // A filter without delay (nothing but resistive stages) has no scale to find.
    if (scaled > 0)
        while (scaled <= 1) scaled *= 10, --e;
    long double step = 1;
    if (scaled == 1) step = 0.1L;
    else if (scaled <= 2) step = 0.2L;
    else if (scaled <= 5) step = 0.5L;
    axis.exponent = e;
    axis.top = step * (std::trunc(scaled / step) + 1) * Pow10(e);
    axis.label = "Delay (X1e" + std::to_string(e) + " s)";
    return axis;
}

PhaseAxis PhaseAxisOf(long double low, long double high, bool degrees) {
    const long double unit = degrees ? 180 / kPi : 1;
    return {low * unit, high * unit};
}

}  // namespace tavrel
