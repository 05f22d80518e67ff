#pragma once
#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

namespace tavrel::cli {

// `catalog`: the circuits the program can design, from their definitions, so that a script
// finds the number `circuit`, `design-stage` and `design` take.
struct CatalogOptions {
    std::optional<std::string> type;  // flp, fhp, slp, shp, sbp, slpn, shpn or sn
};

void AddCatalogOptions(CLI::App& command, CatalogOptions& options);

// Throws std::invalid_argument for an unknown stage type.
nlohmann::json RunCatalog(const CatalogOptions& options);

}  // namespace tavrel::cli
