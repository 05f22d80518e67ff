#include "circuits/equations/input_attenuation_note.h"

#include <cmath>
#include <cstdio>

namespace tavrel {

std::string InputAttenuationNote(const StageCircuitRecord& record) {
    const long double factor = record.InputAttenuation;
    if (factor == 0) return {};
    const double db = static_cast<double>(20 * std::log10(factor));
    char figure[32];
    std::snprintf(figure, sizeof figure, db < 10 ? "%.1f" : "%.0f", db);
    return std::string("DC input attenuated ") + figure + "dB by resistors R" + record.AttenResistors[0] + " and R" +
           record.AttenResistors[1] + ".";
}

}  // namespace tavrel
