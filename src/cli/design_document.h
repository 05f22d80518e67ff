#pragma once
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "circuits/records/design.h"
#include "circuits/values/inventory.h"

namespace tavrel::cli {

// The document of a designed filter: the specification's outcome, the gains, and per stage its
// circuit, component values (in force, exact, standard, fixed by hand, in stock) and what the
// values in force realise. Without an inventory "in_stock" is null.
nlohmann::json DesignDocument(const Design& design, const std::string& approxName,
                              const std::vector<std::string>& warnings, const InventoryBlock* inventory);

}  // namespace tavrel::cli
