#pragma once
#include "circuits/records/design.h"
#include "circuits/values/standardise_resistors.h"

namespace tavrel {

// The options of the calculation window. Each one that the stage's circuit offers is applied
// and the components of every stage are recalculated.

// " C2 variable": offered where the circuit has the design and " C1=C2 : R1=R2" is off.
bool OffersC2Variable(const Design& design, int stage);
void SetC2Variable(Design& design, int stage, bool on);

// " C1=C2 : R1=R2": offered for the circuits that have equal-component designs (12, 27);
// while on, " C2 variable" is off and cannot be set.
bool OffersEqualComponents(const Design& design, int stage);
void SetEqualComponents(Design& design, int stage, bool on);

// " Standard 1%" (5 %, 10 % after the resistor tolerance): every resistor of every stage that
// the user has not fixed becomes a standard value; the capacitor choices stay.
void SetStandardResistors(Design& design, bool on);

// " Strategy 1" / " Strategy 2": how the standard resistors are chosen.
void SetRoundingStrategy(Design& design, RoundingStrategy strategy);

// " All caps standard" (and Options > "&All capacitors standard values").
void SetAllCapacitorsStandard(Design& design, bool on);

}  // namespace tavrel
