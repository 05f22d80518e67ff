#pragma once
#include <vector>

#include "circuits/resistor_series.h"
#include "circuits/stage_circuit_record.h"
#include "stages/stage_record.h"

namespace tavrel {

struct StageDesignOutcome {
    bool designed = false;          // false: the circuit has no design routine; the record is unchanged
    std::vector<int> nudged;        // resistors moved off an exact standard value (1-based numbers)
    std::vector<int> keptCapacitors;  // capacitors the routine would have moved, kept as the user set them
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
// - the sensitivity sums are formed, and resistors that came out exactly on a value of the
//   current series are moved by × 1.0002, so that only values placed by the standardising
//   operations show as standard.
StageDesignOutcome DesignStage(const StageRecord& stage, StageCircuitRecord& record, ResistorSeries series);

// The factor of the nudge.
inline constexpr long double kStandardNudge = 1.0002L;

// The steps, in the order DesignStage runs them around the routine (pair defaults above 0.1
// Ohm count).
void PrepareCompensation(StageCircuitRecord& record);          // CompResistors clears Compensate
void ImposeGainResistorDefault(StageCircuitRecord& record);    // R(n) := GainResDefault
void StepGainPair(StageCircuitRecord& record);
void ImposeOtherGainResistorDefault(StageCircuitRecord& record);  // R(n-1) := GainRes2Default
void AddCompensationResistors(int stageType, StageCircuitRecord& record);
std::vector<int> NudgeStandardResistors(StageCircuitRecord& record, ResistorSeries series);

}  // namespace tavrel
