#include "draw/axis_scale.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace tavrel::draw {

namespace {

constexpr double kSlack = 1e-9;  // relative tolerance when a limit sits on a tick

std::string Printed(const char* format, double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

}  // namespace

double RoundStep(double span, int maxIntervals) {
    if (!(span > 0) || maxIntervals < 1) return 1;
    const double raw = span / maxIntervals;
    const double decade = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0})
        if (raw <= m * decade * (1 + kSlack)) return m * decade;
    return 10 * decade;
}

AxisRange RoundLinearRange(double lo, double hi, int maxIntervals) {
    if (!(hi > lo)) {
        const double pad = lo == 0 ? 1 : std::fabs(lo) * 0.1;
        lo -= pad;
        hi += pad;
    }
    const double step = RoundStep(hi - lo, maxIntervals);
    return {std::floor(lo / step + kSlack) * step, std::ceil(hi / step - kSlack) * step};
}

std::vector<AxisTick> LinearTicks(double lo, double hi, int maxIntervals) {
    std::vector<AxisTick> ticks;
    if (!(hi > lo)) return ticks;
    const double step = RoundStep(hi - lo, maxIntervals);
    const double tolerance = step * 1e-6;
    for (double k = std::ceil((lo - tolerance) / step); k * step <= hi + tolerance; k += 1) {
        double v = k * step;
        if (std::fabs(v) < tolerance) v = 0;  // no "-0" label
        ticks.push_back({v, true});
    }
    return ticks;
}

std::vector<AxisTick> LogTicks(double lo, double hi) {
    std::vector<AxisTick> ticks;
    if (!(lo > 0) || !(hi > lo)) return ticks;
    const double decades = std::log10(hi / lo);
    const bool labelHalves = decades < 2.2, labelAll = decades < 1.2;
    for (double decade = std::pow(10.0, std::floor(std::log10(lo))); decade <= hi * (1 + kSlack); decade *= 10) {
        for (int m = 1; m <= 9; ++m) {
            const double v = m * decade;
            if (v < lo * (1 - kSlack) || v > hi * (1 + kSlack)) continue;
            ticks.push_back({v, labelAll || m == 1 || (labelHalves && (m == 2 || m == 5))});
        }
    }
    return ticks;
}

std::string LinearTickLabel(double value, double step) {
    const int decimals = std::clamp(static_cast<int>(std::ceil(-std::log10(step) - kSlack)), 0, 12);
    if (std::fabs(value) >= 1e6 || (value != 0 && std::fabs(value) < 1e-4)) return Printed("%g", value);
    char format[16];
    std::snprintf(format, sizeof format, "%%.%df", decimals);
    return Printed(format, value);
}

std::string LogTickLabel(double value) {
    struct Prefix {
        double scale;
        const char* suffix;
    };
    static constexpr Prefix kPrefixes[] = {{1e9, "G"}, {1e6, "M"}, {1e3, "k"}, {1, ""}, {1e-3, "m"}};
    for (const Prefix& p : kPrefixes)
        if (value >= p.scale * (1 - kSlack)) return Printed("%g", value / p.scale) + p.suffix;
    return Printed("%g", value);
}

}  // namespace tavrel::draw
