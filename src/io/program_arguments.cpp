#include "io/program_arguments.h"

namespace tavrel {

ProgramArgumentsResult ReadProgramArguments(const std::vector<std::string>& arguments) {
    ProgramArgumentsResult result;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            result.arguments.help = true;
        } else if (argument == "--screenshots") {
            if (i + 1 == arguments.size() || arguments[i + 1].empty()) {
                result.error = "--screenshots needs a folder";
                return result;
            }
            result.arguments.screenshots = arguments[++i];
        } else if (argument == "--export") {
            if (i + 2 >= arguments.size() || arguments[i + 1].empty() || arguments[i + 2].empty()) {
                result.error = "--export needs a folder and a design file";
                return result;
            }
            result.arguments.exportFolder = arguments[++i];
            result.arguments.exportFile = arguments[++i];
        } else if (argument == "--svg" || argument == "--png") {
            (argument == "--svg" ? result.arguments.svg : result.arguments.png) = true;
        } else if (!argument.empty() && argument[0] == '-') {
            result.error = "unknown option " + argument;
            return result;
        } else {
            result.error = "unexpected argument " + argument;
            return result;
        }
    }
    if ((result.arguments.svg || result.arguments.png) && !result.arguments.exportFolder)
        result.error = std::string(result.arguments.svg ? "--svg" : "--png") + " goes with --export";
    return result;
}

std::vector<std::string> ProgramUsage() {
    return {"Usage: tavrel [--screenshots FOLDER | --export FOLDER FILE.tv3 [--svg] [--png]] [--help]",
            "",
            "Designs active analog filters: from a filter specification to the op-amp",
            "circuits and their component values.",
            "",
            "  --screenshots FOLDER  save a picture of every window in FOLDER and exit",
            "                        (needs no display)",
            "  --export FOLDER FILE.tv3",
            "                        save every graph and every stage schematic of the",
            "                        design file in FOLDER and exit (needs no display)",
            "  --svg, --png          with --export: only these formats (default both)",
            "  -h, --help            show this text and exit",
            "",
            "The toolkit's options (-platform NAME, -style NAME, ...) are accepted too.",
            "For scripts, tavrel-cli offers the same calculations; see 'tavrel-cli --help'."};
}

}  // namespace tavrel
