#pragma once
#include "circuits/catalog/circuit_definition.h"
#include "circuits/network/component_values.h"

namespace tavrel {

// Some actively compensated variants add a divider for the second op amp as resistors n+1 and
// n+2 (n the plain circuit's count). The second op amp must divide as the first one's feedback
// network does, so that the two op amps' errors cancel to first order in w/wt:
// - where the first op amp's gain is set by a divider R(n-1), R(n) to ground, the added
//   resistor to ground takes the value of that divider's resistor to ground and the other
//   added resistor the value of the other one;
// - where the added pair runs between the other op amp's output and the stage output (the
//   single-amplifier notches, the MFB lowpass II and the Deliyannis and MFB bandpasses II,
//   whose positive feedback reaches the first op amp's non-inverting input from the output
//   through one resistor, against that input's other resistors), the added resistor at the
//   stage output takes the value of the resistor from the output to that input and the other
//   one the parallel value of that input's other resistors.
// The values with R(n+1) and R(n+2) set; unchanged when the variant adds no resistors.
ComponentValues WithCompensationResistors(const CircuitDefinition& circuit, ComponentValues values);

}  // namespace tavrel
