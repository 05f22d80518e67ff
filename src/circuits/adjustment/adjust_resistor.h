#pragma once
#include <optional>
#include <string>

#include "circuits/adjustment/adjust_capacitor.h"
#include "circuits/values/resistor_series.h"

namespace tavrel {

// Typing a resistor's value by hand ("Adjust R" dialog). The typed value replaces the computed
// one in the analysis and survives later recalculations; the other components stay.

// The dialog's entry: a number with an optional suffix "K" (kilo), "M" (mega) or "G" (giga),
// a trailing stock bullet ignored. Nothing when the text is no such value.
std::optional<long double> ReadResistorEntry(const std::string& text);

// The value shown in the dialog: the typed value of a fixed resistor, else the computed one.
long double ResistorInForce(const StageCircuitRecord& record, int resistor);

// OK of the dialog: "Resistance value is unacceptably low" below 0.01 ohm and nothing changes;
// the computed value typed back (as the dialog shows it, four significant digits) removes
// the override; any other value becomes the resistor's UserValue. The stage's ActualGain is
// the gain its values in force realise.
AdjustmentOutcome AdjustResistor(Design& design, int stage, int resistor, const std::string& text);

// The spin buttons: the next standard value of the series above (direction +1) or below (-1)
// a value, past the last entry of a decade to the first of the next and back.
long double StepStandardResistor(long double ohms, ResistorSeries series, int direction);

}  // namespace tavrel
