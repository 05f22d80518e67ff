#include "draw/engineering_units.h"

#include <cmath>

namespace tavrel::draw {

namespace {

struct Prefix {
    double scale;
    const char* letter;
};

// The largest prefix whose scale does not exceed the magnitude, the smallest one below.
template <size_t N>
ScaledUnit Scaled(double magnitude, const Prefix (&prefixes)[N], const char* unit) {
    for (const Prefix& p : prefixes)
        if (std::fabs(magnitude) >= p.scale * (1 - 1e-12)) return {p.scale, QString(p.letter) + unit};
    return {prefixes[N - 1].scale, QString(prefixes[N - 1].letter) + unit};
}

}  // namespace

ScaledUnit TimeUnit(double span) {
    static constexpr Prefix kPrefixes[] = {{1, ""}, {1e-3, "m"}, {1e-6, "u"}, {1e-9, "n"}};
    return Scaled(span, kPrefixes, "s");
}

ScaledUnit FrequencyUnit(double magnitude, bool hz) {
    static constexpr Prefix kPrefixes[] = {{1e9, "G"}, {1e6, "M"}, {1e3, "k"}, {1, ""}};
    return Scaled(magnitude, kPrefixes, hz ? "Hz" : "rad/s");
}

}  // namespace tavrel::draw
