#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "circuits/records/design.h"
#include "io/atomic_file.h"
#include "io/profile_text.h"
#include "stages/cascade_criteria.h"

namespace tavrel {

// The options that outlive a design, as the settings file TVR30.INI keeps them.
struct Settings {
    int MainLeft = 110;  // main window position at exit; kept across runs
    int MainTop = 10;
    int MainWidth = 0, MainHeight = 0;  // its size; 0 until a run has kept one
    bool MainMaximized = false;
    int ZoomX = 4, ZoomY = 4;    // graph zoom, kept across runs
    int VZoomX = 4, VZoomY = 4;  // final-response graph zoom
    bool AutoPairing = true;
    bool AutoCascading = true;
    CascadeCriteria Criteria = DefaultCascadeCriteria();
    bool HzUnits = true;
    ComponentCharacteristics Characteristics;
    ComponentOptions Options;
    std::vector<std::string> RecentFiles;  // most recent first, as the file lists them
};

inline constexpr const char* kSettingsFileName = "TVR30.INI";
inline constexpr int kRecentFileKeys = 4;

// Every key in the order of the file: a missing key takes its default, and a value its rule
// does not accept is replaced (Automatic only as written, "TRUE" only for UseQ, Usecap and
// Useres, anything but "FALSE" for AllCapsStnd, tolerances outside their limits and zero
// coefficients by the defaults, cascade preferences that are not 8 characters of blanks and
// digits 0..4 by the default string). Numbers that cannot be read count as 0.
Settings ReadSettings(const ProfileText& text);

// Writes every key in the same order into the text, keeping whatever else it holds; recent
// files are written for the entries there are, the other File keys stay as they were. Numbers
// are written with the digits they need, so that a tolerance of 0.25 % is read back as 0.25.
void WriteSettings(const Settings& settings, ProfileText& text);

// The settings that live in the design, put there at start and taken back at exit.
void ApplySettings(const Settings& settings, Design& design);
void TakeSettings(const Design& design, Settings& settings);

// The file's text, or why it cannot be read (nothing read: the program runs on the defaults
// and leaves the file alone). A file that is not there reads as empty.
struct SettingsFileText {
    ProfileText text;
    std::optional<std::string> problem;
};
SettingsFileText ReadSettingsFile(const std::filesystem::path& file);
std::optional<FileWriteError> WriteSettingsFile(const std::filesystem::path& file, const ProfileText& text);

}  // namespace tavrel
