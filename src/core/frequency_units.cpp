#include "core/frequency_units.h"

#include "core/math_helpers.h"
#include "core/responses.h"

namespace tavrel {

void SetFrequencyUnits(DesignState& state, bool hzUnits) {
    if (state.HzUnits == hzUnits) return;
    const long double factor = hzUnits ? 1 / (2 * kPi) : 2 * kPi;
    state.HzUnits = hzUnits;
    if (state.FreqHi > 0) {
        state.FreqLo = state.FreqLo * factor;
        state.FreqHi = state.FreqHi * factor;
        BuildFrequencyGrid(state);
    }
}

}  // namespace tavrel
