#pragma once
#include <array>
#include <optional>
#include <string>

#include "core/design_state.h"
#include "stages/stage_tables.h"
#include "stages/user_stage_entry.h"

namespace tavrel {

// The stage entry of a user-defined filter: stages go straight into the stage table in the
// order entered, and approximation slot 0 collects their poles and zeros so that the ideal
// responses can be computed for the user's filter. The stages entered so far are stages
// 1..StageCount.

using UserEntryTable = std::array<UserStageEntry, kMaxStages + 1>;

// Section types of the entry window, kept in FilterKind while the window is open.
enum class UserSection { Lowpass = 0, Highpass = 1, Bandpass = 2, Bandstop = 3 };

// What the entry window holds when "Add" is pressed. Field texts in window order: the first
// value (Q, or p), "wp =" (or the zero "z = +/-j" in pole entry), "wz =", "+/- j", "To =".
struct UserStageInput {
    bool secondOrder = true;
    UserSection section = UserSection::Lowpass;
    std::uint8_t mode = 0;  // 0 " Q,wp,wz", 1 " poles"
    std::array<std::string, 5> fields{};
};

// Opening the entry window: no stages, slot 0 cleared with a gain constant of 1.
void StartUserEntry(DesignState& state, StageTables& stages, UserEntryTable& entries);

// Add: the warning that refuses the stage ("Value must be non-zero.", "Q must be >0.5.", the
// order limit), or nullopt when the stage was added as stage StageCount.
std::optional<std::string> AddUserStage(DesignState& state, StageTables& stages, UserEntryTable& entries,
                                        const UserStageInput& input);

// Delete the stage s (1..StageCount): its poles and zeros leave slot 0, the stages after it
// move down.
void DeleteUserStage(DesignState& state, StageTables& stages, UserEntryTable& entries, int s);

// Up / Down: the stage s changes places with s - 1 or s + 1 (when there is one).
void MoveUserStage(DesignState& state, StageTables& stages, UserEntryTable& entries, int s, int direction);

}  // namespace tavrel
