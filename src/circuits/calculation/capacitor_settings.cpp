#include "circuits/calculation/capacitor_settings.h"

#include "circuits/calculation/recalculate.h"
#include "circuits/catalog/circuit_definition.h"
#include "circuits/adjustment/resistor_resolve.h"
#include "circuits/equations/design_stage.h"
#include "circuits/records/circuit_record_init.h"
#include "circuits/values/e12_series.h"
#include "circuits/values/resistor_series.h"
#include "circuits/values/standard_candidates.h"

namespace tavrel {

namespace {

constexpr int kE12Last = 11;
constexpr int kE24Last = 23;

ComponentEntry& Cap(StageCircuitRecord& r, int j) { return r.Capacitors[static_cast<size_t>(j - 1)]; }
ComponentEntry& Res(StageCircuitRecord& r, int i) { return r.Resistors[static_cast<size_t>(i - 1)]; }

// One E12 place up or down; past "820" to "100" of the decade above (the decade count, which
// divides, goes down), and back.
CapacitorStep StepE12(CapacitorStep step, int direction) {
    step.index += direction;
    if (step.index > kE12Last) step.index = 0, --step.decade;
    if (step.index < 0) step.index = kE12Last, ++step.decade;
    return step;
}

ResistorStep StepE24(ResistorStep step, int direction) {
    step.index += direction;
    if (step.index > kE24Last) step.index = 0, ++step.decade;
    if (step.index < 0) step.index = kE24Last, --step.decade;
    return step;
}

int PlainResistorCount(const StageCircuitRecord& r) {
    const CircuitDefinition* circuit = FindCircuit(r.CircuitNo);
    return circuit ? circuit->resistorCount : r.ResistorCount;
}

void RefreshCapacitorMarks(StageCircuitRecord& r) {
    for (int j = 1; j <= r.CapacitorCount; ++j) Cap(r, j).Marked = IsStandardCapacitor(Cap(r, j).Value).has_value();
}

}  // namespace

void MakeCapacitorsStandard(Design& design, int s) {
    StageCircuitRecord& r = design.Circuit(s);
    bool changed = false;
    for (int j = 1; j <= r.CapacitorCount; ++j) {
        ComponentEntry& e = Cap(r, j);
        e.PrevValue = e.Value;
        e.Delta = 0;
        if (IsStandardCapacitor(e.Value)) continue;
        if (const auto nearest = NearestStandardCapacitor(e.Value)) {
            e.Value = CapacitorFromStep(*nearest);
            e.Delta = e.Value - e.PrevValue;
            changed = true;
        }
    }
    if (!changed) return;
    r.CapsAdjusted = 1;
    for (ComponentEntry& e : r.Resistors) e.PrevValue = e.Value;
    if (!ResolveResistorsForCapacitors(r).Ok()) r.Invalid = 1;
}

namespace {

void StepAllCapacitors(Design& design, int s, int direction) {
    StageCircuitRecord& r = design.Circuit(s);
    if (r.CapsAdjusted) {
        for (int j = 1; j <= r.CapacitorCount; ++j) Cap(r, j).Value = Cap(r, j).PrevValue;
        r.CapsAdjusted = 0;
    }
    const CapacitorStep from{r.C1Index, r.C1Decade};
    const CapacitorStep to = StepE12(from, direction);
    const long double factor = CapacitorFromStep(to) / static_cast<long double>(Cap(r, 1).Value);
    for (int j = 1; j <= r.CapacitorCount; ++j) Cap(r, j).Value = Cap(r, j).Value * factor;
    // The gain pair's ratio alone sets the gain; it keeps its values.
    const int plain = PlainResistorCount(r);
    const int scaled = r.GainPair ? plain - 2 : plain;
    for (int i = 1; i <= scaled; ++i) Res(r, i).Value = Res(r, i).Value / factor;
    AddCompensationResistors(r);
    r.ScaleFactor = r.ScaleFactor * factor;
    r.C1Index = static_cast<std::int16_t>(to.index);
    r.C1Decade = to.decade;
    if (r.CapacitorCount >= 2)
        if (const auto c2 = IsStandardCapacitor(Cap(r, 2).Value)) {
            r.C2Index = static_cast<std::int16_t>(c2->index);
            r.C2Decade = c2->decade;
        }
    RefreshCapacitorMarks(r);
    if (design.Options.AllCapsStandard) MakeCapacitorsStandard(design, s);
}

void StepC2(Design& design, int s, int direction) {
    StageCircuitRecord& r = design.Circuit(s);
    const CapacitorStep to = StepE12({r.C2Index, r.C2Decade}, direction);
    r.C2Index = static_cast<std::int16_t>(to.index);
    r.C2Decade = to.decade;
    Cap(r, 2).Value = CapacitorFromStep(to);
    r.CapRatio = Cap(r, 2).Value / Cap(r, 1).Value;
    DesignAndAnalyse(design, s);
    RefreshCapacitorMarks(r);
}

void StepGainPair(Design& design, int s, int direction) {
    StageCircuitRecord& r = design.Circuit(s);
    const int n = PlainResistorCount(r);
    ComponentEntry &last = Res(r, n), &other = Res(r, n - 1);
    const ResistorStep to = StepE24({r.GainResIndex, r.GainResDecade}, direction);
    const long double value = ResistorFromStep(ResistorSeries::E24, to);
    other.Value = other.Value * (value / last.Value);
    last.Value = value;
    r.GainResIndex = static_cast<std::int16_t>(to.index);
    r.GainResDecade = static_cast<std::int16_t>(to.decade);
    r.GainResDefault = last.Value;
    r.GainRes2Default = other.Value;
    AddCompensationResistors(r);
}

}  // namespace

void SaveCapacitorSet(Design& design, int s) {
    const StageCircuitRecord& r = design.Circuit(s);
    CapacitorSet& set = design.Circuits.CapacitorSets[static_cast<size_t>(s)];
    set.C1Index = r.C1Index;
    set.C1Decade = r.C1Decade;
    set.C2Index = r.C2Index;
    set.C2Decade = r.C2Decade;
    set.CapRatio = r.CapRatio;
    for (int j = 1; j <= kMaxCapacitors; ++j) {
        const ComponentEntry& e = r.Capacitors[static_cast<size_t>(j - 1)];
        set.StandardValues[static_cast<size_t>(j - 1)] = e.Value;
        set.ExactValues[static_cast<size_t>(j - 1)] = r.CapsAdjusted ? e.PrevValue : e.Value;
    }
}

void RestoreCapacitorSet(Design& design, int s) {
    StageCircuitRecord& r = design.Circuit(s);
    const CapacitorSet& set = design.Circuits.CapacitorSets[static_cast<size_t>(s)];
    if (!(set.StandardValues[0] > 0)) return;
    r.C1Index = set.C1Index;
    r.C1Decade = set.C1Decade;
    r.C2Index = set.C2Index;
    r.C2Decade = set.C2Decade;
    r.CapRatio = set.CapRatio;
    for (int j = 1; j <= r.CapacitorCount; ++j) {
        ComponentEntry& e = r.Capacitors[static_cast<size_t>(j - 1)];
        e.Value = set.StandardValues[static_cast<size_t>(j - 1)];
        e.PrevValue = set.ExactValues[static_cast<size_t>(j - 1)];
    }
}

bool Offers(const StageCircuitRecord& record, CapacitorChoice choice) {
    switch (choice) {
        case CapacitorChoice::AllCapacitors: return record.CapacitorCount >= 1;
        case CapacitorChoice::C2Only: return record.C2Adjustable != 0;
        case CapacitorChoice::GainPair: return record.GainPair != 0;
    }
    return false;
}

void StepCapacitors(Design& design, int s, CapacitorChoice choice, int direction) {
    if (!Offers(design.Circuit(s), choice)) return;
    switch (choice) {
        case CapacitorChoice::AllCapacitors: StepAllCapacitors(design, s, direction); break;
        case CapacitorChoice::C2Only: StepC2(design, s, direction); break;
        case CapacitorChoice::GainPair: StepGainPair(design, s, direction); break;
    }
    SaveCapacitorSet(design, s);
}

void ResetStage(Design& design, int s) {
    StageCircuitRecord& r = design.Circuit(s);
    const bool compensated = r.Compensate != 0;
    r.GainResDefault = 0;
    r.GainRes2Default = 0;
    for (ComponentEntry& e : r.Resistors) e.UserFixed = 0;
    r.CapsAdjusted = 0;
    r.Compensate = 0;
    r.ScaleFactor = 1;
    design.Circuits.CapacitorSets[static_cast<size_t>(s)] = design.Circuits.CapacitorSetBackup[static_cast<size_t>(s)];
    const StageRecord& stage = design.Stage(s);
    InitCircuitRecord(design.Circuits, s,
                      IsFirstOrderStage(stage.StageType) ? static_cast<long double>(stage.Wc)
                                                         : static_cast<long double>(stage.Wp));
    RestoreCapacitorSet(design, s);
    DesignAndAnalyse(design, s);
    for (ComponentEntry& e : r.Resistors) e.PrevValue = e.Value;
    if (compensated) {
        r.Compensate = 1;
        DesignAndAnalyse(design, s);
    }
    RefreshCapacitorMarks(r);
    SaveCapacitorSet(design, s);
}

}  // namespace tavrel
