#pragma once
#include "core/design_state.h"
#include "core/workflow.h"
#include "stages/stage_tables.h"

namespace tavrel {

// Next in the specification window: the core's rules plus the flatness band and the
// response grid of the stage gains.
void SpecificationNextWithStages(DesignState& state, StageTables& tables);

// Next in the approximation window: decides the plan (core) and runs the stage work it
// calls for: rebuilding the pairing lists, automatic pairing, automatic cascading and
// the stage gains. The caller shows the window the plan names.
ApproximationNextPlan ApproximationNextWithStages(DesignState& state, StageTables& tables, int checkedApprox);

}  // namespace tavrel
