#pragma once
#include "circuits/records/design.h"

namespace tavrel {

// Candidate `candidate` (its CircuitIndex) designed for stage s with the stage's own gain To,
// on a copy of the stage's record: what circuit selection compares. The design itself is not
// changed.
StageCircuitRecord DesignCandidate(const Design& design, int stage, int candidate);

// "Select": the candidate becomes the stage's circuit, newly selected, without trimmed
// capacitors, " C2 variable" or compensation, and the standard resistor option goes off.
// Unless the user set the stage's op-amp GBW in the component characteristics, the op amp
// gets the candidate's recommended GBW, at least 1 MHz.
void SelectCircuit(Design& design, int stage, int candidate);

// Every stage 1..StageCount has a circuit.
bool AllStagesHaveCircuits(const Design& design);

}  // namespace tavrel
