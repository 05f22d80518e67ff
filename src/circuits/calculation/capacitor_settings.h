#pragma once
#include "circuits/records/design.h"

namespace tavrel {

// The capacitor choice of a stage survives recalculations and circuit changes in the stage's
// CapacitorSet: the E12 places of C1 and C2, the ratio, and the capacitor values (the values
// in force, and the values the design gave before any trimming).
void SaveCapacitorSet(Design& design, int stage);

// Puts the saved choice back into the record (nothing when none was saved yet).
void RestoreCapacitorSet(Design& design, int stage);

// Every capacitor of the stage that is not an E12 value becomes the nearest one (from the value
// it has now), the stage counts as trimmed, and the resistors are re-solved for the change.
void MakeCapacitorsStandard(Design& design, int stage);

// What the arrow buttons of the calculation window step.
enum class CapacitorChoice {
    AllCapacitors,  // " All Capacitors": C1 one E12 place, everything scaled with it
    C2Only,         // " C2 only": C2 one E12 place, the stage designed again
    GainPair,       // " Rx/Ry": the gain pair one E24 place, its ratio kept
};

// Whether the circuit of a stage offers the choice.
bool Offers(const StageCircuitRecord& record, CapacitorChoice choice);

// One step up (+1) or down (-1) of the choice for a stage; the choice is saved afterwards.
// " All Capacitors" drops the capacitors trimmed by hand, moves C1 one E12 place (from "820"
// to "100" of the next decade and back), multiplies every capacitor and divides every
// resistor but a gain pair by the same factor; with all capacitors standard a capacitor off
// the series is replaced by the nearest standard one and the resistors re-solved.
void StepCapacitors(Design& design, int stage, CapacitorChoice choice, int direction);

// " Reset": the stage returns to the capacitor choice it had when first calculated, without
// gain-resistor defaults, typed resistors or trimmed capacitors; compensation that was on is
// switched on again.
void ResetStage(Design& design, int stage);

}  // namespace tavrel
