#pragma once
#include <optional>

#include "circuits/values/e12_series.h"
#include "circuits/values/resistor_series.h"

namespace tavrel {

// The two standard values around a computed one. The value is normalised to the mantissa
// range with its decade, "1000" is appended to the decade's list, and the first entry not
// below the mantissa is the upper candidate; the entry before it is the lower one (below the
// first entry: the last entry of the decade below). A value that is an entry (within the
// match of IsStandardResistor / IsStandardCapacitor) is exact: both candidates are that entry.
struct ResistorCandidates {
    bool exact = false;
    ResistorStep lower, upper;
};
struct CapacitorCandidates {
    bool exact = false;
    CapacitorStep lower, upper;
};

// Nothing for a value that is not positive and finite.
std::optional<ResistorCandidates> StandardResistorCandidates(long double ohms, ResistorSeries series);
std::optional<CapacitorCandidates> StandardCapacitorCandidates(long double farads);

// The candidate nearer to the value in absolute difference; when both are equally near, the
// upper one.
std::optional<ResistorStep> NearestStandardResistor(long double ohms, ResistorSeries series);
// The capacitor rule takes the value the capacitor had before the change in hand (its
// PrevValue), so that stepping away from a standard value does not snap back to it.
std::optional<CapacitorStep> NearestStandardCapacitor(long double previousFarads);

}  // namespace tavrel
