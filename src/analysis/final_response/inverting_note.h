#pragma once
#include <string>
#include <vector>

#include "analysis/final_response/final_response.h"

namespace tavrel {

// The stages of the range whose output is inverted. The phase curves leave the inversion out
// (it would put a 180-degree step into every curve); the phase tab names these stages instead.
std::vector<int> InvertingStages(const Design& design, StageRange range);

// The two lines of the note the phase tab draws in a white box, or none when no stage of the
// range inverts: "Note:  There is an additional 180 degrees phase shift" and
// "due to the inverting outputs of stages 1, 3.".
std::vector<std::string> InvertingNote(const Design& design, StageRange range);

}  // namespace tavrel
