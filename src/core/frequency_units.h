#pragma once
#include "core/design_state.h"

namespace tavrel {

// Switches the display unit of frequencies between Hz and rad/s. The plot range,
// which is kept in the display unit, is converted so that it covers the same band.
void SetFrequencyUnits(DesignState& state, bool hzUnits);

}  // namespace tavrel
