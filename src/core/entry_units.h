#pragma once
#include <string>

namespace tavrel {

// Switching the display unit between Hz and rad/s rewrites the frequency entries, so that
// the next Calculate designs the same filter.

// The working frequency in rad/s that an entry gives: the entry stored, times the factor of
// its unit box (0: Hz or rad/s, 1: kHz or krad/s), stored.
long double WorkingFrequency(long double entry, bool hzUnits, int unitIndex);

// The entry for the same box position in the other unit (Hz <-> rad/s, kHz <-> krad/s):
// among the stored values nearest to entry times the ratio of the factors, the one whose
// working frequency is exactly that of the old entry, so that the design does not move by a
// rounding step.
long double EntryInOtherUnit(long double entry, bool fromHz, int unitIndex);

// The text a rewritten entry shows: five significant digits, with an engineering prefix
// (p n u m k M G) where the plain number would need an exponent.
std::string ConvertedEntryText(long double value);

}  // namespace tavrel
