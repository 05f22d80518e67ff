#include "circuits/calculation/recalculate.h"

#include <utility>

#include <array>

#include "circuits/calculation/capacitor_settings.h"
#include "circuits/calculation/gain_sensitivities.h"
#include "circuits/calculation/stage_gains.h"
#include "circuits/catalog/circuit_catalog.h"
#include "circuits/catalog/circuit_definition.h"
#include "circuits/equations/design_merits.h"
#include "circuits/equations/design_stage.h"
#include "circuits/equations/sensitivity.h"
#include "circuits/network/stage_function.h"
#include "circuits/records/circuit_record_init.h"
#include "circuits/values/standard_candidates.h"
#include "circuits/values/standardise_resistors.h"

namespace tavrel {

namespace {

// The frequency that picks a new circuit's capacitor decade: the pole frequency, or the corner
// frequency of a first-order stage.
long double StartFrequency(const StageRecord& stage) {
    return IsFirstOrderStage(stage.StageType) ? static_cast<long double>(stage.Wc) : static_cast<long double>(stage.Wp);
}

// The record of stage s made ready for its design: its circuit's descriptor and start values,
// with restore the capacitor choice kept for the stage.
void PrepareStage(Design& design, int s, bool restore) {
    StageCircuitRecord& r = design.Circuit(s);
    r.CircuitNo = static_cast<std::int16_t>(CircuitNumber(design.Stage(s).StageType, r.CircuitIndex));
    InitCircuitRecord(design.Circuits, s, StartFrequency(design.Stage(s)));
    if (restore) RestoreCapacitorSet(design, s);
    r.InputAttenuation = 0;
}

// Step 6: the values the design gave become the reference of later adjustments; the gain-pair
// choices return.
void RestoreChoices(Design& design, int s) {
    StageCircuitRecord& r = design.Circuit(s);
    const ResistorSeries series = SeriesForTolerance(design.Characteristics.RTolerance);
    for (int i = 1; i <= r.ResistorCount; ++i) {
        ComponentEntry& e = r.Resistors[static_cast<size_t>(i - 1)];
        e.PrevValue = e.Value;
        e.Delta = 0;
        e.Marked = IsStandardResistor(e.Value, series).has_value();
    }
    for (int j = 1; j <= r.CapacitorCount; ++j) {
        ComponentEntry& e = r.Capacitors[static_cast<size_t>(j - 1)];
        e.Marked = IsStandardCapacitor(e.Value).has_value();
    }
    // Only a pair the user stepped is put back, both resistors together: the last one alone at
    // its default would change the ratio, and with it the gain (and the Q of a circuit whose Q
    // rests on its gain), of a pair the design had moved below its limit.
    if (!r.GainPair || !(r.GainResDefault > 0.1L && r.GainRes2Default > 0.1L)) return;
    const int n = FindCircuit(r.CircuitNo)->resistorCount;
    for (const auto& [index, value] : {std::pair{n - 1, r.GainResDefault}, std::pair{n - 2, r.GainRes2Default}}) {
        r.Resistors[static_cast<size_t>(index)].Value = value;
        r.Resistors[static_cast<size_t>(index)].PrevValue = value;
    }
}

// Step 8: standard resistors (or the computed ones), their marks, the sensitivity sums.
void SettleResistors(Design& design, int s, bool restore) {
    StageCircuitRecord& r = design.Circuit(s);
    const CircuitDefinition* circuit = FindCircuit(r.CircuitNo);
    const ResistorSeries series = SeriesForTolerance(design.Characteristics.RTolerance);
    if (!r.CapsAdjusted)
        for (ComponentEntry& e : r.Resistors) e.PrevValue = e.Value;
    for (int i = 1; i <= r.ResistorCount; ++i) {
        ComponentEntry& e = r.Resistors[static_cast<size_t>(i - 1)];
        if (e.UserFixed) {
            e.Marked = IsStandardResistor(e.UserValue, series).has_value();
            if (restore && e.Value != 0) e.UserRatio = static_cast<long double>(e.UserValue) / e.Value;
            continue;
        }
        e.ExactValue = design.Circuits.AllResistorsStandard ? static_cast<long double>(e.Value) : 0.0L;
        e.Marked = design.Circuits.AllResistorsStandard ? 1 : 0;
    }
    if (design.Circuits.AllResistorsStandard && circuit != nullptr && !r.Invalid)
        StandardiseResistors(r, *circuit, series, design.Options.Strategy, DeviationWeights(design, s));
    for (int j = 1; j <= r.CapacitorCount; ++j) {
        ComponentEntry& e = r.Capacitors[static_cast<size_t>(j - 1)];
        e.Marked = IsStandardCapacitor(e.Value).has_value();
    }
    SensitivitySums(r, design.Stage(s).StageType);
}

// Step 10: the merit entry of the chosen circuit.
void UpdateMeritEntry(Design& design, int s) {
    const StageCircuitRecord& r = design.Circuit(s);
    if (r.CircuitIndex < 1 || r.CircuitIndex > kMaxCandidates) return;
    MeritEntry& m = design.Circuits.Merits[static_cast<size_t>(s)].Candidates[static_cast<size_t>(r.CircuitIndex - 1)];
    const DesignMerits merits = MeritsOf(r);
    m.ResistorCount = r.ResistorCount;
    m.CapacitorCount = r.CapacitorCount;
    m.OpAmpCount = r.OpAmpCount;
    m.ActualGain = r.ActualGain;
    m.DesiredGain = r.DesiredGain;
    m.MinGBW = r.MinGBW;
    m.Inverting = r.Inverting;
    m.Invalid = r.Invalid;
    m.GainForced = r.GainForced;
    m.RSpread = merits.RSpread;
    m.CSpread = merits.CSpread;
}

}  // namespace

long double RealizedGain(const Design& design, int s) {
    const StageCircuitRecord& r = design.Circuit(s);
    const CircuitDefinition* circuit = FindCircuit(r.CircuitNo);
    if (circuit == nullptr) return 0;
    return StageFunctionOf(*circuit, ValuesInForce(r)).k;
}

long double DesignAndAnalyse(Design& design, int s) {
    StageCircuitRecord& r = design.Circuit(s);
    r.Invalid = 0;
    r.InputAttenuation = 0;
    DesignStage(design.Stage(s), r);
    const long double designed = r.ActualGain;
    if (!r.Invalid) r.ActualGain = RealizedGain(design, s);
    return designed;
}

void RecalculateAll(Design& design, bool restore) {
    const int n = design.State.StageCount;
    SetOptimalGains(design);
    std::array<long double, kMaxStages + 1> remembered{};
    for (int s = 1; s <= n; ++s) {
        SetReferenceFrequencies(design, s);
        PrepareStage(design, s, restore);
        remembered[static_cast<size_t>(s)] = DesignAndAnalyse(design, s);
    }
    CompensateForcedGains(design, remembered, [&](int s) { return DesignAndAnalyse(design, s); });
    RankGainLevels(design);
    for (int s = 1; s <= n; ++s) {
        if (restore) RestoreChoices(design, s);
        if (design.Options.AllCapsStandard) MakeCapacitorsStandard(design, s);
        SettleResistors(design, s, restore);
        if (!design.Circuit(s).Invalid) design.Circuit(s).ActualGain = RealizedGain(design, s);
        UpdateMeritEntry(design, s);
    }
    for (int s = 1; s <= n; ++s) {
        StageCircuitRecord& r = design.Circuit(s);
        SaveCapacitorSet(design, s);
        if (r.NewlySelected) design.Circuits.CapacitorSetBackup[static_cast<size_t>(s)] =
            design.Circuits.CapacitorSets[static_cast<size_t>(s)];
        r.NewlySelected = 0;
    }
}

}  // namespace tavrel
