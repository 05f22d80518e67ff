#pragma once
#include "circuits/records/design.h"
#include "circuits/values/standardise_resistors.h"

namespace tavrel {

// How much the gain of a stage moves, in dB, per unit relative change of its pole frequency
// (w), pole Q (q), zero frequency (z) and, for a twin-T network, the frequency of its extra
// real pole (third), at angular frequency w. 8.68 is the dB value of one neper as the gain
// figures round it.
struct GainSensitivities {
    long double w = 0, q = 0, z = 0, third = 0;
};

// auxPoleW is the twin-T network's extra real pole (0 for other circuits).
GainSensitivities GainSensitivitiesAt(const StageRecord& stage, long double auxPoleW, long double w);

// The frequencies at which the merits and Strategy 2 weigh a stage's gain: the filter's
// passband edges where the filter has a specification (the edge above the stopband for the
// highpass stages, the other for all other types), the stage's own pole (or corner)
// frequency for a user-defined filter. Stored in the stage's merit block as RefFreq1 (used by
// highpass stages) and RefFreq2 (all other types).
void SetReferenceFrequencies(Design& design, int stage);

// The reference frequency of the stage's type, from its merit block (Wc for first-order
// stages).
long double ReferenceFrequency(const Design& design, int stage);

// The weights h1, h2, h3 of the gain deviation at the stage's reference frequency.
GainDeviationWeights DeviationWeights(const Design& design, int stage);

}  // namespace tavrel
