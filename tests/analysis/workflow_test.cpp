#include "analysis/workflow.h"

#include <gtest/gtest.h>

#include <memory>

#include "core/calc_fixture.h"

namespace tavrel {
namespace {

// A design after a Calculate of the specification.
std::unique_ptr<Design> CalculatedDesign(const testing::Spec& spec) {
    auto design = std::make_unique<Design>();
    design->State = testing::Calculated(spec);
    return design;
}

TEST(Workflow, DiscardQuestion) {
    auto design = std::make_unique<Design>();
    DesignState& state = design->State;
    EXPECT_FALSE(DiscardQuestion(*design));
    state.DesignStep = Step::SpecificationDone;
    EXPECT_FALSE(DiscardQuestion(*design));  // never changed
    state.DesignModified = true;
    EXPECT_EQ(DiscardQuestion(*design), std::optional<std::string>("Do you wish to save this design?"));
    state.DesignFileName = "/tmp/a.tv3";
    EXPECT_EQ(DiscardQuestion(*design), std::optional<std::string>("Do you wish to save the changes?"));
    state.DesignStep = Step::NoDesign;
    EXPECT_FALSE(DiscardQuestion(*design));
}

TEST(Workflow, StartingANewDesignResets) {
    auto design = CalculatedDesign({.gain = "10", .forced = "5"});
    DesignState& state = design->State;
    state.DesignStep = Step::CascadingDone;
    state.DesignFileName = "x.tv3";
    design->Stages.Criteria.UseQ = true;
    design->Stage(1).Wp = 1234;
    design->Circuit(2).CircuitNo = 11;
    design->Circuit(2).Invalid = 1;
    const SpecEntries entries = StartDesign(*design, FilterKind::Highpass);
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
    // The stages and circuits go with the design; the cascading criteria are preferences.
    EXPECT_EQ(design->Stage(1).Wp, 0);
    EXPECT_EQ(design->Circuit(2).Invalid, 0);
    EXPECT_EQ(design->Circuit(2).Resistors[0].Value, Real48::Round(0.001L));
    EXPECT_TRUE(design->Stages.Criteria.UseQ);
    StartDesign(*design, FilterKind::UserDefined);
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
    auto design = CalculatedDesign({});
    DesignState& state = design->State;
    EXPECT_TRUE(state.Recalculated);
    EXPECT_TRUE(state.DesignModified);
    SpecificationNext(*design);
    EXPECT_EQ(state.DesignStep, Step::SpecificationDone);
    ChooseApproximation(*design, Chebyshev);
    EXPECT_EQ(state.ChosenApprox, Chebyshev);
    EXPECT_EQ(state.DesignStep, Step::ApproximationChosen);

    // Automatic pairing and cascading: rebuild and go on to circuit selection.
    ApproximationNextPlan plan = ApproximationNext(*design, Chebyshev);
    EXPECT_TRUE(plan.rebuild && plan.pairAutomatically && plan.cascadeAutomatically);
    EXPECT_EQ(plan.show, WizardPage::CircuitSelection);
    EXPECT_EQ(state.DesignStep, Step::CascadingDone);
    EXPECT_TRUE(plan.enableTransferFunction);
    EXPECT_EQ(state.StageCount, (state.Approx[Chebyshev].Order + 1) / 2);
    EXPECT_NE(design->Stage(state.StageCount).TypeName, "");

    // A saved and reopened design is browsed without rebuilding.
    DesignSaved(*design);
    state.DesignStep = Step::ComponentsCalculated;
    design->Stage(1).Flatness = 12345;
    plan = ApproximationNext(*design, Chebyshev);
    EXPECT_FALSE(plan.rebuild || plan.pairAutomatically || plan.cascadeAutomatically);
    EXPECT_EQ(state.DesignStep, Step::ComponentsCalculated);
    EXPECT_EQ(design->Stage(1).Flatness, 12345);

    // Interactive pairing shows its window; interactive cascading after automatic pairing.
    state.AutoPairing = false;
    state.Recalculated = true;
    plan = ApproximationNext(*design, Chebyshev);
    EXPECT_EQ(plan.show, WizardPage::Pairing);
    EXPECT_EQ(state.DesignStep, Step::ApproximationChosen);
    state.AutoPairing = true;
    state.AutoCascading = false;
    plan = ApproximationNext(*design, Chebyshev);
    EXPECT_EQ(plan.show, WizardPage::Cascading);
    EXPECT_TRUE(plan.pairAutomatically);
    EXPECT_EQ(state.DesignStep, Step::PairingDone);

    ApproximationBack(*design);
    EXPECT_FALSE(state.Recalculated);
}

// The pages a design has reached, step by step through the wizard with interactive
// pairing and cascading, as the step indicator of the main window shows them.
TEST(Workflow, PagesReachedFollowTheSteps) {
    auto design = std::make_unique<Design>();
    DesignState& state = design->State;
    state.AutoPairing = state.AutoCascading = false;
    auto reached = [&] {
        std::string marks;
        for (int page = 0; page < kWizardPageCount; ++page)
            marks += PageReached(state, static_cast<WizardPage>(page)) ? 'x' : '.';
        return marks;
    };
    StartDesign(*design, FilterKind::Lowpass);
    EXPECT_EQ(reached(), "x......");
    design->State = testing::Calculated({});
    state.AutoPairing = state.AutoCascading = false;
    SpecificationNext(*design);
    EXPECT_EQ(reached(), "xx.....");
    EXPECT_EQ(ApproximationNext(*design, Butterworth).show, WizardPage::Pairing);
    EXPECT_EQ(reached(), "xxx....");
    state.DesignStep = Step::PairingDone;  // what the pairing page's Next sets
    EXPECT_EQ(reached(), "xxxx...");
    state.DesignStep = Step::FinalResponses;
    EXPECT_EQ(reached(), "xxxxxxx");
    NewDesign(*design);
    EXPECT_EQ(reached(), "x......");

    EXPECT_FALSE(PageSkipped(state, WizardPage::Pairing));
    state.AutoPairing = true;
    EXPECT_TRUE(PageSkipped(state, WizardPage::Pairing));
    EXPECT_FALSE(PageSkipped(state, WizardPage::Cascading));
    EXPECT_FALSE(PageSkipped(state, WizardPage::Approximation));
}

}  // namespace
}  // namespace tavrel
