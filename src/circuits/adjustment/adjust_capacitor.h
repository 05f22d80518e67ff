#pragma once
#include <optional>
#include <string>
#include <vector>

#include "circuits/records/design.h"

namespace tavrel {

// Setting one capacitor of a stage by hand, within 12 % of its computed value, with the
// resistors re-solved so that the stage keeps its pole frequency, Q (and where it holds them,
// gain and zero frequency). The dialog's texts and checks are the program's own; the window
// shows what these return.

// What the "Adjust C" dialog offers for capacitor j of a stage: the reference value (the
// value before the first adjustment of the stage), the allowable range PrevValue / 1.12 to
// PrevValue × 1.12 (both allowed), and the nearest standard value ("Stnd").
struct CapacitorAdjustment {
    long double reference = 0, min = 0, max = 0, standard = 0;
};
CapacitorAdjustment CapacitorAdjustmentOf(const StageCircuitRecord& record, int capacitor);

// The refusal before any dialog: the twin-T highpass notch keeps C1:C2, so neither of them can
// be set on its own.
std::optional<std::string> CapacitorAdjustmentRefusal(const StageCircuitRecord& record, int capacitor);

// What an adjustment did: whether the new value is in force, and the messages to show in turn
// (a refusal, a failure, or the gain change).
struct AdjustmentOutcome {
    bool applied = false;
    std::vector<std::string> messages;
};

// OK of the dialog with the value entered (nothing: the entry was empty). Silent (the
// all-capacitors-standard mode) skips the refusal and the range check and reports nothing.
AdjustmentOutcome AdjustCapacitor(Design& design, int stage, int capacitor, std::optional<long double> value,
                                  bool silent = false);

// "Stage gain has increased by 4.0% from its origional value." for a change of the stage's
// gain from `before` to `after`; nothing when it rounds to no change.
std::optional<std::string> GainChangeMessage(long double before, long double after);

}  // namespace tavrel
