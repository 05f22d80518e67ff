#include "circuits/calculation/calculation_messages.h"

#include "circuits/equations/input_attenuation_note.h"
#include "circuits/values/e12_series.h"
#include "circuits/values/resistor_series.h"

namespace tavrel {

namespace {

// "Stages 2, 3 do not " or "Stage 1 does not ", then the rest.
std::string StagesSentence(const std::vector<int>& stages, const std::string& rest) {
    std::string text = stages.size() > 1 ? "Stages " : "Stage ";
    for (size_t k = 0; k < stages.size(); ++k) text += (k ? ", " : "") + std::to_string(stages[k]);
    return text + (stages.size() > 1 ? " do not " : " does not ") + rest;
}

bool CapacitorsExactOrStandard(const StageCircuitRecord& r) {
    for (int j = 1; j <= r.CapacitorCount; ++j) {
        const ComponentEntry& e = r.Capacitors[static_cast<size_t>(j - 1)];
        const bool exact = !r.CapsAdjusted || e.Value == e.PrevValue;
        if (!exact && !IsStandardCapacitor(e.Value)) return false;
    }
    return true;
}

bool ResistorsStandard(const StageCircuitRecord& r, ResistorSeries series) {
    for (int i = 1; i <= r.ResistorCount; ++i) {
        const ComponentEntry& e = r.Resistors[static_cast<size_t>(i - 1)];
        const long double value = e.UserFixed ? static_cast<long double>(e.UserValue) : static_cast<long double>(e.Value);
        if (!IsStandardResistor(value, series)) return false;
    }
    return true;
}

}  // namespace

InvalidStageText InvalidStageTextOf(int stage) {
    return {"Tavrel has been unable to actualize this circuit.",
            "Please select another circuit topology for Stage " + std::to_string(stage), "in the previous ",
            "Select Filter Circuits ", "window."};
}

std::optional<std::string> AttenuationInfo(const StageCircuitRecord& record) {
    if (record.InputAttenuation == 0) return std::nullopt;
    return InputAttenuationNote(record);
}

std::vector<std::string> LeavingMessages(const Design& design) {
    std::vector<int> capacitors, resistors;
    const ResistorSeries series = SeriesForTolerance(design.Characteristics.RTolerance);
    for (int s = 1; s <= design.State.StageCount; ++s) {
        const StageCircuitRecord& r = design.Circuit(s);
        if (!CapacitorsExactOrStandard(r)) capacitors.push_back(s);
        if (design.Circuits.AllResistorsStandard && !ResistorsStandard(r, series)) resistors.push_back(s);
    }
    std::vector<std::string> messages;
    if (!capacitors.empty())
        messages.push_back(StagesSentence(capacitors, "have all capacitors set to exact values or standard values"));
    if (!resistors.empty()) messages.push_back(StagesSentence(resistors, "have standard resistor values."));
    return messages;
}

}  // namespace tavrel
