#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tavrel {

// Why a file was not written: the program's message ("cannot write <path as given>") and the
// system's reason ("Permission denied", "not a regular file", ...), shown together by the caller.
struct FileWriteError {
    std::string message;
    std::string reason;
};

// Replaces or creates the file so that it appears only once its whole content is on disk: the
// content goes to a temporary file in the same directory, is synced, and is renamed over the
// target. A symbolic link is followed and the file it names is written; anything existing that
// is not a regular file, or that the user may not write, is refused before anything is created.
// A replaced file keeps its permission bits (and owner and group where the process may set them);
// a new one gets 0666 less the umask. On any failure the old file stays as it was.
std::optional<FileWriteError> WriteFileAtomically(const std::filesystem::path& path,
                                                  std::span<const std::uint8_t> bytes);
std::optional<FileWriteError> WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// The text form: each line is written followed by "\n".
std::optional<FileWriteError> WriteLinesAtomically(const std::filesystem::path& path,
                                                   const std::vector<std::string>& lines);

}  // namespace tavrel
