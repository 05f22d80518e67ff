#pragma once
#include <string>

#include "analysis/spice_options.h"

namespace tavrel {

// Resistance and capacitance as element values. The PSpice form takes the display formats with
// five digits, with the mega suffix written "MEG" because SPICE reads "M" as milli. The ngspice
// form, written for checking the design by simulation, carries seven significant digits: five
// alone move a sharp notch by more than 0.02 dB.
std::string SpiceResistance(long double ohms, SpiceDialect dialect = SpiceDialect::PSpice);
std::string SpiceCapacitance(long double farads, SpiceDialect dialect = SpiceDialect::PSpice);

// A sweep frequency in Hz, scientific with five decimals.
std::string SpiceFrequency(long double hz);

}  // namespace tavrel
