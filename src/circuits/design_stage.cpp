#include "circuits/design_stage.h"

#include <algorithm>
#include <vector>

#include "circuits/capacitor_resolve.h"
#include "circuits/circuit_catalog.h"
#include "circuits/design_routine.h"
#include "circuits/design_skeleton.h"
#include "circuits/netlist_templates.h"
#include "circuits/sensitivity.h"

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
    const CatalogRow* row = FindCircuit(record.CircuitNo);
    return row == nullptr ? record.ResistorCount : std::min<int>(row->resistorCount, record.ResistorCount);
}

// The gain pair is R(n-1), R(n) of the plain circuit.
bool HasGainPair(const StageCircuitRecord& record) { return record.GainPair && PlainResistorCount(record) >= 2; }
ComponentEntry& PairLast(StageCircuitRecord& record) { return R(record, PlainResistorCount(record)); }
ComponentEntry& PairOther(StageCircuitRecord& record) { return R(record, PlainResistorCount(record) - 1); }

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
    // The capacitors cannot be kept when the slots leave the resistors undetermined or the
    // re-solve drives a resistor below zero.
    if (!ResolveResistorsForCapacitors(record)) record.Invalid = 1;
    for (int i = 1; i <= record.ResistorCount; ++i)
        if (!(R(record, i).Value >= 0)) record.Invalid = 1;
    return moved;
}

std::vector<TemplateElement> CompensatedResistors(int stageType, int circuitIndex) {
    const auto lines = FindTemplate(TemplateLibrary::Compensated, TemplateKey(stageType, circuitIndex));
    std::vector<TemplateElement> resistors;
    if (!lines) return resistors;
    for (TemplateElement& e : TemplateElements(*lines))
        if (e.kind == 'R') resistors.push_back(std::move(e));
    return resistors;
}

bool Grounded(const TemplateElement& e) { return std::find(e.nodes.begin(), e.nodes.end(), 0) != e.nodes.end(); }

// The resistor of the first divider (plain - 1 or plain) whose value resistor 'added' copies.
// The second op amp's divider must divide as the first one does, so that the two op amps'
// errors cancel: its resistor to ground takes the value of the first's resistor to ground and
// its other resistor that of the first's other. Where the added pair has no resistor to
// ground (the single-amplifier notches) the values are copied in order.
int CopiedResistor(const std::vector<TemplateElement>& resistors, int plain, int added) {
    auto grounded = [&](int number) { return Grounded(resistors[static_cast<size_t>(number - 1)]); };
    const bool firstPairHasOne = grounded(plain - 1) != grounded(plain);
    const bool addedPairHasOne = grounded(plain + 1) != grounded(plain + 2);
    if (!firstPairHasOne || !addedPairHasOne) return added - 2;
    return grounded(added) == grounded(plain - 1) ? plain - 1 : plain;
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

void AddCompensationResistors(int stageType, StageCircuitRecord& record) {
    if (!record.CompResistors) return;
    const int plain = PlainResistorCount(record);
    const std::vector<TemplateElement> resistors = CompensatedResistors(stageType, record.CircuitIndex);
    const int compensated = static_cast<int>(resistors.size());
    if (compensated != plain + 2 || plain < 2 || compensated > kMaxResistors) return;
    for (int added = plain + 1; added <= plain + 2; ++added)
        R(record, added).Value = R(record, CopiedResistor(resistors, plain, added)).Value;
    record.ResistorCount = static_cast<std::int16_t>(compensated);
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
    PrepareCompensation(record);
    const KeptCapacitors kept = KeepCapacitors(record);
    routine(stage, record);
    outcome.designed = true;
    ImposeGainResistorDefault(record);
    StepGainPair(record);
    ImposeOtherGainResistorDefault(record);
    outcome.keptCapacitors = RestoreKeptCapacitors(record, kept);
    AddCompensationResistors(stage.StageType, record);
    ClearAddedResistorSlots(record);
    SetMarks(record, 1);
    SensitivitySums(record, stage.StageType);
    outcome.nudged = NudgeStandardResistors(record, series);
    SetMarks(record, 0);
    return outcome;
}

}  // namespace tavrel
