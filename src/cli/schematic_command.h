#pragma once
#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

namespace tavrel::cli {

// `schematic`: the circuit a catalog circuit's drawing connects, elements and nodes.
struct SchematicOptions {
    int no = 0;
    bool compensated = false;
    std::optional<std::string> open;  // a design file: the circuit of one of its stages, with its values
    int stage = 0;
};

void AddSchematicOptions(CLI::App& command, SchematicOptions& options);

// Throws std::invalid_argument for a circuit outside the catalog or without a compensated
// variant, or a stage the design does not have; std::runtime_error for a design file that
// cannot be read.
nlohmann::json RunSchematic(const SchematicOptions& options);

}  // namespace tavrel::cli
