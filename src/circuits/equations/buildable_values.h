#pragma once
#include "circuits/records/stage_circuit_record.h"

namespace tavrel {

// The component values a stage can be built from. Below 0.1 ohm a resistor is no larger than
// the wiring and contact resistance around it, above 1 Gohm no larger than the leakage of the
// board and the op amp's input; below 0.1 pF a capacitor drowns in the strays of a layout,
// and 1 F is a supercapacitor, not a filter part. A design whose values leave these ranges
// is solved correctly on paper but cannot be built: it is invalid.
inline constexpr long double kLowestResistance = 0.1L;     // ohm
inline constexpr long double kHighestResistance = 1e9L;    // ohm
inline constexpr long double kLowestCapacitance = 1e-13L;  // farad
inline constexpr long double kHighestCapacitance = 1;      // farad

// Whether every resistor and capacitor of the record lies within the ranges above.
bool HasBuildableValues(const StageCircuitRecord& record);

}  // namespace tavrel
