#pragma once
// The preferred-value series as the published tables give them, written out for the tests so
// that a value's membership is checked against them and not against the program's own lists.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

namespace tavrel::testing_support {

// Mantissas in hundredths; a value is in a series when its mantissa is one of them.
inline constexpr std::array<int, 12> kE12{100, 120, 150, 180, 220, 270, 330, 390, 470, 560, 680, 820};
inline constexpr std::array<int, 24> kE24{100, 110, 120, 130, 150, 160, 180, 200, 220, 240, 270, 300,
                                   330, 360, 390, 430, 470, 510, 560, 620, 680, 750, 820, 910};
inline constexpr std::array<int, 96> kE96{
    100, 102, 105, 107, 110, 113, 115, 118, 121, 124, 127, 130, 133, 137, 140, 143, 147, 150, 154, 158,
    162, 165, 169, 174, 178, 182, 187, 191, 196, 200, 205, 210, 215, 221, 226, 232, 237, 243, 249, 255,
    261, 267, 274, 280, 287, 294, 301, 309, 316, 324, 332, 340, 348, 357, 365, 374, 383, 392, 402, 412,
    422, 432, 442, 453, 464, 475, 487, 499, 511, 523, 536, 549, 562, 576, 590, 604, 619, 634, 649, 665,
    681, 698, 715, 732, 750, 768, 787, 806, 825, 845, 866, 887, 909, 931, 953, 976};

template <std::size_t N>
inline bool InSeries(long double value, const std::array<int, N>& series) {
    const long double decade = std::pow(10.0L, std::floor(std::log10(value)) - 2);
    const long double mantissa = value / decade;
    return std::any_of(series.begin(), series.end(), [&](int m) {
        return std::fabs(mantissa - m) < 1e-6L * m || std::fabs(mantissa - 10 * m) < 1e-5L * m;
    });
}

}  // namespace tavrel::testing_support
