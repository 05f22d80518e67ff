#pragma once
#include <string>
#include <vector>

#include "analysis/spice_format.h"
#include "analysis/spice_options.h"
#include "circuits/records/stage_circuit_record.h"

namespace tavrel {

// The stage of a record: its circuit (which must be in the catalog), variant, values and op amp.
SpiceStage SpiceStageOf(const StageCircuitRecord& record);

// The netlist of the cascade, one text line per entry.
std::vector<std::string> SpiceNetlistLines(const std::vector<SpiceStage>& stages, const SpiceOptions& options);

}  // namespace tavrel
