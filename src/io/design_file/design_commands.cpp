#include "io/design_file/design_commands.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>

#include "analysis/workflow.h"
#include "io/atomic_file.h"
#include "io/design_file/design_file.h"

namespace tavrel {

namespace {

struct FileBytes {
    std::vector<std::uint8_t> bytes;
    std::optional<std::string> problem;
};

FileBytes ReadWholeFile(const std::filesystem::path& file) {
    const auto problem = [&file](const std::string& reason) { return "cannot read " + file.string() + ": " + reason; };
    std::error_code error;
    if (std::filesystem::is_directory(file, error)) return {{}, problem(std::strerror(EISDIR))};
    std::ifstream in(file, std::ios::binary);
    if (!in) return {{}, problem(std::strerror(errno))};
    FileBytes result;
    try {
        result.bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } catch (const std::ios_base::failure& failure) {
        result.problem = problem(failure.what());
    }
    if (in.bad()) result.problem = problem(std::strerror(errno));
    return result;
}

}  // namespace

std::optional<std::string> WriteDesign(const std::filesystem::path& file, Design& design) {
    const std::vector<std::uint8_t> bytes = DesignFileBytes(design);
    if (const auto failure = WriteFileAtomically(file, bytes)) return failure->message + ": " + failure->reason;
    DesignSaved(design);
    return std::nullopt;
}

std::optional<std::string> ReadDesign(const std::filesystem::path& file, Design& design) {
    const FileBytes read = ReadWholeFile(file);
    if (read.problem) return read.problem;
    // The design is large; the new one lives on the heap until it replaces the current one.
    auto loaded = std::make_unique<Design>(design);
    NewDesign(*loaded);
    loaded->UserEntries = {};
    if (auto refused = ReadDesignBytes(read.bytes, *loaded)) return refused;
    loaded->State.DesignFileName = file.string();
    design = std::move(*loaded);
    return std::nullopt;
}

void PutRecentFile(std::vector<std::string>& recent, const std::string& path) {
    std::erase(recent, path);
    recent.insert(recent.begin(), path);
    if (recent.size() > kRecentFileCount) recent.resize(kRecentFileCount);
}

std::vector<std::string> CleanRecentFiles(const std::vector<std::string>& recent) {
    std::vector<std::string> clean;
    for (const std::string& path : recent)
        if (!path.empty() && std::find(clean.begin(), clean.end(), path) == clean.end() &&
            clean.size() < kRecentFileCount)
            clean.push_back(path);
    return clean;
}

SaveAction SaveDesignAction(const Design& design) {
    return design.State.DesignFileName.empty() ? SaveAction::AskForName : SaveAction::Write;
}

std::optional<std::string> SaveDesignAs(const std::filesystem::path& file, Design& design,
                                        std::vector<std::string>& recent) {
    design.State.DesignFileName = file.string();
    if (auto failure = WriteDesign(file, design)) return failure;
    PutRecentFile(recent, file.string());
    return std::nullopt;
}

std::optional<std::string> OpenDesign(const std::filesystem::path& file, Design& design,
                                      std::vector<std::string>& recent) {
    if (auto refused = ReadDesign(file, design)) return refused;
    PutRecentFile(recent, file.string());
    return std::nullopt;
}

}  // namespace tavrel
