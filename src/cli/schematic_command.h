#pragma once
#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

namespace tavrel::cli {

// `schematic`: the circuit a catalog circuit's drawing connects, elements and nodes.
struct SchematicOptions {
    int no = 0;
    bool compensated = false;
};

void AddSchematicOptions(CLI::App& command, SchematicOptions& options);

// Throws std::invalid_argument for a circuit outside the catalog or without a compensated
// variant.
nlohmann::json RunSchematic(const SchematicOptions& options);

}  // namespace tavrel::cli
