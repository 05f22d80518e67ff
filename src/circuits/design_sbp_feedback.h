#pragma once
#include "circuits/stage_circuit_record.h"
#include "stages/stage_record.h"

namespace tavrel {

// Single-amplifier bandpass circuits whose last two resistors divide the output onto one op-amp
// input: Deliyannis Second Order Bandpass II (positive feedback enhancing Q).
void DesignDeliyannisBandpassII(const StageRecord& stage, StageCircuitRecord& record);

}  // namespace tavrel
