#pragma once
#include <array>

#include "circuits/records/design.h"

namespace tavrel {

// The remedies for the op amps' finite GBW of the "Op amp Frequency Compensation" window.
enum class Compensation { Predistortion, Active, Neither };

Compensation CompensationOf(const StageCircuitRecord& record);

// First-order stages take neither remedy; active compensation needs a compensated variant.
bool Allows(const Design& design, int stage, Compensation choice);

// Sets the stage's two flags at once (Predistortion 1, 0; Active 0, 1; Neither 0, 0); a choice
// the stage does not allow is ignored.
void ChooseCompensation(Design& design, int stage, Compensation choice);

// The flags as the window found them on opening, for Cancel.
struct SavedCompensation {
    std::array<Compensation, kMaxStages + 1> choice{};
};
SavedCompensation SaveCompensation(const Design& design);
void RestoreCompensation(Design& design, const SavedCompensation& saved);

}  // namespace tavrel
