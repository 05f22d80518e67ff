#pragma once
#include <optional>

namespace tavrel {

// Capacitors come in the E12 series only (the E12 entries of resistor_series.h).
inline constexpr int kE12Count = 12;

// A capacitor as list position and decade: value = E12 mantissa / 10^decade farad ("100"
// with decade 10 is 10 nF).
struct CapacitorStep {
    int index = 0;
    int decade = 0;
    friend bool operator==(const CapacitorStep&, const CapacitorStep&) = default;
};

int CapacitorMantissa(int index);
long double CapacitorFromStep(const CapacitorStep& step);

// The E12 entry within 0.01 of the normalised value, if there is one.
std::optional<CapacitorStep> IsStandardCapacitor(long double farads);

}  // namespace tavrel
