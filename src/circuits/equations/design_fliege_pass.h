#pragma once
#include "circuits/records/stage_circuit_record.h"
#include "stages/stage_record.h"

namespace tavrel {

// The Fliege highpass and bandpass share their pole network: two integrator resistors R2
// (with C1) and R3 (with C2), the damping resistor R1 and the equal pair R4, R5 that fixes
// the gain at 2. wp² = R4/(C1·C2·R2·R3·R5), wp/Qp = 1/(C1·R1), gain 1 + R4/R5.
void DesignFliegePass(const StageRecord& stage, StageCircuitRecord& record);

}  // namespace tavrel
