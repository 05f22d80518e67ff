#pragma once
#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "circuits/records/design_request.h"

namespace tavrel::cli {

// `design-stage`: one catalog circuit designed for one stage target. The numbers as typed
// (engineering suffixes allowed).
struct DesignStageOptions {
    DesignRequest request;
    std::optional<std::string> wp, qp, wz, wc, c1, capRatio, gbw;
    std::string gain;
};

void AddDesignStageOptions(CLI::App& command, DesignStageOptions& options);

// Throws ArithmeticFailure or std::invalid_argument (bad usage: an unknown circuit, a circuit
// without design equations, a target the stage type does not take).
nlohmann::json RunDesignStage(DesignStageOptions& options);

}  // namespace tavrel::cli
