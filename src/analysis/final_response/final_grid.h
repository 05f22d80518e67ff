#pragma once
#include <vector>

#include "core/design_state.h"

namespace tavrel {

// The frequency axis of the final-response plot: its range in the display unit (Hz or rad/s),
// its spacing and the number of intervals (350 on the screen; printing asks for its own).
struct FinalAxis {
    long double lo = 0, hi = 0;
    bool hzUnits = true;
    bool logarithmic = true;
    int intervals = 350;
};

// The grid the final responses are evaluated on: intervals + 1 points from lo to hi, each with
// its frequency in Hz and its angular frequency.
std::vector<GridPoint> FinalGrid(const FinalAxis& axis);

// The axis the design's ideal responses were last shown on: the final responses open on it.
FinalAxis FinalAxisOf(const DesignState& state);

}  // namespace tavrel
