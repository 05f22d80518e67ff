#include "io/user_directories.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "io/atomic_file.h"
#include "io/inventory_file.h"
#include "io/settings_file.h"

namespace tavrel {

namespace {

namespace fs = std::filesystem;

constexpr const char* kProgramFolder = "tavrel";

std::optional<fs::path> UserDirectory(const char* xdgVariable, const char* home, const fs::path& belowHome) {
    if (xdgVariable && *xdgVariable && fs::path(xdgVariable).is_absolute()) return fs::path(xdgVariable) / kProgramFolder;
    if (home && *home && fs::path(home).is_absolute()) return fs::path(home) / belowHome / kProgramFolder;
    return std::nullopt;
}

}  // namespace

std::optional<fs::path> ConfigDirectory(const char* xdgConfigHome, const char* home) {
    return UserDirectory(xdgConfigHome, home, ".config");
}

std::optional<fs::path> DataDirectory(const char* xdgDataHome, const char* home) {
    return UserDirectory(xdgDataHome, home, fs::path(".local") / "share");
}

std::optional<fs::path> ConfigDirectory() { return ConfigDirectory(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME")); }
std::optional<fs::path> DataDirectory() { return DataDirectory(std::getenv("XDG_DATA_HOME"), std::getenv("HOME")); }

bool MakeDirectory(const fs::path& directory) {
    std::error_code error;
    fs::create_directories(directory, error);
    return fs::is_directory(directory, error);
}

bool IsWritableDirectory(const fs::path& directory) {
    std::error_code error;
    return fs::is_directory(directory, error) && ::access(directory.c_str(), W_OK | X_OK) == 0;
}

std::optional<fs::path> PrepareSettingsFile(const std::optional<fs::path>& configDirectory,
                                            const fs::path& templateFile) {
    if (!configDirectory || !MakeDirectory(*configDirectory)) return std::nullopt;
    const fs::path file = *configDirectory / kSettingsFileName;
    std::error_code error;
    if (fs::exists(fs::symlink_status(file, error)) || !fs::is_regular_file(templateFile, error)) return file;
    // Without a copy the file is made at exit from the defaults.
    std::ifstream in(templateFile);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    if (!in.bad()) WriteLinesAtomically(file, lines);
    return file;
}

fs::path InventoryFilePath(const fs::path& programDirectory, const std::optional<fs::path>& dataDirectory) {
    if (IsWritableDirectory(programDirectory) || !dataDirectory || !MakeDirectory(*dataDirectory))
        return programDirectory / kInventoryFileName;
    return *dataDirectory / kInventoryFileName;
}

}  // namespace tavrel
