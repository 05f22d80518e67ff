#include "circuits/catalog/ease_of_tuning.h"

#include "circuits/catalog/tuning_table.h"

namespace tavrel {

namespace {

struct EaseOfTuningWords {
    const char* code;
    const char* text;
};

constexpr EaseOfTuningWords kWords[] = {
    {"EX", "Excellent"}, {"GO", "Good"}, {"FA", "Fair"}, {"PO", "Poor"}, {"NR", "Not Recommended"},
};

}  // namespace

const char* EaseOfTuningCode(int circuitNo) {
    const char* entry = TuningEntryText(circuitNo);
    if (entry == nullptr) return "";
    const std::string code(entry, 2);
    for (const EaseOfTuningWords& words : kWords)
        if (code == words.code) return words.code;
    return "";
}

std::string EaseOfTuningText(const std::string& code) {
    for (const EaseOfTuningWords& words : kWords)
        if (code == words.code) return words.text;
    return "";
}

}  // namespace tavrel
