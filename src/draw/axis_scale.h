#pragma once
#include <string>
#include <vector>

namespace tavrel::draw {

// One tick of a plot axis: its value, whether it carries a label (and a full grid
// line) or is a minor tick of a logarithmic decade.
struct AxisTick {
    double value;
    bool major;
};

// The step 1, 2 or 5 times a power of ten nearest above span / maxIntervals.
double RoundStep(double span, int maxIntervals);

// lo and hi widened to whole multiples of a round step.
struct AxisRange {
    double lo, hi;
};
AxisRange RoundLinearRange(double lo, double hi, int maxIntervals = 8);

// Ticks of a linear axis at the multiples of the round step inside [lo, hi].
std::vector<AxisTick> LinearTicks(double lo, double hi, int maxIntervals = 8);

// Ticks of a logarithmic axis: the decades and, as minor ticks, 2..9 times them.
// Over less than about two decades 2 and 5 times a decade are labelled as well, over
// about one decade or less every tick.
std::vector<AxisTick> LogTicks(double lo, double hi);

// Tick label of a linear axis with the decimals the step needs.
std::string LinearTickLabel(double value, double step);
// Tick label of a frequency axis: 200, 1k, 2.5M.
std::string LogTickLabel(double value);

}  // namespace tavrel::draw
