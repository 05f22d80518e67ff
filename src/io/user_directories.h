#pragma once
#include <filesystem>
#include <optional>
#include <string>

namespace tavrel {

// The user's folders of this program: $XDG_CONFIG_HOME/tavrel (by default ~/.config/tavrel)
// for the settings, $XDG_DATA_HOME/tavrel (by default ~/.local/share/tavrel) for files the
// program writes where its own folder is not writable. A variable that is empty or not an
// absolute path is passed over, as the XDG rules say; without HOME there is no default.
// Nothing is created here.
std::optional<std::filesystem::path> ConfigDirectory(const char* xdgConfigHome, const char* home);
std::optional<std::filesystem::path> DataDirectory(const char* xdgDataHome, const char* home);
// The same from the environment.
std::optional<std::filesystem::path> ConfigDirectory();
std::optional<std::filesystem::path> DataDirectory();

// Makes the folder with its parents; false when it cannot be made.
bool MakeDirectory(const std::filesystem::path& directory);

// Whether the process may create files in the folder.
bool IsWritableDirectory(const std::filesystem::path& directory);

// The settings file in the configuration folder, made ready for reading: the folder is made
// and a missing file is created from the template shipped beside the executable, copied line
// by line. Nothing when no configuration folder can be found or made; the program then runs
// on its defaults.
std::optional<std::filesystem::path> PrepareSettingsFile(const std::optional<std::filesystem::path>& configDirectory,
                                                         const std::filesystem::path& templateFile);

// What the user is told, once, when the settings cannot be kept.
inline constexpr const char* kNoConfigDirectoryMessage =
    "No configuration folder could be found or made. Tavrel runs on its default settings and "
    "does not keep them.";

// Where RCInvent.dat lives: beside the executable where that folder is writable, else in the
// user's data folder (made when needed), else beside the executable all the same (read only).
std::filesystem::path InventoryFilePath(const std::filesystem::path& programDirectory,
                                        const std::optional<std::filesystem::path>& dataDirectory);

}  // namespace tavrel
