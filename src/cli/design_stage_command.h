#pragma once
#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>
#include <string>

#include "circuits/records/design_request.h"

namespace tavrel::cli {

// `design-stage`: one catalog circuit designed for one stage target.
struct DesignStageOptions {
    DesignRequest request;
    double wp = 0, qp = 0, wz = 0, wc = 0, gain = 1, c1 = 0, capRatio = 0, gbw = 0;
};

void AddDesignStageOptions(CLI::App& command, DesignStageOptions& options);

// Throws ArithmeticFailure or std::invalid_argument (bad usage: an unknown circuit, a circuit
// without design equations, a target the stage type does not take).
nlohmann::json RunDesignStage(const CLI::App& command, DesignStageOptions& options);

}  // namespace tavrel::cli
