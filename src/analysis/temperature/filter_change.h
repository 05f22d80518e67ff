#pragma once
#include <vector>

#include "circuits/records/design.h"
#include "circuits/tolerance/stage_change.h"

namespace tavrel {

TemperatureSettings TemperatureSettingsOf(const ComponentCharacteristics& characteristics);

// The change of every stage 1..StageCount at angular frequency w (entry s - 1 for stage s);
// a stage without a circuit, or whose circuit is Invalid, contributes nothing.
std::vector<StageChange> StageChangesAt(const Design& design, const TemperatureSettings& settings, long double w);

// The filter's gain change at w in dB: the stages' total changes added.
long double FilterChangeAt(const Design& design, const TemperatureSettings& settings, long double w);

}  // namespace tavrel
