#pragma once
#include <array>
#include <optional>

namespace tavrel {

// The capacitor series, one decade as three-digit mantissas.
inline constexpr std::array<int, 12> kE12{100, 120, 150, 180, 220, 270, 330, 390, 470, 560, 680, 820};

// A capacitor as list position and decade: value = kE12[index] / 10^decade farad.
struct CapacitorStep {
    int index = 0;
    int decade = 0;
};

long double CapacitorFromStep(const CapacitorStep& step);

// The E12 entry within 0.01 of the normalised value, if there is one.
std::optional<CapacitorStep> StandardCapacitorStep(long double farads);

}  // namespace tavrel
