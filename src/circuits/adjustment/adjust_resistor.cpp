#include "circuits/adjustment/adjust_resistor.h"

#include <cctype>

#include "circuits/calculation/recalculate.h"
#include "circuits/values/inventory.h"
#include "circuits/values/standard_candidates.h"
#include "core/number_format.h"

namespace tavrel {

namespace {

constexpr long double kLowestResistance = 0.01L;

std::string Trimmed(std::string text) {
    const std::string bullet = kStockBullet;
    for (bool again = true; again;) {
        again = false;
        while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.pop_back(), again = true;
        if (text.size() >= bullet.size() && text.compare(text.size() - bullet.size(), bullet.size(), bullet) == 0)
            text.erase(text.size() - bullet.size()), again = true;
    }
    size_t start = 0;
    while (start < text.size() && std::isspace(static_cast<unsigned char>(text[start]))) ++start;
    return text.substr(start);
}

}  // namespace

std::optional<long double> ReadResistorEntry(const std::string& text) {
    std::string number = Trimmed(text);
    long double factor = 1;
    if (!number.empty()) {
        switch (number.back()) {
            case 'K': case 'k': factor = 1e3L; break;
            case 'M': factor = 1e6L; break;
            case 'G': case 'g': factor = 1e9L; break;
            default: break;
        }
        if (factor != 1) number.pop_back();
    }
    if (!IsPlainNumber(number)) return std::nullopt;
    return ReadReal(number) * factor;
}

long double ResistorInForce(const StageCircuitRecord& record, int resistor) {
    const ComponentEntry& e = record.Resistors[static_cast<size_t>(resistor - 1)];
    return e.UserFixed ? static_cast<long double>(e.UserValue) : static_cast<long double>(e.Value);
}

AdjustmentOutcome AdjustResistor(Design& design, int stage, int resistor, const std::string& text) {
    AdjustmentOutcome outcome;
    StageCircuitRecord& r = design.Circuit(stage);
    if (resistor < 1 || resistor > r.ResistorCount) return outcome;
    const std::optional<long double> value = ReadResistorEntry(text);
    if (!value || *value < kLowestResistance) {
        outcome.messages.emplace_back("Resistance value is unacceptably low");
        return outcome;
    }
    ComponentEntry& e = r.Resistors[static_cast<size_t>(resistor - 1)];
    if (FormatResistance(*value) == FormatResistance(e.Value)) {
        e.UserFixed = 0;
    } else {
        e.UserValue = *value;
        e.UserFixed = 1;
        e.Marked = IsStandardResistor(*value, SeriesForTolerance(design.Characteristics.RTolerance)).has_value();
        e.UserRatio = *value / e.Value;
    }
    r.ActualGain = RealizedGain(design, stage);
    outcome.applied = true;
    return outcome;
}

long double StepStandardResistor(long double ohms, ResistorSeries series, int direction) {
    const auto candidates = StandardResistorCandidates(ohms, series);
    if (!candidates) return ohms;
    ResistorStep step = direction > 0 ? candidates->upper : candidates->lower;
    if (candidates->exact) {
        const int last = static_cast<int>(SeriesEntries(series).size()) - 1;
        step.index += direction > 0 ? 1 : -1;
        if (step.index > last) step.index = 0, ++step.decade;
        if (step.index < 0) step.index = last, --step.decade;
    }
    return ResistorFromStep(series, step);
}

}  // namespace tavrel
