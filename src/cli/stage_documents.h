#pragma once
// Pieces of the documents that more than one command writes about a stage circuit.

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "analysis/spice_options.h"
#include "circuits/network/stage_function.h"

namespace tavrel::cli {

// A derived figure, or null where the coefficients give none (roots off the usual places).
nlohmann::json Figure(long double x);

// wp, qp, wz, wc (0 where the stage type has none) and, for third-order circuits, the real pole.
void AddRealizedFigures(const StageFunction& f, const CircuitDefinition& circuit, nlohmann::json& doc);

// Writes the netlist of the stages to `file` (the ngspice form's data file beside it, under its
// name) and names both in the document. A file that cannot be written is bad usage
// (std::runtime_error with the reason).
void WriteNetlist(const std::filesystem::path& file, const std::vector<SpiceStage>& stages, SpiceOptions spice,
                  nlohmann::json& doc);

}  // namespace tavrel::cli
