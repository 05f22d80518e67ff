#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "circuits/records/design.h"

namespace tavrel {

// WriteDesign: the design file replaces the file at once (a failed write leaves the old file
// as it was); then the design counts as saved (not modified, not to be recalculated). Returns
// the message of a failed write: the program's text and the system's reason.
std::optional<std::string> WriteDesign(const std::filesystem::path& file, Design& design);

// ReadDesign: the whole file is read into a new design made from the current one (the
// program's options stay); only when every section was read does it replace the current
// design, which then carries the file's name. Otherwise the current design is left untouched
// and the message is returned ("Invalid Tavrel design file", or why the file could not be read).
std::optional<std::string> ReadDesign(const std::filesystem::path& file, Design& design);

// The recent-file list of the File menu: the path goes to the top, a previous occurrence of it
// is removed, and the list keeps at most four paths.
inline constexpr std::size_t kRecentFileCount = 4;
void PutRecentFile(std::vector<std::string>& recent, const std::string& path);
// A list as the settings file gave it, without repeats and cut to four.
std::vector<std::string> CleanRecentFiles(const std::vector<std::string>& recent);

// What SaveDesign does: write under the design's name, or, when it has none, ask for one.
enum class SaveAction { Write, AskForName };
SaveAction SaveDesignAction(const Design& design);

// SaveDesignAs once the name was chosen (and, for an existing file, the overwrite agreed):
// the design takes the name, is written, and the name goes to the top of the recent files.
std::optional<std::string> SaveDesignAs(const std::filesystem::path& file, Design& design,
                                        std::vector<std::string>& recent);

// OpenDesign once the file was chosen: ReadDesign and, when it succeeded, the recent files.
std::optional<std::string> OpenDesign(const std::filesystem::path& file, Design& design,
                                      std::vector<std::string>& recent);

}  // namespace tavrel
