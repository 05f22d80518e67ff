#pragma once
#include <string>
#include <vector>

namespace tavrel {

// The tuning entry of a circuit as the table holds it: a two-letter rating, a blank and the
// steps ("GO R1WP00 R4QP"), or "NR" alone; nullptr for a number the table does not hold.
const char* TuningEntryText(int circuitNo);

// The parameter a tuning step sets.
enum class TunedParameter { Corner, PoleFrequency, PoleQ, ZeroFrequency, ZeroQ };

// How two steps are joined: adjust the first, then the second (Plain); adjust the two by turns
// until both hold (Alternate); or the third form (Linked).
enum class StepLink { Plain, Alternate, Linked };

struct TuningStep {
    std::string component;  // "R1", "C2"
    TunedParameter parameter = TunedParameter::Corner;
};

// An entry taken apart: the rating code, the steps in order and the link between step i and
// step i + 1 at links[i]. An absent step ("XXXX") ends the list; a trailing marker in braces is
// not part of the entry.
struct TuningSequence {
    std::string rating;
    std::vector<TuningStep> steps;
    std::vector<StepLink> links;
};

// Throws std::logic_error for text that is not a tuning entry: the table is program data, and a
// malformed row is a fault of the program, not of the user's design.
TuningSequence ParseTuningEntry(const std::string& entry);

}  // namespace tavrel
