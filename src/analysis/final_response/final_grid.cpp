#include "analysis/final_response/final_grid.h"

#include "core/math_helpers.h"

namespace tavrel {

std::vector<GridPoint> FinalGrid(const FinalAxis& axis) {
    std::vector<GridPoint> grid(static_cast<size_t>(axis.intervals) + 1);
    const long double n = axis.intervals;
    for (int k = 0; k <= axis.intervals; ++k) {
        const long double value = axis.logarithmic
                                      ? Pow10(Log10(axis.lo) + (Log10(axis.hi) - Log10(axis.lo)) * k / n)
                                      : axis.lo + (axis.hi - axis.lo) * k / n;
        GridPoint& p = grid[static_cast<size_t>(k)];
        // The display unit is computed and the other derived from it, so the axis ends are
        // exactly the values the user typed or zoomed to.
        if (axis.hzUnits) {
            p.F = value;
            p.W = value * 2 * kPi;
        } else {
            p.W = value;
            p.F = value * 0.15915494309189535L;
        }
    }
    return grid;
}

FinalAxis FinalAxisOf(const DesignState& state) {
    FinalAxis axis;
    axis.lo = state.FreqLo;
    axis.hi = state.FreqHi;
    axis.hzUnits = state.HzUnits;
    axis.logarithmic = state.LogFrequencyAxis;
    return axis;
}

}  // namespace tavrel
