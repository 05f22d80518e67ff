#pragma once
#include <vector>

#include "circuits/records/design.h"
#include "circuits/tolerance/stage_spread.h"

namespace tavrel {

// The tolerances of the component characteristics as fractions. capacitorsExact: exact
// capacitor values are in place, so the capacitors add no spread.
SpreadTolerances SpreadTolerancesOf(const ComponentCharacteristics& characteristics, bool capacitorsExact);

// The spread of every stage 1..StageCount at angular frequency w (entry s - 1 for stage s);
// a stage without a circuit, or whose circuit is Invalid, contributes nothing.
std::vector<StageSpread> StageSpreadsAt(const Design& design, const SpreadTolerances& tolerances, long double w);

// The filter's gain spread at w: the stages' spreads added in squares, ±dB.
long double FilterSpreadAt(const Design& design, const SpreadTolerances& tolerances, long double w);

}  // namespace tavrel
