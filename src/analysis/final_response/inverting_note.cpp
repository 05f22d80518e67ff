#include "analysis/final_response/inverting_note.h"

namespace tavrel {

std::vector<int> InvertingStages(const Design& design, StageRange range) {
    std::vector<int> stages;
    for (int s = range.first; s <= range.last; ++s)
        if (design.Circuit(s).Inverting) stages.push_back(s);
    return stages;
}

std::vector<std::string> InvertingNote(const Design& design, StageRange range) {
    const std::vector<int> stages = InvertingStages(design, range);
    if (stages.empty()) return {};
    const std::string plural = stages.size() > 1 ? "s" : "";
    std::string line = "due to the inverting output" + plural + " of stage" + plural + " ";
    for (size_t i = 0; i < stages.size(); ++i) line += (i ? ", " : "") + std::to_string(stages[i]);
    return {"Note:  There is an additional 180 degrees phase shift", line + "."};
}

}  // namespace tavrel
