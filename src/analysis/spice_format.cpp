#include "analysis/spice_format.h"

#include <cmath>
#include <cstdio>

#include "core/number_format.h"

namespace tavrel {

namespace {

constexpr int kCheckingDigits = 7;

// value / scale with seven significant digits, trailing zeros dropped, and the suffix.
std::string SevenDigits(long double value, long double scale, const char* suffix) {
    char text[48];
    std::snprintf(text, sizeof text, "%.*Lg", kCheckingDigits, value / scale);
    return std::string(text) + suffix;
}

}  // namespace

std::string SpiceResistance(long double ohms, SpiceDialect dialect) {
    if (dialect == SpiceDialect::Ngspice) {
        if (ohms >= 1e9L) return SevenDigits(ohms, 1e9L, "G");
        if (ohms >= 1e6L) return SevenDigits(ohms, 1e6L, "MEG");
        if (ohms >= 1e3L) return SevenDigits(ohms, 1e3L, "K");
        return SevenDigits(ohms, 1, "");
    }
    std::string text = FormatResistance(ohms, true);
    if (!text.empty() && text.back() == 'M') text += "EG";
    return text;
}

std::string SpiceCapacitance(long double farads, SpiceDialect dialect) {
    if (dialect == SpiceDialect::Ngspice) {
        if (farads < 9.9999e-10L) return SevenDigits(farads, 1e-12L, "pF");
        if (farads < 9.9999e-7L) return SevenDigits(farads, 1e-9L, "nF");
        if (farads < 9.9999e-4L) return SevenDigits(farads, 1e-6L, "uF");
        return SevenDigits(farads, 1, "");
    }
    return FormatCapacitance(farads, true);
}

std::string SpiceFrequency(long double hz) { return TrimLeading(Sci(hz, 7, 5)); }

}  // namespace tavrel
