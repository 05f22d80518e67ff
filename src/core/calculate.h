#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/design_state.h"
#include "core/specification.h"

namespace tavrel {

// What a Calculate needs from outside the design: where the program's data files are.
struct CalcEnvironment {
    std::filesystem::path bessRootFile;
};

// What a Calculate reports to its caller, which shows the boxes in this order.
struct CalcOutcome {
    std::optional<EntryError> rejected;  // an entry was refused: nothing was computed
    std::vector<std::string> warnings;   // specification warnings; the calculation went on
    std::optional<std::string> error;    // the Bessel root table could not be read
    std::optional<EntryError> gainRejected;  // results stand, responses were not computed
    bool nextEnabled = false;
};

// The question Calculate asks first when circuits were already selected.
std::optional<std::string> CalculateQuestion(const DesignState& state);

// The calculation sequence after the question was answered with OK: read and check the
// entries, compute all five approximations and, with an accepted gain, their responses.
CalcOutcome Calculate(DesignState& state, const SpecEntries& entries, const CalcEnvironment& env);

// Whether any approximation can be chosen.
bool AnyUsable(const DesignState& state);

}  // namespace tavrel
