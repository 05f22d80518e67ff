#include "circuits/records/circuit_record_init.h"

#include <cmath>

#include "circuits/catalog/circuit_definition.h"
#include "circuits/values/e12_series.h"

namespace tavrel {

namespace {

constexpr long double kGainResistorDefault = 10000;
constexpr long double kUnsetComponent = 0.001L;

void ResetComponent(ComponentEntry& entry, bool capacitor) {
    entry.Value = kUnsetComponent;
    entry.PrevValue = 0;
    entry.ExactValue = 0;
    entry.Delta = 0;
    entry.UserFixed = 0;
    entry.Marked = capacitor ? 1 : 0;
}

// C2's list position follows the integer part of the ratio; other ratios are looked up.
CapacitorStep SecondCapacitorStep(long double ratio, const CapacitorStep& c1, long double c2) {
    switch (static_cast<long long>(std::trunc(ratio))) {
        case 0: return {0, 0};
        case 1: return c1;
        case 5: return {c1.index + 8, c1.decade};
        case 10: return {c1.index, c1.decade - 1};
        default: break;
    }
    return IsStandardCapacitor(c2).value_or(CapacitorStep{-1, 0});
}

}  // namespace

void ResetCircuitTable(CircuitTable& table) {
    for (int s = 1; s <= kMaxStages; ++s) {
        StageCircuitRecord& r = table.Record[static_cast<size_t>(s)];
        for (ComponentEntry& e : r.Resistors) ResetComponent(e, false);
        for (ComponentEntry& e : r.Capacitors) ResetComponent(e, true);
        r.Invalid = 0;
        r.CapsAdjusted = 0;
        r.C2Variable = 0;
        r.CompResistors = 0;
        r.Compensate = 0;
        r.UserGainSet = 0;
        r.EqualApplied = 0;
        r.UserGain = 0;
        r.InputAttenuation = 0;
        r.GainResDefault = 0;
        r.GainRes2Default = 0;
        table.SavedC2Variable[static_cast<size_t>(s)] = 0;
        table.SavedEqual[static_cast<size_t>(s)] = 0;
        table.CapacitorSets[static_cast<size_t>(s)] = {};
        table.CapacitorSetBackup[static_cast<size_t>(s)] = {};
        table.Merits[static_cast<size_t>(s)] = {};
    }
    table.AllResistorsStandard = false;
}

void InitCircuitRecord(CircuitTable& table, int stage, long double wp) {
    if (stage < 1 || stage > kMaxStages) return;
    const size_t s = static_cast<size_t>(stage);
    StageCircuitRecord& r = table.Record[s];
    const CircuitDefinition* circuit = FindCircuit(r.CircuitNo);
    if (circuit == nullptr) return;

    const CalcDescriptor& d = circuit->calc;
    r.C2Adjustable = d.c2Adjustable;
    r.CapRatio = d.capRatio;
    r.ResistorCount = static_cast<std::int16_t>(d.resistorCount);
    r.CapacitorCount = static_cast<std::int16_t>(d.capacitorCount);
    r.GainPair = d.gainPair;
    r.C2VariableOption = d.c2VariableOption;
    r.GainForced = d.gainForced;
    r.OpAmpCount = static_cast<std::int16_t>(d.opAmpCount);
    r.TwinT = d.twinT;
    r.Inverting = circuit->inverting;
    r.HasCompVariant = d.hasCompVariant;
    r.CompVariant = static_cast<std::int16_t>(d.compVariant);
    r.C2Variable = table.SavedC2Variable[s];
    table.EqualOption[s] = d.c2VariableOption && d.gainPair && d.resistorCount == 4;

    if (r.NewlySelected) r.ScaleFactor = 1;

    if (r.GainPair) {
        r.GainResIndex = 0;
        r.GainResDecade = 3;
        if (r.GainResDefault < 1 || r.NewlySelected) {
            r.GainResDefault = kGainResistorDefault;
            r.Resistors[static_cast<size_t>(r.ResistorCount - 1)].Value = kGainResistorDefault;
        }
    }

    const CapacitorStep c1{0, wp > 31000 ? 11 : 10};
    r.C1Index = r.C1Index0 = static_cast<std::int16_t>(c1.index);
    r.C1Decade = c1.decade;
    r.C2Index = r.C2Index0 = 0;
    const long double c1Value = CapacitorFromStep(c1);
    long double c2Value = c1Value * r.CapRatio;
    const CapacitorStep c2 = SecondCapacitorStep(r.CapRatio, c1, c2Value);
    // A ratio that is not an E12 step (2 for the twin-T lowpass notch) keeps C2 = ratio x C1.
    if (c2.index >= 0) {
        r.C2Index = static_cast<std::int16_t>(c2.index);
        r.C2Decade = c2.decade;
        if (r.CapRatio != 0) c2Value = CapacitorFromStep(c2);
    }
    r.Capacitors[0].Value = c1Value;
    r.Capacitors[1].Value = c2Value;
    r.CapRatio = c2Value / c1Value;

    SavedOpAmp& saved = table.SavedOpAmps[s];
    if (r.NewlySelected) {
        saved = {r.OpAmpGBW, r.OpAmpGBWTol, r.OpAmpGBWTC, r.OpAmpNoise};
    } else {
        r.OpAmpGBW = saved.GBW;
        r.OpAmpGBWTol = saved.GBWTol;
        r.OpAmpGBWTC = saved.GBWTC;
        r.OpAmpNoise = saved.Noise;
    }
}

}  // namespace tavrel
