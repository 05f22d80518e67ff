#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace tavrel {

// One preference of the first- or last-stage panel.
struct StagePreference {
    std::uint8_t On = 0;
    std::int16_t Priority = 0;  // 1..4 while on
};

using StagePreferences = std::array<StagePreference, 4>;

struct CascadeCriteria {
    // "1st order lowpass", "2nd order lowpass", "lowpass notch", "bandpass"
    StagePreferences FirstStagePrefs{};
    // "1st order highpass", "2nd order highpass", "highpass notch", "bandpass"
    StagePreferences LastStagePrefs{};
    bool UseQ = false;  // true: increasing Qp, false: maximum flatness
};

// The stage type each preference of a panel looks for, and its caption.
std::uint8_t FirstStagePrefType(int index);
std::uint8_t LastStagePrefType(int index);
const char* FirstStagePrefCaption(int index);
const char* LastStagePrefCaption(int index);

inline constexpr const char* kDefaultFirstStage = "11121314";
inline constexpr const char* kDefaultLastStage = "01010101";

CascadeCriteria DefaultCascadeCriteria();

// The settings text of a panel: per preference its flag ("1" on) and its priority digit.
std::string PreferencesText(const StagePreferences& prefs);
// Reads a settings value; a value that is not 8 characters of blanks and digits 0..4
// gives the panel of fallback instead.
StagePreferences PreferencesFromText(const std::string& text, const std::string& fallback);
bool IsValidPreferencesText(const std::string& text);
// "TRUE" only.
bool UseQFromText(const std::string& text);
std::string UseQText(bool useQ);

// The criteria dialog. A check box click turns preference index on (it gets the next
// priority) or off (the higher priorities move down by one).
void TogglePreference(StagePreferences& prefs, int index);
// A click on the priority of a preference that is on: advance by one, wrapping to 1.
void AdvancePriority(StagePreferences& prefs, int index);
// OK: the message that keeps the dialog open, or nullopt when the criteria may be kept.
std::optional<std::string> CheckCriteria(const CascadeCriteria& criteria);

}  // namespace tavrel
