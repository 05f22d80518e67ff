#pragma once
#include <string>
#include <vector>

#include "core/design_state.h"

namespace tavrel {

// The lines of the pole-zero listing of one approximation: every pole pair, single
// pole, zero pair and single zero with its frequency, the Q of pole pairs and its
// root value; zeros at infinity are listed with the infinity sign. Texts are UTF-8.
std::vector<std::string> PoleZeroListing(const DesignState& state, int approx);

}  // namespace tavrel
