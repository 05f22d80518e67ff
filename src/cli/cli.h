#pragma once
#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

namespace tavrel::cli {

// Exit statuses of tavrel-cli.
inline constexpr int kDone = 0;
inline constexpr int kFailure = 1;
inline constexpr int kRejected = 2;
inline constexpr int kArithmetic = 3;

// Runs one tavrel-cli command line (args without the program name). The JSON document
// goes to out, reasons for status 1 to err. Never throws.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        const std::filesystem::path& programDirectory);

// The directory of the running executable.
std::filesystem::path ProgramDirectory();

}  // namespace tavrel::cli
