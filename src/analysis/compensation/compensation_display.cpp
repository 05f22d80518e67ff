#include "analysis/compensation/compensation_display.h"

#include <algorithm>
#include <cmath>

#include "core/number_format.h"

namespace tavrel {

namespace {

constexpr const char* kNotApplicable = "N/A";

}  // namespace

std::string RecommendedGbwText(long double hz) {
    if (!(hz > 0)) return kNotApplicable;
    const long double mhz = hz / 1e6L;
    // The leading digit sits at 10^floor(log10), its half step one place further right.
    const int lead = static_cast<int>(std::floor(std::log10(mhz) + 1e-9L));
    const int decimals = std::clamp(1 - lead, 2, 9);
    return TrimLeading(Fixed(mhz, 1, decimals));
}

CompensationDisplay CompensationDisplayOf(const StageRecord& stage, const StageCircuitRecord& record, bool hzUnits) {
    CompensationDisplay display;
    const bool firstOrder = IsFirstOrderStage(stage.StageType);
    display.designW = FormatFrequency(record.DesignW, hzUnits);
    display.designQ = firstOrder ? kNotApplicable : TrimZeros(Fixed(record.DesignQ, 1, 4));
    display.displacement = TrimZeros(Fixed(100 * static_cast<long double>(record.GBWError), 1, 2)) + "%";
    display.recommendedGbw = firstOrder ? kNotApplicable : RecommendedGbwText(record.MinGBW);
    return display;
}

}  // namespace tavrel
