#include "core/workflow.h"

namespace tavrel {

std::optional<std::string> DiscardQuestion(const DesignState& state) {
    if (!state.DesignModified || state.DesignStep == Step::NoDesign) return std::nullopt;
    if (!state.DesignFileName.empty()) return std::string("Do you wish to save the changes?");
    return std::string("Do you wish to save this design?");
}

void NewDesign(DesignState& state) {
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
}

SpecEntries StartDesign(DesignState& state, FilterKind kind) {
    NewDesign(state);
    state.FilterKind = kind;
    state.HighestApprox = kind == FilterKind::UserDefined ? 0 : 4;
    return DefaultEntries(kind, state.DbDisplay);
}

void SpecificationNext(DesignState& state) {
    if (state.Recalculated) {
        state.DesignStep = Step::SpecificationDone;
        state.ApproxIndex = 0;
    }
}

void ChooseApproximation(DesignState& state, int approx) {
    state.ApproxIndex = static_cast<std::uint8_t>(approx);
    state.ChosenApprox = static_cast<std::uint8_t>(approx);
    state.DesignModified = true;
    state.Recalculated = true;
    state.DesignStep = Step::ApproximationChosen;
}

void ApproximationBack(DesignState& state) { state.Recalculated = false; }

ApproximationNextPlan ApproximationNext(DesignState& state, int checkedApprox) {
    state.ApproxIndex = static_cast<std::uint8_t>(checkedApprox);
    ApproximationNextPlan plan;
    plan.rebuild = state.Recalculated || state.DesignStep <= Step::ApproximationChosen;
    if (state.FilterKind == FilterKind::UserDefined) {
        plan.show = WizardWindow::CircuitSelection;
        if (!(state.DesignStep > Step::SpecificationDone && !state.Recalculated)) {
            state.DesignStep = Step::ApproximationChosen;
            plan.enableTransferFunction = true;
        }
        return plan;
    }
    if (!state.AutoPairing) {
        plan.show = WizardWindow::Pairing;
        if (state.Recalculated) state.DesignStep = Step::ApproximationChosen;
        return plan;
    }
    plan.pairAutomatically = plan.rebuild;
    if (!state.AutoCascading) {
        plan.show = WizardWindow::Cascading;
        if (plan.rebuild) state.DesignStep = Step::PairingDone;
        return plan;
    }
    plan.cascadeAutomatically = plan.rebuild;
    plan.show = WizardWindow::CircuitSelection;
    if (!(state.DesignStep > Step::ApproximationChosen && !state.Recalculated)) {
        state.DesignStep = Step::CascadingDone;
        plan.enableTransferFunction = true;
    }
    return plan;
}

void DesignSaved(DesignState& state) {
    state.Recalculated = false;
    state.DesignModified = false;
}

}  // namespace tavrel
