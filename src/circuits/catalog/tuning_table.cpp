#include "circuits/catalog/tuning_table.h"

#include <array>
#include <stdexcept>

#include "circuits/catalog/circuit_catalog.h"
#include "stages/stage_record.h"

namespace tavrel {

namespace {

// The entries of one stage type, circuit 01 first. A rating is "EX" excellent, "GO" good,
// "FA" fair, "PO" poor or "NR" not recommended; a step is a component and the parameter it sets
// ("WP" pole frequency, "QP" pole Q, "WZ" zero frequency, "QZ" zero Q; nothing for the corner of
// a first-order stage), and "00", "01", "02" join two steps.
struct TuningRow {
    int stageType;
    std::array<const char*, 13> entries;
};

constexpr TuningRow kTuningTable[] = {
    {StageCode::FLP, {"EX R1", "EX R1", "EX R2"}},
    {StageCode::FHP, {"EX R1", "EX R1", "EX R1", "EX R1"}},
    {StageCode::SLP,
     {"FA C2QP01 R1WP", "GO R1WP00 R4QP", "GO R3WP00 R1QP", "FA R1WP01 R4QP", "GO R1WP00 R2QP",
      "PO R1WP01 C2QP", "GO R1WP00 R4QP", "EX R5WP00 R3QP", "EX R6WP00 R7QP", "GO R1WP00 R4QP",
      "GO R1WP00 R3QP", "GO R5WP00 R8QP", "GO R2WP00 R5QP"}},
    {StageCode::SHP,
     {"GO R1QP00 C1WP", "GO R1WP00 R3QP", "GO R1WP00 C1QP", "GO R2WP00 R1QP", "GO R1WP00 R4QP",
      "EX R5WP00 R3QP", "EX R6WP00 R7QP", "GO R1WP00 R3QP", "GO R5WP00 R8QP", "GO R2WP00 R5QP"}},
    {StageCode::SBP,
     {"GO R1QP00 C1WP", "GO C1WP00 R3QP", "GO R3WP00 R4QP", "GO R2QP00 C1WP", "GO R2WP00 R4QP",
      "GO R2WP00 R1QP", "GO R2WP00 R4QP", "EX R5WP00 R3QP", "EX R6WP00 R7QP", "GO R1WP00 R4QP",
      "GO R1WP00 R6QP", "GO R1WP00 R3QP", "GO R2WP00 R5QP"}},
    {StageCode::SLPN,
     {"NR", "FA C1QZ00 R1WZ00 R4WP00 R5QP", "GO R1WP00 R4QP00 R3WZ00 R5QZ", "PO R3WP01 C2WZ00 R1QP01 R2QZ",
      "FA R3QZ02 R1WP02 C3WZ00 R4QP", "EX R1WP00 R4QP00 R7WZ00 XXXX", "EX R1WP00 R7QP00 R9WZ00 XXXX",
      "GO R1WZ00 R2WP00 R3QP01 R7QZ", "EX R7WP00 R6QP00 R3WZ00 R1QZ", "EX R7WP00 R5QP00 C3QZ00 R1WZ"}},
    {StageCode::SHPN,
     {"NR", "FA R3WP00 R2WZ00 R6QZ01 R5QP", "PO R7WP01 R5WZ00 R2QP01 R1QZ", "FA R3WP01 C3QZ00 R6QP00 R1WZ",
      "EX R1WP00 R4QP00 R7WZ00 XXXX", "EX R1WP00 R7QP00 R9WZ00 XXXX", "GO R1WZ00 R2WP00 R3QP01 R7QZ",
      "EX R5WP00 R3WZ00 R6QP00 R1QZ", "EX C3QZ00 R1WZ00 R7WP00 R5QP"}},
    {StageCode::SN, {"NR", "NR", "NR", "NR", "NR", "NR", "NR", "NR", "NR"}},
};

[[noreturn]] void Malformed(const std::string& entry) {
    throw std::logic_error("malformed tuning entry \"" + entry + "\"");
}

TunedParameter ParameterOf(const std::string& code, const std::string& entry) {
    if (code == "WP") return TunedParameter::PoleFrequency;
    if (code == "QP") return TunedParameter::PoleQ;
    if (code == "WZ") return TunedParameter::ZeroFrequency;
    if (code == "QZ") return TunedParameter::ZeroQ;
    Malformed(entry);
}

StepLink LinkOf(const std::string& code, const std::string& entry) {
    if (code == "00") return StepLink::Plain;
    if (code == "01") return StepLink::Alternate;
    if (code == "02") return StepLink::Linked;
    Malformed(entry);
}

bool IsComponent(const std::string& text) {
    return text.size() == 2 && (text[0] == 'R' || text[0] == 'C') && text[1] >= '1' && text[1] <= '9';
}

}  // namespace

const char* TuningEntryText(int circuitNo) {
    for (const TuningRow& row : kTuningTable) {
        const int index = circuitNo - TypeBase(row.stageType);
        if (index >= 1 && index <= CircuitsOfType(row.stageType)) return row.entries[static_cast<size_t>(index - 1)];
    }
    return nullptr;
}

TuningSequence ParseTuningEntry(const std::string& entry) {
    std::string text = entry.substr(0, entry.find('{'));
    while (!text.empty() && text.back() == ' ') text.pop_back();
    TuningSequence sequence;
    sequence.rating = text.substr(0, 2);
    if (sequence.rating != "EX" && sequence.rating != "GO" && sequence.rating != "FA" && sequence.rating != "PO" &&
        sequence.rating != "NR")
        Malformed(entry);
    if (sequence.rating == "NR") {
        if (text.size() != 2) Malformed(entry);
        return sequence;
    }
    if (text.size() < 5 || text[2] != ' ') Malformed(entry);
    // Steps of six characters (component, parameter, link) separated by blanks; the last step
    // has no link, and a first-order entry is a component alone.
    const std::string steps = text.substr(3);
    if (steps.size() == 2) {
        if (!IsComponent(steps)) Malformed(entry);
        sequence.steps.push_back({steps, TunedParameter::Corner});
        return sequence;
    }
    for (size_t at = 0; at < steps.size(); at += 7) {
        const std::string step = steps.substr(at, 6);
        if (step.rfind("XXXX", 0) == 0) {
            if (at + 4 != steps.size()) Malformed(entry);
            sequence.links.pop_back();  // nothing follows the link before an absent step
            break;
        }
        if (step.size() < 4 || !IsComponent(step.substr(0, 2))) Malformed(entry);
        sequence.steps.push_back({step.substr(0, 2), ParameterOf(step.substr(2, 2), entry)});
        const bool last = at + 4 >= steps.size();
        if (last) {
            if (step.size() != 4) Malformed(entry);
            break;
        }
        if (step.size() != 6 || (at + 6 < steps.size() && steps[at + 6] != ' ')) Malformed(entry);
        sequence.links.push_back(LinkOf(step.substr(4, 2), entry));
    }
    if (sequence.links.size() + 1 != sequence.steps.size()) Malformed(entry);  // a link to nothing
    return sequence;
}

}  // namespace tavrel
