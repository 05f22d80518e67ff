#include "circuits/values/e12_series.h"

#include <cmath>

#include "circuits/values/resistor_series.h"

namespace tavrel {

int CapacitorMantissa(int index) { return SeriesMantissa(ResistorSeries::E12, index); }

long double CapacitorFromStep(const CapacitorStep& step) {
    const long double scale = std::pow(10.0L, static_cast<long double>(std::abs(step.decade)));
    return step.decade < 0 ? CapacitorMantissa(step.index) * scale : CapacitorMantissa(step.index) / scale;
}

std::optional<CapacitorStep> IsStandardCapacitor(long double farads) {
    if (!(farads > 0) || !std::isfinite(farads)) return std::nullopt;
    const NormalisedValue n = NormaliseCapacitor(farads);
    for (int i = 0; i < kE12Count; ++i)
        if (std::fabs(n.mantissa - CapacitorMantissa(i)) <= 0.01L) return CapacitorStep{i, n.decade};
    return std::nullopt;
}

}  // namespace tavrel
