#pragma once
#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "core/calculate.h"

namespace tavrel::cli {

// The options shared by every command that starts from a specification.
struct CalcOptions {
    std::string kind = "lowpass";
    std::optional<std::string> apb, asb, f1, f2, f0, gain, gainDb;
    std::string unit = "khz";
    std::optional<std::string> forceOrder;
    std::optional<std::string> range;
    bool linear = false;
    bool brief = false;  // calc only: no response arrays
};

// The specification options; the calc command adds --brief.
void AddCalcOptions(CLI::App& command, CalcOptions& options);
void AddCalcCommandOptions(CLI::App& command, CalcOptions& options);

// The name of a filter kind in the documents and options ("lowpass", ..., "user").
const char* KindName(FilterKind kind);

// Result of running a specification: the state and either a finished document or an
// error document with its exit status.
struct CalcRun {
    CalcOutcome outcome;
    nlohmann::json error;  // null when the calculation went through
    int status = 0;
    std::string reason;  // for status 1
};

// Throws ArithmeticFailure or std::invalid_argument (bad usage).
CalcRun RunSpecification(const CalcOptions& options, const CalcEnvironment& env, DesignState& state);

// The document; brief leaves out the response arrays.
nlohmann::json CalcDocument(const CalcRun& run, const DesignState& state, bool brief = false);

}  // namespace tavrel::cli
