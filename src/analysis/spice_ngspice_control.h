#pragma once
#include <string>
#include <vector>

#include "analysis/spice_options.h"

namespace tavrel {

// The ".control" block of the ngspice form: the sweep, the chosen outputs and the Monte
// Carlo loop, which ngspice has no statement for.
void AddNgspiceControl(const std::vector<SpiceStage>& stages, const SpiceOptions& options,
                       std::vector<std::string>& lines);

}  // namespace tavrel
