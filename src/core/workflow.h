#pragma once
#include <optional>
#include <string>

#include "core/design_state.h"
#include "core/specification.h"

namespace tavrel {

// The wizard's state rules. The windows call these and then show, hide and enable
// what the returned values say.

// The question ConfirmDiscard asks, or nullopt when the design may go without one.
std::optional<std::string> DiscardQuestion(const DesignState& state);

// Resets the design (NewDesign, also Close Design).
void NewDesign(DesignState& state);

// Starts a design of the kind (after ConfirmDiscard agreed); returns the entry texts
// of the specification window for kinds 0..3.
SpecEntries StartDesign(DesignState& state, FilterKind kind);

// Next in the specification window.
void SpecificationNext(DesignState& state);

// A radio button of the approximation window was clicked.
void ChooseApproximation(DesignState& state, int approx);

// Back in the approximation window.
void ApproximationBack(DesignState& state);

// What Next in the approximation window does, step by step.
enum class WizardWindow { Pairing, Cascading, CircuitSelection };
struct ApproximationNextPlan {
    bool rebuild = false;            // pairing lists, stages and gains are built anew
    bool pairAutomatically = false;  // run automatic pairing before the next window
    bool cascadeAutomatically = false;
    WizardWindow show = WizardWindow::CircuitSelection;
    bool enableTransferFunction = false;
};
// Decides the plan and applies its DesignStep change.
ApproximationNextPlan ApproximationNext(DesignState& state, int checkedApprox);

// A design was saved, or opened from a file.
void DesignSaved(DesignState& state);

}  // namespace tavrel
