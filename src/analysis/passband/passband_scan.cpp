#include "analysis/passband/passband_scan.h"

#include <cmath>

#include "core/band_edges.h"
#include "core/responses.h"

namespace tavrel {

namespace {

// A passband to infinite frequency is scanned over one decade.
constexpr long double kOpenPartSpan = 10;
// A logarithmic axis from 0 starts this far below the upper edge.
constexpr long double kLogAxisSpan = 100;
constexpr long double kSmallestGain = 1e-20L;

// The frequency of point k of a part. At w = 0 every gain sensitivity has its limit (the
// pole and zero terms of a lowpass vanish), so the first point of a lowpass part is taken
// just above 0, where the formulas are still finite for every stage type.
long double PointOf(const PassbandPart& part, int k) {
    const long double w = part.lo + (part.hi - part.lo) * k / (kPassbandPoints - 1);
    return w > 0 ? w : (part.hi - part.lo) * 1e-9L;
}

}  // namespace

std::vector<PassbandPart> PassbandParts(const DesignState& state) {
    std::vector<PassbandPart> parts;
    for (const FrequencyBand& band : SpecificationBands(state).passbands) {
        const long double hi = std::isfinite(band.hi) ? band.hi : band.lo * kOpenPartSpan;
        if (hi > band.lo) parts.push_back({band.lo, hi});
    }
    return parts;
}

long double DesignGainDb(const DesignState& state, long double w) {
    const long double gain = IdealResponseAt(state, state.ChosenApprox, w).gainVv / state.OverallGain;
    return gain > kSmallestGain ? 20 * std::log10(gain) : kNoGainDb;
}

PassbandExtremes ScanPassband(const DesignState& state, const DeviationAt& deviation) {
    PassbandExtremes e;
    for (const PassbandPart& part : PassbandParts(state))
        for (int k = 0; k < kPassbandPoints; ++k) {
            const long double w = PointOf(part, k);
            const long double g = DesignGainDb(state, w);
            const GainDeviation d = deviation(w);
            if (!e.found || g + d.lower < e.lowest) e.lowest = g + d.lower, e.lowestW = w;
            if (!e.found || g + d.upper > e.highest) e.highest = g + d.upper, e.highestW = w;
            e.found = true;
        }
    return e;
}

std::vector<PassbandPoint> PassbandCurve(const DesignState& state, const DeviationAt& deviation, bool logAxis) {
    std::vector<PassbandPoint> curve;
    for (const PassbandPart& part : PassbandParts(state)) {
        const long double lo = part.lo > 0 ? part.lo : part.hi / kLogAxisSpan;
        for (int k = 0; k < kPassbandPoints; ++k) {
            const long double w = logAxis ? lo * std::pow(part.hi / lo, static_cast<long double>(k) / (kPassbandPoints - 1))
                                          : PointOf(part, k);
            const long double g = DesignGainDb(state, w);
            const GainDeviation d = deviation(w);
            curve.push_back({w, g, g + d.lower, g + d.upper});
        }
    }
    return curve;
}

}  // namespace tavrel
