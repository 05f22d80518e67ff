#include "stages/stage_workflow.h"

#include "stages/cascading.h"
#include "stages/pairing.h"

namespace tavrel {

void SpecificationNextWithStages(DesignState& state, StageTables& tables) {
    PrepareStageGrid(state, tables);
    SpecificationNext(state);
}

ApproximationNextPlan ApproximationNextWithStages(DesignState& state, StageTables& tables, int checkedApprox) {
    const ApproximationNextPlan plan = ApproximationNext(state, checkedApprox);
    if (state.FilterKind == FilterKind::UserDefined) return plan;
    if (plan.rebuild) BuildPairingLists(state, tables);
    if (plan.pairAutomatically) PairAutomatically(state, tables);
    if (plan.cascadeAutomatically) {
        CascadeStages(state, tables);
        ScaleCascade(state, tables);
    }
    return plan;
}

}  // namespace tavrel
