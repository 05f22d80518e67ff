#include "analysis/workflow.h"

#include <algorithm>

#include "circuits/calculation/recalculate.h"
#include "circuits/calculation/stage_gains.h"
#include "circuits/records/circuit_record_init.h"
#include "core/responses.h"
#include "stages/cascading.h"
#include "stages/pairing.h"
#include "stages/stage_scaling.h"

namespace tavrel {

namespace {

// The step rules of Next in the approximation window, before any stage work.
ApproximationNextPlan PlanApproximationNext(DesignState& state, int checkedApprox) {
    state.ApproxIndex = static_cast<std::uint8_t>(checkedApprox);
    ApproximationNextPlan plan;
    plan.rebuild = state.Recalculated || state.DesignStep <= Step::ApproximationChosen;
    if (state.FilterKind == FilterKind::UserDefined) {
        plan.show = WizardPage::CircuitSelection;
        if (!(state.DesignStep > Step::SpecificationDone && !state.Recalculated)) {
            state.DesignStep = Step::ApproximationChosen;
            plan.enableTransferFunction = true;
        }
        return plan;
    }
    if (!state.AutoPairing) {
        plan.show = WizardPage::Pairing;
        if (state.Recalculated) state.DesignStep = Step::ApproximationChosen;
        return plan;
    }
    plan.pairAutomatically = plan.rebuild;
    if (!state.AutoCascading) {
        plan.show = WizardPage::Cascading;
        if (plan.rebuild) state.DesignStep = Step::PairingDone;
        return plan;
    }
    plan.cascadeAutomatically = plan.rebuild;
    plan.show = WizardPage::CircuitSelection;
    if (!(state.DesignStep > Step::ApproximationChosen && !state.Recalculated)) {
        state.DesignStep = Step::CascadingDone;
        plan.enableTransferFunction = true;
    }
    return plan;
}

// The DesignStep at which each page is shown, in page order (Next in the approximation
// window sets 3 for the pairing page, 4 for cascading, 5 for circuit selection; the later
// steps follow the same pattern).
constexpr std::uint8_t kPageSteps[kWizardPageCount] = {Step::NoDesign,         Step::SpecificationDone,
                                                       Step::ApproximationChosen, Step::PairingDone,
                                                       Step::CascadingDone,    Step::CircuitsSelected,
                                                       Step::ComponentsCalculated};

}  // namespace

bool PageReached(const DesignState& state, WizardPage page) {
    return state.DesignStep >= kPageSteps[static_cast<int>(page)];
}

bool PageSkipped(const DesignState& state, WizardPage page) {
    if (state.FilterKind == FilterKind::UserDefined)
        return page == WizardPage::Specification || page == WizardPage::Pairing || page == WizardPage::Cascading;
    return (page == WizardPage::Pairing && state.AutoPairing) || (page == WizardPage::Cascading && state.AutoCascading);
}

std::optional<std::string> DiscardQuestion(const Design& design) {
    const DesignState& state = design.State;
    if (!state.DesignModified || state.DesignStep == Step::NoDesign) return std::nullopt;
    if (!state.DesignFileName.empty()) return std::string("Do you wish to save the changes?");
    return std::string("Do you wish to save this design?");
}

void NewDesign(Design& design) {
    DesignState& state = design.State;
    state.DesignFileName.clear();
    state.DesignStep = Step::NoDesign;
    ClearAllApproximations(state);
    state.ComputationFailed.fill(false);
    state.ResultsValid = false;
    state.GainAccepted = false;
    state.Recalculated = false;
    state.DesignModified = false;
    state.ForceOrder = false;
    state.OverallGain = 1;
    state.StageCount = 0;
    const CascadeCriteria criteria = design.Stages.Criteria;
    design.Stages = StageTables{};
    design.Stages.Criteria = criteria;
    ResetCircuitTable(design.Circuits);
}

SpecEntries StartDesign(Design& design, FilterKind kind) {
    NewDesign(design);
    design.State.FilterKind = kind;
    design.State.HighestApprox = kind == FilterKind::UserDefined ? 0 : 4;
    return DefaultEntries(kind, design.State.DbDisplay);
}

void SpecificationNext(Design& design) {
    DesignState& state = design.State;
    PrepareStageGrid(state, design.Stages);
    if (state.Recalculated) {
        state.DesignStep = Step::SpecificationDone;
        state.ApproxIndex = 0;
    }
}

void ChooseApproximation(Design& design, int approx) {
    DesignState& state = design.State;
    state.ApproxIndex = static_cast<std::uint8_t>(approx);
    state.ChosenApprox = static_cast<std::uint8_t>(approx);
    state.DesignModified = true;
    state.Recalculated = true;
    state.DesignStep = Step::ApproximationChosen;
}

void ApproximationBack(Design& design) { design.State.Recalculated = false; }

ApproximationNextPlan ApproximationNext(Design& design, int checkedApprox) {
    DesignState& state = design.State;
    const ApproximationNextPlan plan = PlanApproximationNext(state, checkedApprox);
    if (state.FilterKind == FilterKind::UserDefined) return plan;
    if (plan.rebuild) BuildPairingLists(state, design.Stages);
    if (plan.pairAutomatically) PairAutomatically(state, design.Stages);
    if (plan.cascadeAutomatically) {
        CascadeStages(state, design.Stages);
        ScaleCascade(state, design.Stages);
    }
    return plan;
}

void ComponentsCalculated(Design& design) {
    design.State.DesignStep = std::max(design.State.DesignStep, Step::ComponentsCalculated);
}

void DesignOpened(Design& design) {
    DesignState& state = design.State;
    if (state.DesignStep < Step::ApproximationChosen) return;
    // A user-defined filter's ranges come from its own stages, which the entry window sets.
    if (state.FilterKind != FilterKind::UserDefined) {
        PrepareRanges(state);
        for (int approx = 0; approx < kApproxCount; ++approx)
            if (IsUsable(state, approx)) ComputeResponses(state, approx);
    }
    if (state.DesignStep < Step::ComponentsCalculated) return;
    RecalculateAll(design, true);
    ReportGains(design);
}

void DesignSaved(Design& design) {
    design.State.Recalculated = false;
    design.State.DesignModified = false;
}

}  // namespace tavrel
