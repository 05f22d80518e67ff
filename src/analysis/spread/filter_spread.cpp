#include "analysis/spread/filter_spread.h"

#include <cmath>

#include "analysis/passband/passband_report.h"

namespace tavrel {

SpreadTolerances SpreadTolerancesOf(const ComponentCharacteristics& characteristics, bool capacitorsExact) {
    return {characteristics.RTolerance / 100, characteristics.CTolerance / 100, capacitorsExact};
}

std::vector<StageSpread> StageSpreadsAt(const Design& design, const SpreadTolerances& tolerances, long double w) {
    return PerAnalysedStage<StageSpread>(
        design, [&](int s) { return StageSpreadAt(design.Stage(s), design.Circuit(s), tolerances, w); });
}

long double FilterSpreadAt(const Design& design, const SpreadTolerances& tolerances, long double w) {
    long double variance = 0;
    for (const StageSpread& s : StageSpreadsAt(design, tolerances, w)) variance += s.PassiveVariance() + s.ActiveVariance();
    return std::sqrt(variance);
}

}  // namespace tavrel
