#pragma once
#include "circuits/records/stage_circuit_record.h"
#include "circuits/equations/twin_t_pass_sensitivity.h"
#include "stages/stage_record.h"

namespace tavrel {

// Twin-T Second Order Lowpass and Highpass: the balanced network R1 = R2 = 1/(W·C1),
// R3 = R2/2, C2 = C1, C3 = 2·C1 whose common node is driven by the buffered fraction
// beta = R4/(R4 + R5) of the output. Both circuits share the cubic
// (s + 1/(R2·C1))·(s² + 4·(1 - beta)·s/(R2·C1) + 1/(R2·C1)²), so Q = 1/(4·(1 - beta)) and
// R4 = (4·Q - 1)·R5 with R5 the gain-pair resistor; the numerator cancels the real pole and
// leaves a unity gain (at DC for the lowpass, at infinity for the highpass).
void DesignTwinTFollower(const StageRecord& stage, StageCircuitRecord& r, const TwinTCubic& cubic);

}  // namespace tavrel
