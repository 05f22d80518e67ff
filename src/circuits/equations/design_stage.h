#pragma once
#include <vector>

#include "circuits/records/stage_circuit_record.h"
#include "stages/stage_record.h"

namespace tavrel {

struct StageDesignOutcome {
    bool designed = false;            // false: no circuit of that type and index; the record is unchanged
    std::vector<int> keptCapacitors;  // capacitors the routine would have moved, kept as the user set them
    bool unbuildable = false;         // the equations were solved, but the values cannot be built
};

// Designs a stage with the routine of its StageType and the record's CircuitIndex, and
// post-processes the result:
// - active compensation (CompResistors) designs for the uncompensated pole data and gives the
//   second op amps the resistors their compensated variant adds;
// - with CapsAdjusted the capacitors stay as the record holds them; the routine designs for
//   their ratio, and the resistors are re-solved for any capacitor it would have moved;
// - the gain pair, whose ratio alone sets the gain, is scaled onto GainResDefault, stepped
//   down the E24 list until both resistors are at most 100 kOhm, and scaled onto
//   GainRes2Default, the value chosen for R(n-1);
// - the sensitivity sums are formed;
// - a stage whose values leave what can be built (buildable_values.h) is Invalid.
// Every value stays as the equations solved it: whether a value shows as standard is decided
// by the standardising steps, which set the component's Marked flag and keep its ExactValue.
StageDesignOutcome DesignStage(const StageRecord& stage, StageCircuitRecord& record);

// The steps, in the order DesignStage runs them around the routine (pair defaults above 0.1
// Ohm count).
void PrepareCompensation(StageCircuitRecord& record);          // CompResistors clears Compensate
void ImposeGainResistorDefault(StageCircuitRecord& record);    // R(n) := GainResDefault
void StepGainPair(StageCircuitRecord& record);
void ImposeOtherGainResistorDefault(StageCircuitRecord& record);  // R(n-1) := GainRes2Default
// The two resistors an actively compensated variant adds (as the last two) take their values
// from the first op amp's feedback network (compensation_resistors.h).
void AddCompensationResistors(StageCircuitRecord& record);

}  // namespace tavrel
