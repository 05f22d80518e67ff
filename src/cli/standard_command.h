#pragma once
#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace tavrel::cli {

// `standard`: for each value, whether it is a preferred value of the series, the two
// candidates around it and the nearer one.
struct StandardOptions {
    std::string series;               // "1", "5", "10" (resistors) or "c" (capacitors, E12)
    std::vector<std::string> values;  // ohm or farad
};

void AddStandardOptions(CLI::App& command, StandardOptions& options);

// The document; throws std::invalid_argument for a value that is not a positive number and
// ArithmeticFailure for one beyond the extended range.
nlohmann::json RunStandard(const StandardOptions& options);

}  // namespace tavrel::cli
