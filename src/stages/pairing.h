#pragma once
#include <optional>
#include <string>
#include <vector>

#include "core/design_state.h"
#include "stages/stage_tables.h"

namespace tavrel {

// Builds the pairing lists from the poles and zeros of approximation ApproxIndex,
// clears the stage records they will fill and the pairs list, and sets StageCount.
// Also "Undo All" of the pairing window, which marks the design modified.
void BuildPairingLists(DesignState& state, StageTables& tables);
void UndoAllPairing(DesignState& state, StageTables& tables);

// Automatic pairing: every pole entry in list order takes the nearest free zero.
// Discards any joins made so far; afterwards no entry is available and the pairs list
// holds every formed stage.
void PairAutomatically(DesignState& state, StageTables& tables);
// "Auto Add All": automatic pairing from the pairing window.
void AutoAddAll(DesignState& state, StageTables& tables);

// "Add": joins the selected entries (entry numbers of the pairing lists) into a new
// stage. Returns the error message when nothing was joined.
struct PairingSelection {
    std::vector<int> poles;
    std::vector<int> zeros;
};
std::optional<std::string> AddPairing(DesignState& state, StageTables& tables, const PairingSelection& selection);

// "Undo" of the line at `line` (0-based) of the pairs list, or of no line (nullopt).
std::optional<std::string> UndoPairing(DesignState& state, StageTables& tables, std::optional<int> line);

// Entry numbers still listed in the "Poles:" and "Zeros:" lists.
std::vector<int> AvailablePoleEntries(const StageTables& tables);
std::vector<int> AvailableZeroEntries(const StageTables& tables);
bool PairingComplete(const StageTables& tables);

// "Next" of the pairing window: the message when a pole or zero is still listed;
// otherwise the stages are counted and, with automatic cascading, cascaded and scaled.
std::optional<std::string> PairingNext(DesignState& state, StageTables& tables);

}  // namespace tavrel
