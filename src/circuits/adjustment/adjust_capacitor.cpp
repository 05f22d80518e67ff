#include "circuits/adjustment/adjust_capacitor.h"

#include <cmath>
#include <cstdio>

#include "circuits/adjustment/resistor_resolve.h"
#include "circuits/calculation/capacitor_settings.h"
#include "circuits/calculation/recalculate.h"
#include "circuits/catalog/circuit_definition.h"
#include "circuits/values/e12_series.h"
#include "circuits/values/standard_candidates.h"
#include "core/number_format.h"

namespace tavrel {

namespace {

constexpr long double kAdjustmentRange = 1.12L;
// The dialog shows the bounds with seven digits; a value typed as shown is inside.
constexpr long double kShownBound = 1e-7L;

ComponentEntry& Cap(StageCircuitRecord& r, int j) { return r.Capacitors[static_cast<size_t>(j - 1)]; }

// The reference value of a capacitor: its value before the stage's first adjustment.
long double Reference(const StageCircuitRecord& r, int j) {
    const ComponentEntry& e = r.Capacitors[static_cast<size_t>(j - 1)];
    return r.CapsAdjusted ? static_cast<long double>(e.PrevValue) : static_cast<long double>(e.Value);
}

std::string RatioMessage(const StageCircuitRecord& r, int capacitor, long double minimumRatio) {
    std::string text =
        "This circuit is additionally constrained. At this point in the design, a minimum ratio of C2/C1 must be "
        "maintained. Therefore, ";
    const long double c1 = r.Capacitors[0].Value, c2 = r.Capacitors[1].Value;
    if (capacitor == 1) return text + "C1 cannot exceed " + FormatCapacitance(c2 / minimumRatio, false) + ".";
    return text + "C2 must be at least " + FormatCapacitance(minimumRatio * c1, false) + ".";
}

std::string FailureMessage(ResolveFailure failure) {
    switch (failure) {
        case ResolveFailure::Singular: return "Singular matrix";
        case ResolveFailure::InvalidSolution: return "Invalid solution for these capacitor values";
        default: return "Component calculations fail for these capacitor values.";
    }
}

bool AnyNotPositive(const StageCircuitRecord& r) {
    for (int i = 1; i <= r.ResistorCount; ++i)
        if (!(r.Resistors[static_cast<size_t>(i - 1)].Value > 0)) return true;
    for (int j = 1; j <= r.CapacitorCount; ++j)
        if (!(r.Capacitors[static_cast<size_t>(j - 1)].Value > 0)) return true;
    return false;
}

}  // namespace

CapacitorAdjustment CapacitorAdjustmentOf(const StageCircuitRecord& record, int capacitor) {
    CapacitorAdjustment a;
    a.reference = Reference(record, capacitor);
    a.min = a.reference / kAdjustmentRange;
    a.max = a.reference * kAdjustmentRange;
    if (const auto step = NearestStandardCapacitor(a.reference)) a.standard = CapacitorFromStep(*step);
    return a;
}

std::optional<std::string> CapacitorAdjustmentRefusal(const StageCircuitRecord& record, int capacitor) {
    const CircuitDefinition* circuit = FindCircuit(record.CircuitNo);
    if (circuit != nullptr && circuit->adjust.keepCapRatio && (capacitor == 1 || capacitor == 2))
        return "This circuit is not amenable to the independent adjustment of capacitor values.";
    return std::nullopt;
}

std::optional<std::string> GainChangeMessage(long double before, long double after) {
    if (!(before != 0)) return std::nullopt;
    const long double percent = std::fabs(after - before) * 100 / std::fabs(before);
    char number[32];
    std::snprintf(number, sizeof number, "%.1Lf", percent);
    if (std::string(number) == "0.0") return std::nullopt;
    return std::string("Stage gain has ") + (after > before ? "increased by " : "decreased by ") + number +
           "% from its origional value.";
}

AdjustmentOutcome AdjustCapacitor(Design& design, int stage, int capacitor, std::optional<long double> value,
                                  bool silent) {
    AdjustmentOutcome outcome;
    StageCircuitRecord& r = design.Circuit(stage);
    if (capacitor < 1 || capacitor > r.CapacitorCount) return outcome;
    if (!silent) {
        if (auto refusal = CapacitorAdjustmentRefusal(r, capacitor)) {
            outcome.messages.push_back(*refusal);
            return outcome;
        }
        if (!value) {
            outcome.messages.emplace_back("Value not entered!");
            return outcome;
        }
        const CapacitorAdjustment range = CapacitorAdjustmentOf(r, capacitor);
        if (*value < range.min * (1 - kShownBound) || *value > range.max * (1 + kShownBound)) {
            outcome.messages.emplace_back("Value does not fall within required range!");
            return outcome;
        }
    }
    if (!value) return outcome;
    // Nothing of a refused change stays: the whole record is kept as it was.
    const StageCircuitRecord before = r;
    if (!r.CapsAdjusted) {
        for (ComponentEntry& e : r.Resistors) e.PrevValue = e.Value, e.Delta = 0;
        for (ComponentEntry& e : r.Capacitors) e.PrevValue = e.Value, e.Delta = 0;
        r.GainBeforeAdjust = r.ActualGain;
    }
    ComponentEntry& c = Cap(r, capacitor);
    c.Value = *value;
    c.Delta = c.Value - c.PrevValue;
    c.Marked = IsStandardCapacitor(c.Value).has_value();
    r.CapsAdjusted = 1;
    const ResolveOutcome resolved = ResolveResistorsForCapacitors(r);
    if (!resolved.Ok() || AnyNotPositive(r)) {
        const std::string message = resolved.failure == ResolveFailure::RatioTooSmall
                                        ? RatioMessage(r, capacitor, resolved.minimumRatio)
                                        : FailureMessage(resolved.failure);
        r = before;
        if (!silent) outcome.messages.push_back(message);
        return outcome;
    }
    r.ActualGain = RealizedGain(design, stage);
    outcome.applied = true;
    SaveCapacitorSet(design, stage);
    if (!silent)
        if (auto change = GainChangeMessage(r.GainBeforeAdjust, r.ActualGain)) outcome.messages.push_back(*change);
    return outcome;
}

}  // namespace tavrel
