#include "circuits/design_stage.h"

#include "circuits/circuit_catalog.h"
#include "circuits/design_routine.h"
#include "circuits/sensitivity.h"

namespace tavrel {

namespace {

constexpr long double kGainPairLimit = 100000;
constexpr int kE24Last = 23;
// Far below any resistor a design gives; ends the stepping of a pair that no step can bring
// below the limit (an unbounded value).
constexpr int kLowestGainDecade = -3;

// The compensated variant of some circuits adds the resistors of the second op amp as the
// last two; they carry no sensitivities.
void ClearAddedResistorSlots(StageCircuitRecord& record) {
    const CatalogRow* row = FindCircuit(record.CircuitNo);
    if (!record.CompResistors || row == nullptr || record.ResistorCount < row->resistorCount + 2) return;
    for (int i = record.ResistorCount - 1; i <= record.ResistorCount; ++i)
        record.Resistors[static_cast<size_t>(i - 1)].Sens.fill(0);
}

void SetMarks(StageCircuitRecord& record, std::uint8_t mark) {
    for (ComponentEntry& e : record.Resistors) e.Marked = mark;
    for (ComponentEntry& e : record.Capacitors) e.Marked = mark;
}

}  // namespace

void StepGainPair(StageCircuitRecord& record) {
    if (!record.GainPair || record.ResistorCount < 2) return;
    ComponentEntry& last = record.Resistors[static_cast<size_t>(record.ResistorCount - 1)];
    ComponentEntry& other = record.Resistors[static_cast<size_t>(record.ResistorCount - 2)];
    ResistorStep step{record.GainResIndex, record.GainResDecade};
    while ((last.Value > kGainPairLimit || other.Value > kGainPairLimit) && step.decade >= kLowestGainDecade) {
        if (--step.index < 0) {
            step.index = kE24Last;
            --step.decade;
        }
        const long double value = ResistorFromStep(ResistorSeries::E24, step);
        other.Value = other.Value * (value / last.Value);
        last.Value = value;
    }
    record.GainResIndex = static_cast<std::int16_t>(step.index);
    record.GainResDecade = static_cast<std::int16_t>(step.decade);
}

std::vector<int> NudgeStandardResistors(StageCircuitRecord& record, ResistorSeries series) {
    std::vector<int> nudged;
    for (int i = 1; i <= record.ResistorCount; ++i) {
        ComponentEntry& e = record.Resistors[static_cast<size_t>(i - 1)];
        if (e.Value > 0 && IsStandardResistor(e.Value, series)) {
            e.Value = e.Value * kStandardNudge;
            nudged.push_back(i);
        }
    }
    return nudged;
}

StageDesignOutcome DesignStage(const StageRecord& stage, StageCircuitRecord& record, ResistorSeries series) {
    StageDesignOutcome outcome;
    const DesignRoutine routine = FindDesignRoutine(stage.StageType, record.CircuitIndex);
    if (routine == nullptr) return outcome;
    routine(stage, record);
    outcome.designed = true;
    ClearAddedResistorSlots(record);
    StepGainPair(record);
    SetMarks(record, 1);
    SensitivitySums(record, stage.StageType);
    outcome.nudged = NudgeStandardResistors(record, series);
    SetMarks(record, 0);
    return outcome;
}

}  // namespace tavrel
