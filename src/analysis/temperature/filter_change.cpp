#include "analysis/temperature/filter_change.h"

#include "analysis/passband/passband_report.h"

namespace tavrel {

TemperatureSettings TemperatureSettingsOf(const ComponentCharacteristics& characteristics) {
    return {characteristics.RTempCoeff, characteristics.CTempCoeff, characteristics.TempRange};
}

std::vector<StageChange> StageChangesAt(const Design& design, const TemperatureSettings& settings, long double w) {
    return PerAnalysedStage<StageChange>(
        design, [&](int s) { return StageChangeAt(design.Stage(s), design.Circuit(s), settings, w); });
}

long double FilterChangeAt(const Design& design, const TemperatureSettings& settings, long double w) {
    long double change = 0;
    for (const StageChange& c : StageChangesAt(design, settings, w)) change += c.Total();
    return change;
}

}  // namespace tavrel
