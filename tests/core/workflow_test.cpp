#include "core/workflow.h"

#include <gtest/gtest.h>

#include "calc_fixture.h"

namespace tavrel {
namespace {

TEST(Workflow, DiscardQuestion) {
    DesignState state;
    EXPECT_FALSE(DiscardQuestion(state));
    state.DesignStep = Step::SpecificationDone;
    EXPECT_FALSE(DiscardQuestion(state));  // never changed
    state.DesignModified = true;
    EXPECT_EQ(DiscardQuestion(state), std::optional<std::string>("Do you wish to save this design?"));
    state.DesignFileName = "/tmp/a.tv3";
    EXPECT_EQ(DiscardQuestion(state), std::optional<std::string>("Do you wish to save the changes?"));
    state.DesignStep = Step::NoDesign;
    EXPECT_FALSE(DiscardQuestion(state));
}

TEST(Workflow, StartingANewDesignResets) {
    DesignState state = testing::Calculated({.gain = "10", .forced = "5"});
    state.DesignStep = Step::CascadingDone;
    state.DesignFileName = "x.tv3";
    const SpecEntries entries = StartDesign(state, FilterKind::Highpass);
    EXPECT_EQ(state.FilterKind, FilterKind::Highpass);
    EXPECT_EQ(state.DesignStep, Step::NoDesign);
    EXPECT_EQ(state.OverallGain, 1);
    EXPECT_FALSE(state.ForceOrder);
    EXPECT_FALSE(state.DesignModified);
    EXPECT_FALSE(state.Recalculated);
    EXPECT_TRUE(state.DesignFileName.empty());
    EXPECT_EQ(state.Approx[Butterworth].Order, 0);
    EXPECT_EQ(state.Approx[Butterworth].OrderLimit, 20);
    EXPECT_EQ(state.PolePair[Butterworth][1].C0, 0);
    EXPECT_EQ(state.HighestApprox, 4);
    EXPECT_FALSE(entries.ForceOrder);
    EXPECT_EQ(entries.F1, "2");
    StartDesign(state, FilterKind::UserDefined);
    EXPECT_EQ(state.HighestApprox, 0);
}

TEST(Workflow, CalculateAsksOnlyAfterCircuitSelection) {
    DesignState state;
    state.DesignStep = Step::CascadingDone;
    EXPECT_FALSE(CalculateQuestion(state));
    state.DesignStep = Step::CircuitsSelected;
    EXPECT_EQ(CalculateQuestion(state), std::optional<std::string>("This will re-initialize your design."));
}

TEST(Workflow, StepsThroughTheWizard) {
    DesignState state = testing::Calculated({});
    EXPECT_TRUE(state.Recalculated);
    EXPECT_TRUE(state.DesignModified);
    SpecificationNext(state);
    EXPECT_EQ(state.DesignStep, Step::SpecificationDone);
    ChooseApproximation(state, Chebyshev);
    EXPECT_EQ(state.ChosenApprox, Chebyshev);
    EXPECT_EQ(state.DesignStep, Step::ApproximationChosen);

    // Automatic pairing and cascading: rebuild and go on to circuit selection.
    ApproximationNextPlan plan = ApproximationNext(state, Chebyshev);
    EXPECT_TRUE(plan.rebuild && plan.pairAutomatically && plan.cascadeAutomatically);
    EXPECT_EQ(plan.show, WizardWindow::CircuitSelection);
    EXPECT_EQ(state.DesignStep, Step::CascadingDone);
    EXPECT_TRUE(plan.enableTransferFunction);

    // A saved and reopened design is browsed without rebuilding.
    DesignSaved(state);
    state.DesignStep = Step::ComponentsCalculated;
    plan = ApproximationNext(state, Chebyshev);
    EXPECT_FALSE(plan.rebuild || plan.pairAutomatically || plan.cascadeAutomatically);
    EXPECT_EQ(state.DesignStep, Step::ComponentsCalculated);

    // Interactive pairing shows its window; interactive cascading after automatic pairing.
    state.AutoPairing = false;
    state.Recalculated = true;
    plan = ApproximationNext(state, Chebyshev);
    EXPECT_EQ(plan.show, WizardWindow::Pairing);
    EXPECT_EQ(state.DesignStep, Step::ApproximationChosen);
    state.AutoPairing = true;
    state.AutoCascading = false;
    plan = ApproximationNext(state, Chebyshev);
    EXPECT_EQ(plan.show, WizardWindow::Cascading);
    EXPECT_TRUE(plan.pairAutomatically);
    EXPECT_EQ(state.DesignStep, Step::PairingDone);

    ApproximationBack(state);
    EXPECT_FALSE(state.Recalculated);
}

}  // namespace
}  // namespace tavrel
