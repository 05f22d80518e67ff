#pragma once
#include <string>

#include "core/design_state.h"

namespace tavrel {

// Turns the prototype of slot ApproxIndex into the lowpass, highpass or bandpass filter
// of the design (bandstop arrives as bandpass with BandstopPass set).
void Transform(DesignState& state);

// The gain-constant texts: Sci(x, 7, 5), and GainConstN * base^N written without
// overflowing (GainConstN keeps the normalized mantissa afterwards).
std::string GainSciText(long double x);
std::string SciPower(ApproxRecord& record, long double base, int n);

// The frequency a lowpass or highpass prototype of the approximation is scaled by.
long double PrototypeScale(const DesignState& state, int approx);

}  // namespace tavrel
