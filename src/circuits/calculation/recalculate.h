#pragma once
#include "circuits/records/design.h"

namespace tavrel {

// The component values of every stage, from the stage gains to the values in force:
// - the overall gain shared over the stages, each stage designed with its circuit's
//   equations, the stages whose circuits fix their gain made up by the free ones, and the
//   output level of every stage against the optimal one;
// - with restore, the capacitor choices kept for each stage (stepped, trimmed by hand or
//   standardised) put back and the resistors re-solved for them, and the gain-pair choices
//   put back; otherwise every stage starts from its circuit's capacitors;
// - with all capacitors standard, every capacitor that is not an E12 value replaced by the
//   nearest one and the resistors re-solved;
// - with the standard resistor option, every resistor the user has not fixed replaced by a
//   standard value of the series of the resistor tolerance (the computed value kept in
//   ExactValue);
// - the sensitivity sums, the gain each stage realises with its values in force, and the
//   merit entry of the chosen circuit.
// Afterwards no stage is newly selected any more, and the capacitor choice of every stage is
// saved (and, for a stage calculated for the first time, kept as the " Reset" copy).
void RecalculateAll(Design& design, bool restore);

// The gain a stage's circuit realises with its values in force (a resistor the user fixed
// counts with the value typed); 0 for a stage without a circuit.
long double RealizedGain(const Design& design, int stage);

// Designs one stage with its ActualGain as the target (Invalid and InputAttenuation cleared
// first) and sets ActualGain to the gain its values realise. Returns ActualGain as the
// design left it: the circuit's own gain when it forces one.
long double DesignAndAnalyse(Design& design, int stage);

}  // namespace tavrel
