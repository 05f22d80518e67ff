#pragma once
#include <optional>
#include <string>

#include "circuits/records/design.h"
#include "core/specification.h"

namespace tavrel {

// The wizard's rules on the one design. The windows and the batch tool call these and then
// show, hide and enable what the returned values say.

// The question ConfirmDiscard asks, or nullopt when the design may go without one.
std::optional<std::string> DiscardQuestion(const Design& design);

// Resets the design (NewDesign, also Close Design): the approximations, the stages, the
// circuits. The cascading criteria are preferences and stay.
void NewDesign(Design& design);

// Starts a design of the kind (after ConfirmDiscard agreed); returns the entry texts
// of the specification window for kinds 0..3.
SpecEntries StartDesign(Design& design, FilterKind kind);

// Next in the specification window: the flatness band and response grid of the stage gains,
// and DesignStep after a new Calculate.
void SpecificationNext(Design& design);

// A radio button of the approximation window was clicked.
void ChooseApproximation(Design& design, int approx);

// Back in the approximation window.
void ApproximationBack(Design& design);

// The steps of the wizard, each a page of the main window, in their order.
enum class WizardPage {
    Specification,
    Approximation,
    Pairing,
    Cascading,
    CircuitSelection,
    ComponentCalculation,
    FinalResponses
};
inline constexpr int kWizardPageCount = 7;

// Whether the design has come as far as the page: DesignStep has reached the value at
// which the wizard shows it (the specification of a started design always has).
bool PageReached(const DesignState& state, WizardPage page);

// Whether the page is one the design passes without showing it: pairing and cascading
// in their automatic modes.
bool PageSkipped(const DesignState& state, WizardPage page);

// What Next in the approximation window does, step by step.
struct ApproximationNextPlan {
    bool rebuild = false;            // pairing lists, stages and gains are built anew
    bool pairAutomatically = false;  // automatic pairing ran
    bool cascadeAutomatically = false;
    WizardPage show = WizardPage::CircuitSelection;
    bool enableTransferFunction = false;
};
// Next in the approximation window: decides the plan, applies its DesignStep change and runs
// the stage work it calls for (the pairing lists, automatic pairing, automatic cascading and
// the stage gains). The caller shows the window the plan names.
ApproximationNextPlan ApproximationNext(Design& design, int checkedApprox);

// The circuit of every stage chosen and their component values calculated: the design has come
// as far as the calculation window (DesignStep never goes back here).
void ComponentsCalculated(Design& design);

// A design was saved, or opened from a file.
void DesignSaved(Design& design);

// A design read from a file has no response arrays and no resistor values (the file keeps
// neither): from the approximation step on, the graph ranges are prepared and the ideal
// responses of the usable approximations computed again; a design whose components were
// calculated gets them again from the capacitors, gain resistors and hand-typed resistors the
// file kept. Pairing, cascade and circuits stay as the file gave them.
void DesignOpened(Design& design);

}  // namespace tavrel
