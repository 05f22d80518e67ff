#include <algorithm>

#include "stages/cascading.h"
#include "stages/pairing.h"
#include "stages/stage_forming.h"

namespace tavrel {

namespace {

constexpr const char* kTooManyPoles = "Too many poles selected.";
constexpr const char* kTooManyZeros = "Too many zeros selected.";
constexpr const char* kTooManyZerosForRealPole = "Too many zeros selected";
constexpr const char* kNoPole = "Pole or pole pair not selected";
constexpr const char* kNoLine = "No pole-zero pair selected.";
constexpr const char* kIncomplete = "Pole-zero pairing not complete!";

bool ListedLineUses(const StageTables& tables, int stage) {
    return std::find(tables.PairLines.begin(), tables.PairLines.end(), stage) != tables.PairLines.end();
}

// The record of a new stage: the one after the last line while no listed line uses it
// (after an Undo it may), otherwise the lowest record no listed line uses.
int NewStageNumber(const StageTables& tables) {
    const int next = static_cast<int>(tables.PairLines.size()) + 1;
    if (!ListedLineUses(tables, next)) return next;
    int stage = 1;
    while (ListedLineUses(tables, stage)) ++stage;
    return stage;
}

void JoinStage(DesignState& state, StageTables& tables, int pole1, int pole2, int zero1, int zero2) {
    const int stage = NewStageNumber(tables);
    FormStage(tables, stage, pole1, pole2, zero1, zero2);
    tables.PairLines.push_back(static_cast<std::int16_t>(stage));
    state.DesignModified = true;
    state.Recalculated = true;
}

void SetPairingStep(DesignState& state, const StageTables& tables) {
    state.DesignStep = PairingComplete(tables) ? Step::PairingDone : Step::ApproximationChosen;
}

bool IsPolePair(const StageTables& tables, int entry) { return tables.PairPoleList[static_cast<size_t>(entry)].IsPair; }
bool IsZeroPair(const StageTables& tables, int entry) { return tables.PairZeroList[static_cast<size_t>(entry)].IsPair; }

}  // namespace

std::optional<std::string> AddPairing(DesignState& state, StageTables& tables, const PairingSelection& selection) {
    const auto& poles = selection.poles;
    const auto& zeros = selection.zeros;
    if (poles.size() > 2) return std::string(kTooManyPoles);
    if (zeros.size() > 2) return std::string(kTooManyZeros);
    if (poles.empty()) return std::string(kNoPole);
    std::optional<std::string> message;
    const int zero1 = zeros.empty() ? 0 : zeros[0];
    const int zero2 = zeros.size() > 1 ? zeros[1] : 0;
    if (poles.size() == 2) {
        if (IsPolePair(tables, poles[0]) || IsPolePair(tables, poles[1])) return std::string(kTooManyPoles);
        if (zeros.size() > 1) return std::string(kTooManyZeros);
        JoinStage(state, tables, poles[0], poles[1], zero1, 0);
    } else if (zeros.empty()) {
        JoinStage(state, tables, poles[0], 0, 0, 0);
    } else if (IsPolePair(tables, poles[0])) {
        if (zeros.size() == 2 && (IsZeroPair(tables, zero1) || IsZeroPair(tables, zero2)))
            return std::string(kTooManyZeros);
        JoinStage(state, tables, poles[0], 0, zero1, zero2);
    } else if (zeros.size() > 1 || IsZeroPair(tables, zero1)) {
        message = kTooManyZerosForRealPole;
    } else {
        JoinStage(state, tables, poles[0], 0, zero1, 0);
    }
    SetPairingStep(state, tables);
    return message;
}

std::optional<std::string> UndoPairing(DesignState& state, StageTables& tables, std::optional<int> line) {
    if (!line || *line < 0 || *line >= static_cast<int>(tables.PairLines.size())) return std::string(kNoLine);
    StageRecord& stage = tables.Stage[static_cast<size_t>(tables.PairLines[static_cast<size_t>(*line)])];
    for (int pole : {stage.Pole1, stage.Pole2})
        if (pole != 0) tables.PairPoleList[static_cast<size_t>(pole)].Available = 1;
    for (int zero : {stage.Zero1, stage.Zero2})
        if (zero != 0) tables.PairZeroList[static_cast<size_t>(zero)].Available = 1;
    ClearStagePairing(stage);
    tables.PairLines.erase(tables.PairLines.begin() + *line);
    state.DesignModified = true;
    return std::nullopt;
}

std::optional<std::string> PairingNext(DesignState& state, StageTables& tables) {
    if (!PairingComplete(tables)) return std::string(kIncomplete);
    state.StageCount = static_cast<std::int16_t>(tables.PairLines.size());
    if (state.AutoCascading) {
        CascadeStages(state, tables);
        ScaleCascade(state, tables);
        state.DesignStep = Step::CascadingDone;
    }
    return std::nullopt;
}

}  // namespace tavrel
