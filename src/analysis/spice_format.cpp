#include "analysis/spice_format.h"

#include "core/number_format.h"

namespace tavrel {

std::string SpiceResistance(long double ohms) {
    std::string text = FormatResistance(ohms, true);
    if (!text.empty() && text.back() == 'M') text += "EG";
    return text;
}

std::string SpiceCapacitance(long double farads) { return FormatCapacitance(farads, true); }

std::string SpiceFrequency(long double hz) { return TrimLeading(Sci(hz, 7, 5)); }

}  // namespace tavrel
