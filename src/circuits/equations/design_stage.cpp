#include "circuits/equations/design_stage.h"

#include <algorithm>
#include <vector>

#include "circuits/adjustment/resistor_resolve.h"
#include "circuits/equations/buildable_values.h"
#include "circuits/catalog/circuit_definition.h"
#include "circuits/equations/compensation_resistors.h"
#include "circuits/equations/design_skeleton.h"
#include "circuits/equations/sensitivity.h"
#include "circuits/values/resistor_series.h"

namespace tavrel {

namespace {

constexpr long double kGainPairLimit = 100000;
constexpr int kE24Last = 23;
// Far below any resistor a design gives; ends the stepping of a pair that no step can bring
// below the limit (an unbounded value).
constexpr int kLowestGainDecade = -3;
// A gain-pair default at or below this is no choice of the user's.
constexpr long double kNoDefault = 0.1L;
bool IsChosen(long double value) { return value > Real48::Round(kNoDefault); }

// The resistors of the plain circuit: a routine of a compensated circuit may already have
// appended the two resistors of its second op amp.
int PlainResistorCount(const StageCircuitRecord& record) {
    const CircuitDefinition* row = FindCircuit(record.CircuitNo);
    return row == nullptr ? record.ResistorCount : std::min<int>(row->resistorCount, record.ResistorCount);
}

// The gain pair is R(n-1), R(n) of the plain circuit.
bool HasGainPair(const StageCircuitRecord& record) { return record.GainPair && PlainResistorCount(record) >= 2; }
ComponentEntry& PairLast(StageCircuitRecord& record) { return R(record, PlainResistorCount(record)); }
ComponentEntry& PairOther(StageCircuitRecord& record) { return R(record, PlainResistorCount(record) - 1); }

// The compensated variant of some circuits adds the resistors of the second op amp as the
// last two; they carry no sensitivities.
void ClearAddedResistorSlots(StageCircuitRecord& record) {
    const CircuitDefinition* row = FindCircuit(record.CircuitNo);
    if (!record.CompResistors || row == nullptr || record.ResistorCount < row->resistorCount + 2) return;
    for (int i = record.ResistorCount - 1; i <= record.ResistorCount; ++i)
        record.Resistors[static_cast<size_t>(i - 1)].Sens.fill(0);
}

void SetMarks(StageCircuitRecord& record, std::uint8_t mark) {
    for (ComponentEntry& e : record.Resistors) e.Marked = mark;
    for (ComponentEntry& e : record.Capacitors) e.Marked = mark;
}

struct KeptCapacitors {
    std::array<long double, kMaxCapacitors> values{};
    int count = 0;
};

// Capacitors the user set stay as they are: C2 enters the routines that take it as a free
// choice through CapRatio.
KeptCapacitors KeepCapacitors(StageCircuitRecord& record) {
    KeptCapacitors kept;
    if (!record.CapsAdjusted) return kept;
    kept.count = std::clamp<int>(record.CapacitorCount, 0, kMaxCapacitors);
    for (int j = 1; j <= kept.count; ++j) kept.values[static_cast<size_t>(j - 1)] = C(record, j).Value;
    if (kept.count >= 2 && C(record, 1).Value > 0) record.CapRatio = C(record, 2).Value / C(record, 1).Value;
    return kept;
}

// Puts back the kept capacitors the routine moved and re-solves the resistors for them.
std::vector<int> RestoreKeptCapacitors(StageCircuitRecord& record, const KeptCapacitors& kept) {
    std::vector<int> moved;
    for (int j = 1; j <= kept.count; ++j) {
        ComponentEntry& c = C(record, j);
        const long double designed = c.Value, want = kept.values[static_cast<size_t>(j - 1)];
        c.PrevValue = designed;
        c.Delta = want - designed;
        if (c.Value != Real48::Round(want)) moved.push_back(j);
        c.Value = want;
    }
    if (moved.empty()) return moved;
    for (ComponentEntry& e : record.Resistors) e.PrevValue = e.Value;
    // The capacitors cannot be kept when the slots leave the resistors undetermined or the
    // re-solve drives a resistor below zero.
    if (!ResolveResistorsForCapacitors(record).Ok()) record.Invalid = 1;
    for (int i = 1; i <= record.ResistorCount; ++i)
        if (!(R(record, i).Value >= 0)) record.Invalid = 1;
    return moved;
}

// The pair's ratio alone sets the gain: the pair is scaled so that the chosen resistor takes
// its value.
void ScalePairOnto(StageCircuitRecord& record, ComponentEntry& chosen, long double value) {
    if (!(chosen.Value > 0)) return;
    const long double factor = value / chosen.Value;
    ComponentEntry& last = PairLast(record);
    ComponentEntry& other = PairOther(record);
    last.Value = last.Value * factor;
    other.Value = other.Value * factor;
    chosen.Value = value;
}

}  // namespace

void PrepareCompensation(StageCircuitRecord& record) {
    if (record.CompResistors) record.Compensate = 0;
}

void AddCompensationResistors(StageCircuitRecord& record) {
    const CircuitDefinition* circuit = FindCircuit(record.CircuitNo);
    if (!record.CompResistors || circuit == nullptr || !circuit->compensated) return;
    const int plain = circuit->resistorCount, added = circuit->compensated->topology.resistorCount;
    if (added != plain + 2) return;
    const ComponentValues values = WithCompensationResistors(*circuit, ValuesOf(record));
    for (int i = plain + 1; i <= added; ++i) R(record, i).Value = values.R[static_cast<size_t>(i)];
    record.ResistorCount = static_cast<std::int16_t>(added);
}

void ImposeGainResistorDefault(StageCircuitRecord& record) {
    if (HasGainPair(record) && IsChosen(record.GainResDefault))
        ScalePairOnto(record, PairLast(record), record.GainResDefault);
}

void StepGainPair(StageCircuitRecord& record) {
    if (!HasGainPair(record)) return;
    ComponentEntry& last = PairLast(record);
    ComponentEntry& other = PairOther(record);
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

void ImposeOtherGainResistorDefault(StageCircuitRecord& record) {
    if (HasGainPair(record) && IsChosen(record.GainRes2Default))
        ScalePairOnto(record, PairOther(record), record.GainRes2Default);
}

StageDesignOutcome DesignStage(const StageRecord& stage, StageCircuitRecord& record) {
    StageDesignOutcome outcome;
    const CircuitDefinition* circuit = FindCircuit(stage.StageType, record.CircuitIndex);
    if (circuit == nullptr) return outcome;
    const DesignRoutine routine = circuit->design;
    PrepareCompensation(record);
    const KeptCapacitors kept = KeepCapacitors(record);
    routine(stage, record);
    outcome.designed = true;
    ImposeGainResistorDefault(record);
    StepGainPair(record);
    ImposeOtherGainResistorDefault(record);
    outcome.keptCapacitors = RestoreKeptCapacitors(record, kept);
    AddCompensationResistors(record);
    ClearAddedResistorSlots(record);
    // The sums of squares take every component of a freshly designed stage; the marks are
    // the standardising steps' to set afterwards.
    SetMarks(record, 1);
    SensitivitySums(record, stage.StageType);
    SetMarks(record, 0);
    if (!record.Invalid && !HasBuildableValues(record)) {
        record.Invalid = 1;
        outcome.unbuildable = true;
    }
    return outcome;
}

}  // namespace tavrel
