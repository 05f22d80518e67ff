#pragma once
#include <optional>
#include <string>
#include <vector>

#include "circuits/records/design.h"

namespace tavrel {

// What the calculation window writes in place of the schematic of a stage it could not
// realise: three lines, the third with the name of the selection window in red.
struct InvalidStageText {
    std::string first;        // "Tavrel has been unable to actualize this circuit."
    std::string second;       // "Please select another circuit topology for Stage " + number
    std::string thirdBefore;  // "in the previous "
    std::string thirdRed;     // "Select Filter Circuits "
    std::string thirdAfter;   // "window."
};
InvalidStageText InvalidStageTextOf(int stage);

// The message of "+ Info" for a stage whose circuit divides its input at DC; nothing for the
// others.
std::optional<std::string> AttenuationInfo(const StageCircuitRecord& record);

// The checks on leaving the calculation window: the stages with a capacitor that is neither
// at its computed value nor a standard value ("Stages 2, 3 do not have all capacitors set to
// exact values or standard values"), and with the standard resistor option the stages whose
// resistors are not all standard ("Stage 1 does not have standard resistor values.").
std::vector<std::string> LeavingMessages(const Design& design);

}  // namespace tavrel
