#pragma once
#include <vector>

#include "circuits/resistor_series.h"
#include "circuits/stage_circuit_record.h"
#include "stages/stage_record.h"

namespace tavrel {

struct StageDesignOutcome {
    bool designed = false;     // false: the circuit has no design routine; the record is unchanged
    std::vector<int> nudged;   // resistors moved off an exact standard value (1-based numbers)
};

// Designs a stage with the routine of its StageType and the record's CircuitIndex, then
// post-processes the result: steps the gain pair down the E24 list until both resistors are
// at most 100 kOhm, forms the sensitivity sums, and moves resistors that came out exactly on a
// value of the current series by × 1.0002, so that only values placed by the standardising
// operations show as standard.
StageDesignOutcome DesignStage(const StageRecord& stage, StageCircuitRecord& record, ResistorSeries series);

// The factor of the nudge.
inline constexpr long double kStandardNudge = 1.0002L;

// The post-processing steps, in the order DesignStage runs them.
void StepGainPair(StageCircuitRecord& record);
std::vector<int> NudgeStandardResistors(StageCircuitRecord& record, ResistorSeries series);

}  // namespace tavrel
