#pragma once
#include <cmath>

#include "circuits/equations/design_skeleton.h"

namespace tavrel {

// With " C2 variable" the capacitor ratio C2/C1 of a bandpass is the power of ten from 1/1000 to
// 1000 that gives the network resistors the smallest spread; C2 stays a standard value when C1
// is one. spread(m) designs for ratio m and returns the spread, or a negative value where that
// ratio cannot realise the stage. Returns the ratio chosen, 0 when none can.
inline constexpr long double kSmallestDecadeRatio = 1e-3L;

template <typename Spread>
long double DecadeRatioOfLeastSpread(Spread spread) {
    long double best = 0, bestSpread = 0;
    for (int e = -3; e <= 3; ++e) {
        const long double m = std::pow(10.0L, e), s = spread(m);
        if (s > 0 && (best == 0 || s < bestSpread)) best = m, bestSpread = s;
    }
    return best;
}

// The chosen ratio in force: C2 := m·C1, which the " C2 only" steps then leave alone.
inline void UseCapRatio(StageCircuitRecord& record, long double m) {
    record.C2Adjustable = 0;
    record.CapRatio = m;
    C(record, 2).Value = C(record, 1).Value * m;
}

}  // namespace tavrel
