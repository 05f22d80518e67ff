#pragma once
#include "core/design_state.h"
#include "stages/stage_scaling.h"
#include "stages/stage_tables.h"

namespace tavrel {

// Automatic cascading: puts stage records 1..StageCount in cascade order by the first-
// and last-stage preferences and then by increasing Qp or by maximum flatness. The
// caller recomputes the gains in the final order (ScaleCascade).
void CascadeStages(DesignState& state, StageTables& tables);

// Swaps two stage records together with their response arrays.
void SwapStages(StageTables& tables, int a, int b);

// The cascading window. Opening it after a new or changed pairing cascades anew;
// returns whether it did.
bool CascadeWindowOpened(DesignState& state, StageTables& tables);
// "Up" / "Down" on the stage at `stage`; returns the stage number now selected.
int MoveStageUp(DesignState& state, StageTables& tables, int stage);
int MoveStageDown(DesignState& state, StageTables& tables, int stage);
// "Cascade".
void CascadeAgain(DesignState& state, StageTables& tables);
// "Next".
void CascadingNext(DesignState& state);

}  // namespace tavrel
