#pragma once
#include <functional>
#include <string>
#include <vector>

#include "circuits/records/design.h"

namespace tavrel {

// The title line of the spread and temperature pages: " Lowpass Filter  N=5", or
// "User Defined Filter  N=4" (the order of a user-defined filter is that of its stages).
std::string FilterTitle(const Design& design);

// A tolerance or coefficient as the entry lists write it: "1", "0.25", "20".
std::string PlainFigure(long double x);

// The specified edge frequencies (rad/s): the finite, nonzero ends of the passbands and of
// the stopbands (none for the stopband when the order was forced, none at all for a
// user-defined filter).
std::vector<long double> PassbandEdges(const DesignState& state);
std::vector<long double> StopbandEdges(const DesignState& state);

// Whether w is one of the edges (a scan point that lands on an edge counts).
bool IsOneOf(long double w, const std::vector<long double>& edges);

// Of several edges (at least one), the one where size(w) is largest.
long double LargestAt(const std::vector<long double>& edges, const std::function<long double(long double)>& size);

// f(s) for every stage 1..StageCount that has a valid circuit, T{} for the others.
template <typename T, typename F>
std::vector<T> PerAnalysedStage(const Design& design, F f) {
    std::vector<T> values;
    for (int s = 1; s <= design.State.StageCount; ++s) {
        const StageCircuitRecord& r = design.Circuit(s);
        values.push_back(r.CircuitIndex > 0 && !r.Invalid ? f(s) : T{});
    }
    return values;
}

// One row of an overview block: its label, an attenuation in dB and, where the block has
// the column, the deviation in dB.
struct OverviewRow {
    std::string label;
    long double attenuation = 0;
    long double deviation = 0;
    bool hasDeviation = false;
};

// One block of an overview: "At the Passband Edge " with its frequency in "[" "]:", or a
// passband extreme with "[~" "]:".
struct OverviewBlock {
    std::string heading;
    long double w = 0;          // rad/s
    bool approximate = false;   // the frequency of a scan point: written "[~" ... "]:"
    std::vector<OverviewRow> rows;
};

// The frequency part of a heading: "[1.234 KHz]:" or "[~1.234 KHz]:".
std::string BlockFrequencyText(const OverviewBlock& block, bool hzUnits);

// The block as plain text: the heading line, then one line per row with its values and
// " dB" after each.
std::vector<std::string> OverviewBlockText(const OverviewBlock& block, bool hzUnits);

}  // namespace tavrel
