#pragma once
#include "circuits/records/design.h"

namespace tavrel {

// Fills the merit block of stage s: its reference frequencies and gain-deviation weights,
// and for every candidate circuit of the stage's type (in CircuitIndex order) the figures of
// its own design for the stage: counts, spreads of values, desired and realised gain, the
// recommended GBW, and, for a candidate that is Included, its gain spread at the reference
// frequency with the stage's op amp (GBW and its tolerance) and the resistor and capacitor
// tolerances of the component characteristics. Each candidate is designed on a copy: the
// stage's own circuit record is left as it was.
void EvaluateCandidates(Design& design, int stage);

// The desired gain of a stage: its gain constant To, times the overall gain's share
// OverallGain^(1/StageCount) unless the filter is user-defined.
long double DesiredStageGain(const Design& design, int stage);

}  // namespace tavrel
