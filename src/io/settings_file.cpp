#include "io/settings_file.h"

#include <array>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <fstream>
#include <iterator>

#include "core/arithmetic_failure.h"
#include "core/number_format.h"
#include "core/real48.h"

namespace tavrel {

namespace {

// A file larger than this is no settings file; it is left alone.
constexpr std::uintmax_t kLargestSettingsFile = 16u << 20;

// A number as the settings read it: a plain decimal conversion; text that is not a number,
// or a number the stored format cannot hold, counts as 0.
long double Number(const std::string& text) {
    try {
        return Real48::Round(ReadReal(text));
    } catch (const ArithmeticFailure&) {
        return 0;
    }
}

std::optional<int> Integer(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
    return value;
}

long double WithinOr(long double x, long double low, long double high, long double replacement) {
    return x < low || x > high ? replacement : x;
}
long double NonZeroOr(long double x, long double replacement) { return x == 0 ? replacement : x; }

// Written with as many decimals as the value has (up to four): "1", "0.25", "30".
std::string Decimal(long double x) { return TrimZeros(Fixed(x, 2, 4)); }

// Scientific with as many mantissa digits as the value has: "1E-4", "1.2E+1", "2.5E-5".
std::string Scientific(long double x) {
    std::string text = TrimLeading(Sci(x, 3, 6));
    const size_t e = text.find('E');
    std::string mantissa = TrimZeros(text.substr(0, e));
    return mantissa + text.substr(e);
}

std::string Flag(bool on) { return on ? "TRUE" : "FALSE"; }
std::string Mode(bool automatic) { return automatic ? "Automatic" : "Manual"; }

// One key of the file: where it is, the value a missing key stands for, how the value is
// read into the settings and how it is written from them.
struct SettingKey {
    const char* section;
    const char* key;
    const char* missing;
    void (*read)(Settings&, const std::string&);
    std::string (*write)(const Settings&);
};

using S = Settings;
using V = const std::string&;

void ReadMainPosition(S& s, V v) {
    const size_t comma = v.find(',');
    const auto left = Integer(v.substr(0, comma));
    const auto top = comma == std::string::npos ? std::nullopt : Integer(v.substr(comma + 1));
    if (left && top) s.MainLeft = *left, s.MainTop = *top;
}

// "width,height"; a size that is not two positive numbers stays unknown.
void ReadMainSize(S& s, V v) {
    const size_t comma = v.find(',');
    const auto width = Integer(v.substr(0, comma));
    const auto height = comma == std::string::npos ? std::nullopt : Integer(v.substr(comma + 1));
    if (width && height && *width > 0 && *height > 0) s.MainWidth = *width, s.MainHeight = *height;
}

template <int S::*zoom>
void ReadZoom(S& s, V v) {
    if (const auto z = Integer(v)) s.*zoom = *z;
}
template <int S::*zoom>
std::string WriteZoom(const S& s) {
    return std::to_string(s.*zoom);
}

template <Real48 ComponentCharacteristics::*field>
std::string WriteDecimal(const S& s) {
    return Decimal(s.Characteristics.*field);
}
template <Real48 ComponentCharacteristics::*field>
std::string WriteScientific(const S& s) {
    return Scientific(s.Characteristics.*field);
}

// The keys in the order of the file.
const std::array<SettingKey, 24> kKeys{{
    {"General", "Mainposn", "110,10", ReadMainPosition,
     [](const S& s) { return std::to_string(s.MainLeft) + "," + std::to_string(s.MainTop); }},
    {"General", "Mainsize", "0,0", ReadMainSize,
     [](const S& s) { return std::to_string(s.MainWidth) + "," + std::to_string(s.MainHeight); }},
    {"General", "Maximized", "FALSE", [](S& s, V v) { s.MainMaximized = v == "TRUE"; },
     [](const S& s) { return Flag(s.MainMaximized); }},
    {"General", "ZoomX", "4", ReadZoom<&S::ZoomX>, WriteZoom<&S::ZoomX>},
    {"General", "ZoomY", "4", ReadZoom<&S::ZoomY>, WriteZoom<&S::ZoomY>},
    {"General", "VZoomX", "4", ReadZoom<&S::VZoomX>, WriteZoom<&S::VZoomX>},
    {"General", "VZoomY", "4", ReadZoom<&S::VZoomY>, WriteZoom<&S::VZoomY>},
    {"Settings", "Pole-Zero pairing", "Automatic", [](S& s, V v) { s.AutoPairing = v == "Automatic"; },
     [](const S& s) { return Mode(s.AutoPairing); }},
    {"Settings", "Stage cascading", "Automatic", [](S& s, V v) { s.AutoCascading = v == "Automatic"; },
     [](const S& s) { return Mode(s.AutoCascading); }},
    {"Cascade Criteria", "First stage", kDefaultFirstStage,
     [](S& s, V v) { s.Criteria.FirstStagePrefs = PreferencesFromText(v, kDefaultFirstStage); },
     [](const S& s) { return PreferencesText(s.Criteria.FirstStagePrefs); }},
    {"Cascade Criteria", "Last stage", kDefaultLastStage,
     [](S& s, V v) { s.Criteria.LastStagePrefs = PreferencesFromText(v, kDefaultLastStage); },
     [](const S& s) { return PreferencesText(s.Criteria.LastStagePrefs); }},
    {"Cascade Criteria", "UseQ", "FALSE", [](S& s, V v) { s.Criteria.UseQ = UseQFromText(v); },
     [](const S& s) { return UseQText(s.Criteria.UseQ); }},
    {"Component inventory", "Usecap", "FALSE", [](S& s, V v) { s.Options.UseCapInventory = v == "TRUE"; },
     [](const S& s) { return Flag(s.Options.UseCapInventory); }},
    {"Component inventory", "Useres", "FALSE", [](S& s, V v) { s.Options.UseResInventory = v == "TRUE"; },
     [](const S& s) { return Flag(s.Options.UseResInventory); }},
    {"Settings", "Frequency units", "hertz", [](S& s, V v) { s.HzUnits = v == "hertz"; },
     [](const S& s) { return std::string(s.HzUnits ? "hertz" : "rad/s"); }},
    {"Component Characteristics", "RTolerance", "1",
     [](S& s, V v) { s.Characteristics.RTolerance = WithinOr(Number(v), 0.1L, 20, 1); },
     WriteDecimal<&ComponentCharacteristics::RTolerance>},
    {"Component Characteristics", "CTolerance", "1",
     [](S& s, V v) { s.Characteristics.CTolerance = WithinOr(Number(v), 0.1L, 20, 1); },
     WriteDecimal<&ComponentCharacteristics::CTolerance>},
    {"Component Characteristics", "AllCapsStnd", "FALSE", [](S& s, V v) { s.Options.AllCapsStandard = v != "FALSE"; },
     [](const S& s) { return Flag(s.Options.AllCapsStandard); }},
    {"Component Characteristics", "OpTolerance", "30",
     [](S& s, V v) { s.Characteristics.OpTolerance = WithinOr(Number(v), 10, 50, 30); },
     WriteDecimal<&ComponentCharacteristics::OpTolerance>},
    {"Component Characteristics", "Noise", "12",
     [](S& s, V v) { s.Characteristics.Noise = NonZeroOr(Number(v), 12); },
     WriteScientific<&ComponentCharacteristics::Noise>},
    {"Component Characteristics", "RTempCoeff", "100E-6",
     [](S& s, V v) { s.Characteristics.RTempCoeff = NonZeroOr(Number(v), 100e-6L); },
     WriteScientific<&ComponentCharacteristics::RTempCoeff>},
    {"Component Characteristics", "CTempCoeff", "20E-6",
     [](S& s, V v) { s.Characteristics.CTempCoeff = NonZeroOr(Number(v), 20e-6L); },
     WriteScientific<&ComponentCharacteristics::CTempCoeff>},
    {"Component Characteristics", "TempRange", "20",
     [](S& s, V v) { s.Characteristics.TempRange = NonZeroOr(Number(v), 20); },
     WriteDecimal<&ComponentCharacteristics::TempRange>},
    {"Component Characteristics", "OpTempCoeff", "2E-3",
     [](S& s, V v) { s.Characteristics.OpTempCoeff = NonZeroOr(Number(v), 2e-3L); },
     WriteScientific<&ComponentCharacteristics::OpTempCoeff>},
}};

constexpr const char* kRecentSection = "Recent file list";

std::string RecentKey(int n) { return "File" + std::to_string(n); }

}  // namespace

Settings ReadSettings(const ProfileText& text) {
    Settings settings;
    for (const SettingKey& k : kKeys)
        k.read(settings, ProfileValue(text, k.section, k.key).value_or(k.missing));
    for (int n = 1; n <= kRecentFileKeys; ++n) {
        const auto path = ProfileValue(text, kRecentSection, RecentKey(n));
        if (path && !path->empty()) settings.RecentFiles.push_back(*path);
    }
    return settings;
}

void WriteSettings(const Settings& settings, ProfileText& text) {
    for (const SettingKey& k : kKeys)
        SetProfileValue(text, k.section, k.key, k.write(settings));
    const int count = std::min<int>(kRecentFileKeys, static_cast<int>(settings.RecentFiles.size()));
    for (int n = 1; n <= count; ++n) {
        const std::string& path = settings.RecentFiles[static_cast<size_t>(n - 1)];
        // A line break cannot stand in a line of the file; such a path is not kept.
        if (path.find_first_of("\r\n") == std::string::npos) SetProfileValue(text, kRecentSection, RecentKey(n), path);
    }
}

void ApplySettings(const Settings& settings, Design& design) {
    design.State.AutoPairing = settings.AutoPairing;
    design.State.AutoCascading = settings.AutoCascading;
    design.State.HzUnits = settings.HzUnits;
    design.Stages.Criteria = settings.Criteria;
    design.Characteristics = settings.Characteristics;
    design.Options = settings.Options;
}

void TakeSettings(const Design& design, Settings& settings) {
    settings.AutoPairing = design.State.AutoPairing;
    settings.AutoCascading = design.State.AutoCascading;
    settings.HzUnits = design.State.HzUnits;
    settings.Criteria = design.Stages.Criteria;
    settings.Characteristics = design.Characteristics;
    settings.Options = design.Options;
}

SettingsFileText ReadSettingsFile(const std::filesystem::path& file) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::file_status status = fs::status(file, error);
    if (status.type() == fs::file_type::not_found) return {};
    if (error) return {{}, error.message()};
    if (status.type() != fs::file_type::regular) return {{}, "not a regular file"};
    if (fs::file_size(file, error) > kLargestSettingsFile && !error) return {{}, "too large for a settings file"};
    std::ifstream in(file, std::ios::binary);
    if (!in) return {{}, std::strerror(errno)};
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) return {{}, std::strerror(errno)};
    return {ProfileFromBytes(bytes), std::nullopt};
}

std::optional<FileWriteError> WriteSettingsFile(const std::filesystem::path& file, const ProfileText& text) {
    return WriteLinesAtomically(file, text.lines);
}

}  // namespace tavrel
