#pragma once
// One tavrel-cli command run in the test process, beside the program's data files.
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"

namespace tavrel::testing_support {

struct CommandOutput {
    int status;
    nlohmann::json doc;  // null when nothing was printed on standard output
    std::string err;
};

inline CommandOutput RunCommand(const std::string& command, std::vector<std::string> args) {
    args.insert(args.begin(), command);
    std::ostringstream out, err;
    const int status = cli::Run(args, out, err, TAVREL_BIN_DIR);
    return {status, out.str().empty() ? nlohmann::json() : nlohmann::json::parse(out.str()), err.str()};
}

}  // namespace tavrel::testing_support
