#pragma once
#include <vector>

#include "core/design_state.h"

namespace tavrel {

// A band of frequencies in rad/s; hi is infinite for a band that runs to the top.
struct FrequencyBand {
    long double lo, hi;
};

// Where the specification holds: the passbands, in which the loss stays below Apb, and the
// stopbands, in which it is at least Asb. Bandpass and bandstop bands lie geometrically
// symmetric about the center frequency, as the lowpass-to-bandpass transformation maps
// them: the edges w1 < w2 of a bandwidth B satisfy w2 - w1 = B and w1 w2 = W0^2.
struct SpecifiedBands {
    std::vector<FrequencyBand> passbands, stopbands;  // stopbands empty with a forced order
};
SpecifiedBands SpecificationBands(const DesignState& state);

}  // namespace tavrel
