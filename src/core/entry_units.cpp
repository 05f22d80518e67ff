#include "core/entry_units.h"

#include <cmath>
#include <cstdio>

#include "core/real48.h"
#include "core/specification.h"

namespace tavrel {

long double WorkingFrequency(long double entry, bool hzUnits, int unitIndex) {
    return Real48::Round(Real48::Round(entry) * UnitFactor(hzUnits, unitIndex));
}

long double EntryInOtherUnit(long double entry, bool fromHz, int unitIndex) {
    const long double target = WorkingFrequency(entry, fromHz, unitIndex);
    const long double guess = Real48::Round(target / UnitFactor(!fromHz, unitIndex));
    if (guess == 0) return guess;
    // One step of the 40-bit mantissa at the guess; the product with a factor that is not
    // a power of two lands within two steps of the target.
    int exponent = 0;
    std::frexp(guess, &exponent);
    const long double step = std::ldexp(1.0L, exponent - 40);
    for (int k : {0, -1, 1, -2, 2}) {
        const long double candidate = Real48::Round(guess + k * step);
        if (WorkingFrequency(candidate, !fromHz, unitIndex) == target) return candidate;
    }
    return guess;
}

std::string ConvertedEntryText(long double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.5Lg", value);
    const std::string plain = text;
    if (plain.find('e') == std::string::npos && plain.size() <= 7) return plain;
    struct Prefix {
        long double scale;
        const char* letter;
    };
    static constexpr Prefix kPrefixes[] = {{1e9L, "G"}, {1e6L, "M"},  {1e3L, "k"},  {1, ""},
                                           {1e-3L, "m"}, {1e-6L, "u"}, {1e-9L, "n"}, {1e-12L, "p"}};
    const long double magnitude = std::fabs(value);
    for (const Prefix& prefix : kPrefixes)
        if (magnitude >= prefix.scale * 0.999995L || prefix.scale == 1e-12L) {
            std::snprintf(text, sizeof text, "%.5Lg", value / prefix.scale);
            return std::string(text) + prefix.letter;
        }
    return plain;
}

}  // namespace tavrel
