#include "circuits/values/standard_candidates.h"

#include <cmath>

namespace tavrel {

namespace {

// Positions in a list with "1000" appended, as steps of whole decades: position `size` is the
// appended "1000", which is the first entry one decade up; position -1 is the last entry one
// decade down.
struct ListPlace {
    int index = 0;
    int decadesUp = 0;
};

ListPlace Wrapped(int position, int size) {
    if (position >= size) return {0, 1};
    if (position < 0) return {size - 1, -1};
    return {position, 0};
}

// Lower and upper places of a mantissa that is not an entry of the list.
std::pair<ListPlace, ListPlace> Around(long double mantissa, ResistorSeries list) {
    const int size = static_cast<int>(SeriesEntries(list).size());
    int upper = 0;
    while (upper < size && mantissa > SeriesMantissa(list, upper)) ++upper;
    return {Wrapped(upper - 1, size), Wrapped(upper, size)};
}

// Nearer of two values, ties to the upper.
bool UpperIsNearer(long double value, long double lower, long double upper) {
    return std::fabs(upper - value) <= std::fabs(value - lower);
}

}  // namespace

std::optional<ResistorCandidates> StandardResistorCandidates(long double ohms, ResistorSeries series) {
    if (!(ohms > 0) || !std::isfinite(ohms)) return std::nullopt;
    if (const auto step = IsStandardResistor(ohms, series)) return ResistorCandidates{true, *step, *step};
    const NormalisedValue n = NormaliseResistor(ohms);
    const auto [lower, upper] = Around(n.mantissa, series);
    // Resistor decades count up with the value.
    return ResistorCandidates{false, {lower.index, n.decade + lower.decadesUp}, {upper.index, n.decade + upper.decadesUp}};
}

std::optional<CapacitorCandidates> StandardCapacitorCandidates(long double farads) {
    if (!(farads > 0) || !std::isfinite(farads)) return std::nullopt;
    if (const auto step = IsStandardCapacitor(farads)) return CapacitorCandidates{true, *step, *step};
    const NormalisedValue n = NormaliseCapacitor(farads);
    const auto [lower, upper] = Around(n.mantissa, ResistorSeries::E12);  // the capacitors' list
    // Capacitor decades count the divisions by ten: one decade up in value is one fewer.
    return CapacitorCandidates{false, {lower.index, n.decade - lower.decadesUp}, {upper.index, n.decade - upper.decadesUp}};
}

std::optional<ResistorStep> NearestStandardResistor(long double ohms, ResistorSeries series) {
    const auto c = StandardResistorCandidates(ohms, series);
    if (!c) return std::nullopt;
    if (c->exact) return c->upper;
    return UpperIsNearer(ohms, ResistorFromStep(series, c->lower), ResistorFromStep(series, c->upper)) ? c->upper
                                                                                                         : c->lower;
}

std::optional<CapacitorStep> NearestStandardCapacitor(long double previousFarads) {
    const auto c = StandardCapacitorCandidates(previousFarads);
    if (!c) return std::nullopt;
    if (c->exact) return c->upper;
    return UpperIsNearer(previousFarads, CapacitorFromStep(c->lower), CapacitorFromStep(c->upper)) ? c->upper
                                                                                                   : c->lower;
}

}  // namespace tavrel
