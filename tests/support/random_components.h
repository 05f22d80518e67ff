#pragma once
#include <cmath>
#include <random>

#include "circuits/network/component_values.h"

namespace tavrel::testing_support {

// Component values of five significant digits (so a netlist carries them exactly),
// resistors from 1 kOhm to 100 kOhm and capacitors from 1 nF to 100 nF.
inline long double FiveDigits(std::mt19937& rng, long double low) {
    std::uniform_int_distribution<int> mantissa(10000, 99999), decade(0, 1);
    return mantissa(rng) * 1e-4L * low * std::pow(10.0L, static_cast<long double>(decade(rng)));
}

inline ComponentValues RandomValues(std::mt19937& rng) {
    ComponentValues values;
    for (size_t i = 1; i < values.R.size(); ++i) values.R[i] = FiveDigits(rng, 1000);
    for (size_t j = 1; j < values.C.size(); ++j) values.C[j] = FiveDigits(rng, 1e-9L);
    return values;
}

}  // namespace tavrel::testing_support
