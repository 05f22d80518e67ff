#include "stages/cascade_criteria.h"

#include "stages/stage_record.h"

namespace tavrel {

namespace {

struct PreferenceRow {
    const char* caption;
    std::uint8_t type;
};

constexpr std::array<PreferenceRow, 4> kFirstStage{{
    {"1st order lowpass", StageCode::FLP},
    {"2nd order lowpass", StageCode::SLP},
    {"lowpass notch", StageCode::SLPN},
    {"bandpass", StageCode::SBP},
}};

constexpr std::array<PreferenceRow, 4> kLastStage{{
    {"1st order highpass", StageCode::FHP},
    {"2nd order highpass", StageCode::SHP},
    {"highpass notch", StageCode::SHPN},
    {"bandpass", StageCode::SBP},
}};

int PreferencesOn(const StagePreferences& prefs) {
    int on = 0;
    for (const StagePreference& pref : prefs) on += pref.On ? 1 : 0;
    return on;
}

bool PrioritiesUnique(const StagePreferences& prefs) {
    for (size_t i = 0; i < prefs.size(); ++i)
        for (size_t j = i + 1; j < prefs.size(); ++j)
            if (prefs[i].On && prefs[j].On && prefs[i].Priority == prefs[j].Priority) return false;
    return true;
}

}  // namespace

std::uint8_t FirstStagePrefType(int index) { return kFirstStage[static_cast<size_t>(index)].type; }
std::uint8_t LastStagePrefType(int index) { return kLastStage[static_cast<size_t>(index)].type; }
const char* FirstStagePrefCaption(int index) { return kFirstStage[static_cast<size_t>(index)].caption; }
const char* LastStagePrefCaption(int index) { return kLastStage[static_cast<size_t>(index)].caption; }

CascadeCriteria DefaultCascadeCriteria() {
    CascadeCriteria criteria;
    criteria.FirstStagePrefs = PreferencesFromText(kDefaultFirstStage, kDefaultFirstStage);
    criteria.LastStagePrefs = PreferencesFromText(kDefaultLastStage, kDefaultLastStage);
    return criteria;
}

std::string PreferencesText(const StagePreferences& prefs) {
    std::string text;
    for (const StagePreference& pref : prefs) {
        text += pref.On ? '1' : '0';
        text += std::to_string(pref.Priority);
    }
    return text;
}

bool IsValidPreferencesText(const std::string& text) {
    if (text.size() != 8) return false;
    for (char c : text)
        if (c != ' ' && (c < '0' || c > '4')) return false;
    return true;
}

StagePreferences PreferencesFromText(const std::string& text, const std::string& fallback) {
    const std::string& source = IsValidPreferencesText(text) ? text : fallback;
    StagePreferences prefs{};
    for (size_t j = 0; j < prefs.size() && 2 * j + 1 < source.size(); ++j) {
        prefs[j].On = source[2 * j] == '1' ? 1 : 0;
        const char digit = source[2 * j + 1];
        prefs[j].Priority = static_cast<std::int16_t>(digit >= '0' && digit <= '9' ? digit - '0' : 0);
    }
    return prefs;
}

bool UseQFromText(const std::string& text) { return text == "TRUE"; }
std::string UseQText(bool useQ) { return useQ ? "TRUE" : "FALSE"; }

void TogglePreference(StagePreferences& prefs, int index) {
    StagePreference& pref = prefs[static_cast<size_t>(index)];
    if (!pref.On) {
        pref.On = 1;
        pref.Priority = static_cast<std::int16_t>(PreferencesOn(prefs));
        return;
    }
    const std::int16_t freed = pref.Priority;
    pref.On = 0;
    pref.Priority = 0;
    for (StagePreference& other : prefs)
        if (other.On && other.Priority > freed) --other.Priority;
}

void AdvancePriority(StagePreferences& prefs, int index) {
    StagePreference& pref = prefs[static_cast<size_t>(index)];
    if (!pref.On) return;
    const int on = PreferencesOn(prefs);
    pref.Priority = static_cast<std::int16_t>(pref.Priority >= on ? 1 : pref.Priority + 1);
}

std::optional<std::string> CheckCriteria(const CascadeCriteria& criteria) {
    if (!PrioritiesUnique(criteria.FirstStagePrefs)) return std::string("First stage priorities must be unique.");
    if (!PrioritiesUnique(criteria.LastStagePrefs)) return std::string("Last stage priorities must be unique.");
    return std::nullopt;
}

}  // namespace tavrel
