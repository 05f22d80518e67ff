#pragma once
#include <string>

namespace tavrel {

// Resistance and capacitance as element values: the display formats with five digits, with
// the mega suffix written "MEG" because SPICE reads "M" as milli.
std::string SpiceResistance(long double ohms);
std::string SpiceCapacitance(long double farads);

// A sweep frequency in Hz, scientific with five decimals.
std::string SpiceFrequency(long double hz);

}  // namespace tavrel
