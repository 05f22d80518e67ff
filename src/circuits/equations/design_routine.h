#pragma once
#include <span>

#include "circuits/records/stage_circuit_record.h"
#include "stages/stage_record.h"

namespace tavrel {

// The design equations of one circuit. Reads the stage's target (Wp, Qp, Wz, Wc), the gain it
// should realise (ActualGain on entry) and the capacitors already in the record; writes the
// resistors (and the capacitors the circuit computes), the realised gain, GainForced, the
// op-amp coefficients, DesignW/DesignQ and the sensitivity slots. A target the circuit cannot
// realise sets Invalid.
using DesignRoutine = void (*)(const StageRecord& stage, StageCircuitRecord& record);

// The routines of one stage type in CircuitIndex order (the routine of CircuitIndex i at
// position i - 1). Each table is defined in the type's own design_<type>.cpp; the circuit
// definitions take their routine from it.
std::span<const DesignRoutine> FlpDesignRoutines();
std::span<const DesignRoutine> FhpDesignRoutines();
std::span<const DesignRoutine> SlpDesignRoutines();
std::span<const DesignRoutine> ShpDesignRoutines();
std::span<const DesignRoutine> SbpDesignRoutines();
std::span<const DesignRoutine> SlpnDesignRoutines();
std::span<const DesignRoutine> ShpnDesignRoutines();
std::span<const DesignRoutine> SnDesignRoutines();

}  // namespace tavrel
