#pragma once
#include <nlohmann/json.hpp>

#include "circuits/records/design.h"

namespace tavrel::cli {

// The final responses of a designed filter as the final-response window opens on them: every
// version the design's substitutions make available (with the user-assigned resistor values
// switched in when there are any), all stages, on the grid of the design's frequency axis.
// "versions" names the versions; gain_db, phase_deg and delay_s hold one list per version. The
// notches are left as computed: marking them to reach the bottom of a plot is for drawing.
nlohmann::json FinalResponseDocument(const Design& design);

}  // namespace tavrel::cli
