#include "circuits/values/e12_series.h"

#include <cmath>

namespace tavrel {

long double CapacitorFromStep(const CapacitorStep& step) {
    return kE12[static_cast<size_t>(step.index)] / std::pow(10.0L, static_cast<long double>(step.decade));
}

std::optional<CapacitorStep> StandardCapacitorStep(long double farads) {
    if (!(farads > 0)) return std::nullopt;
    long double x = farads;
    int decade = 0;
    while (x < 99.999L) {
        x *= 10;
        ++decade;
    }
    for (size_t i = 0; i < kE12.size(); ++i)
        if (std::fabs(x - kE12[i]) <= 0.01L) return CapacitorStep{static_cast<int>(i), decade};
    return std::nullopt;
}

}  // namespace tavrel
