#pragma once
#include "circuits/records/stage_circuit_record.h"
#include "stages/stage_record.h"

namespace tavrel {

// The two first-order designs that lowpass and highpass share: the corner is 1/(R1 C1)
// whichever way round R1 and C1 sit.

// R1 and C1, buffered: gain 1.
void DesignBufferedFirstOrder(const StageRecord& stage, StageCircuitRecord& r);

// R1 and C1 followed by a non-inverting amplifier of gain 1 + R3/R2 (the gain pair R2, R3);
// a gain of 1.1 or less becomes 1.1.
void DesignFirstOrderWithGainPair(const StageRecord& stage, StageCircuitRecord& r);

}  // namespace tavrel
