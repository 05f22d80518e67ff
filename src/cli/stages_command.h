#pragma once
#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "circuits/records/design.h"
#include "cli/calc_command.h"

namespace tavrel::cli {

// `stages`: a specification, one approximation, automatic pairing and cascading.
struct StagesOptions {
    std::string approx;
    bool useQ = false;
    std::optional<std::string> firstPrefs, lastPrefs;
};

void AddStagesOptions(CLI::App& command, CalcOptions& calcOptions, StagesOptions& options);

// The --approx value of an approximation index ("chebyshev").
const char* ApproxOptionName(int approx);

// The document (status 0), the rejection document (status 2) or the reason (status 1).
struct StagesRun {
    nlohmann::json doc;
    int status = 0;
    std::string reason;
};

// Throws ArithmeticFailure or std::invalid_argument (bad usage).
StagesRun RunStages(const CalcOptions& calcOptions, const StagesOptions& options, const CalcEnvironment& env,
                    Design& design);

}  // namespace tavrel::cli
