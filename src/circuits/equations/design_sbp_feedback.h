#pragma once
#include "circuits/equations/decade_cap_ratio.h"
#include "circuits/records/stage_circuit_record.h"
#include "stages/stage_record.h"

namespace tavrel {

// Single-amplifier bandpass circuits whose last two resistors divide the output onto one op-amp
// input: Deliyannis Second Order Bandpass II (positive feedback enhancing Q), the Sallen-Key
// bandpass (a non-inverting gain of 1.5) and Multiple Feedback Second Order Bandpass II
// (positive feedback with the input divider R1, R3).
void DesignDeliyannisBandpassII(const StageRecord& stage, StageCircuitRecord& record);
void DesignSallenKeyBandpass(const StageRecord& stage, StageCircuitRecord& record);
void DesignMfbBandpassII(const StageRecord& stage, StageCircuitRecord& record);

}  // namespace tavrel
