#pragma once
// The desktop program's own command line, read after the GUI toolkit has taken its options
// (-platform, -style and the like) out of it.

#include <optional>
#include <string>
#include <vector>

namespace tavrel {

struct ProgramArguments {
    std::optional<std::string> screenshots;  // --screenshots FOLDER: pictures of every window, then exit
    // --export FOLDER FILE.tv3 [--svg] [--png]: the pictures of a design file, then exit; without
    // --svg or --png both formats.
    std::optional<std::string> exportFolder, exportFile;
    bool svg = false, png = false;
    bool help = false;                       // --help / -h
};

struct ProgramArgumentsResult {
    ProgramArguments arguments;
    std::string error;  // empty when the command line was understood
};

// `arguments` without the program name.
ProgramArgumentsResult ReadProgramArguments(const std::vector<std::string>& arguments);

// The usage text, one line each, for --help (standard output) and for a refused command line
// (standard error).
std::vector<std::string> ProgramUsage();

}  // namespace tavrel
