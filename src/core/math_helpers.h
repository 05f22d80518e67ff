#pragma once
#include <cmath>

namespace tavrel {

inline constexpr long double kPi = 3.141592653589793238462643383279502884L;

// log10 with the program's convention for 0: -1000, so that 0 V/V shows as -1000 dB.
inline long double Log10(long double x) { return x == 0 ? -1000.0L : std::log(x) / std::log(10.0L); }
inline long double Pow10(long double x) { return std::exp(x * std::log(10.0L)); }
inline long double Asinh(long double x) { return std::log(x + std::sqrt(x * x + 1)); }
inline long double Acosh(long double x) { return std::log(x + std::sqrt(x * x - 1)); }

// dB of a gain in V/V and back.
inline long double ToDb(long double vv) { return 20 * Log10(vv); }
inline long double FromDb(long double db) { return Pow10(db / 20); }

}  // namespace tavrel
