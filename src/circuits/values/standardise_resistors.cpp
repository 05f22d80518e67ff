#include "circuits/values/standardise_resistors.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <vector>

#include "circuits/values/standard_candidates.h"

namespace tavrel {

namespace {

// The resistor of one listed place: its entry, its computed value and its two candidates.
struct ListedResistor {
    ComponentEntry* entry = nullptr;
    long double lowerShare = 0;  // predicted deviation when it takes the lower candidate
    long double upperShare = 0;
    long double lower = 0, upper = 0;
};

// The search starts above any deviation a combination can have.
constexpr long double kNoCombinationYet = 1e30L;

}  // namespace

long double GainDeviationPerUnit(const ComponentEntry& component, const GainDeviationWeights& weights) {
    const auto& s = component.Sens;
    return s[SensSlot::PoleFrequency] * weights.poleFrequency + s[SensSlot::PoleQ] * weights.poleQ +
           s[SensSlot::ZeroFrequency] * weights.zeroFrequency + s[SensSlot::Gain] * kDbPerUnitGain;
}

void StandardiseResistors(StageCircuitRecord& record, const CircuitDefinition& circuit, ResistorSeries series,
                          RoundingStrategy strategy, const GainDeviationWeights& weights) {
    const int count = std::min<int>(record.ResistorCount, kMaxResistors);
    std::array<std::optional<ResistorCandidates>, kMaxResistors> candidates{};
    for (int i = 0; i < count; ++i) {
        ComponentEntry& r = record.Resistors[static_cast<size_t>(i)];
        if (r.UserFixed) continue;
        const long double exact = r.Value;
        candidates[static_cast<size_t>(i)] = StandardResistorCandidates(exact, series);
        if (!candidates[static_cast<size_t>(i)]) continue;
        r.ExactValue = exact;
        r.Marked = 1;
        r.Value = ResistorFromStep(series, *NearestStandardResistor(exact, series));
    }
    if (strategy != RoundingStrategy::BestCombination) return;

    // Resistors that are exact or fixed take the same value in every combination; leaving them
    // out of the count changes no choice.
    std::vector<ListedResistor> listed;
    for (const int number : circuit.listedResistors) {
        const size_t i = static_cast<size_t>(number - 1);
        if (number < 1 || number > count || !candidates[i] || candidates[i]->exact) continue;
        ComponentEntry& r = record.Resistors[i];
        const long double exact = r.ExactValue;
        const long double perUnit = GainDeviationPerUnit(r, weights);
        ListedResistor l;
        l.entry = &r;
        l.lower = ResistorFromStep(series, candidates[i]->lower);
        l.upper = ResistorFromStep(series, candidates[i]->upper);
        l.lowerShare = (l.lower - exact) / exact * perUnit;
        l.upperShare = (l.upper - exact) / exact * perUnit;
        listed.push_back(l);
    }
    long double best = kNoCombinationYet;
    unsigned bestCombination = 0;
    for (unsigned c = 0; c < (1u << listed.size()); ++c) {
        long double deviation = 0;
        for (size_t k = 0; k < listed.size(); ++k)
            deviation += (c >> k) & 1u ? listed[k].upperShare : listed[k].lowerShare;
        if (std::fabs(deviation) < best) {
            best = std::fabs(deviation);
            bestCombination = c;
        }
    }
    for (size_t k = 0; k < listed.size(); ++k)
        listed[k].entry->Value = (bestCombination >> k) & 1u ? listed[k].upper : listed[k].lower;
}

}  // namespace tavrel
