#include "analysis/passband/passband_report.h"

#include <algorithm>
#include <cmath>

#include "core/band_edges.h"
#include "core/number_format.h"

namespace tavrel {

namespace {

const char* KindText(FilterKind kind) {
    switch (kind) {
        case FilterKind::Lowpass: return " Lowpass";
        case FilterKind::Highpass: return " Highpass";
        case FilterKind::Bandpass: return " Bandpass";
        case FilterKind::Bandstop: return " Bandstop";
        default: return "";
    }
}

int StageOrderSum(const Design& design) {
    int order = 0;
    for (int s = 1; s <= design.State.StageCount; ++s) order += IsFirstOrderStage(design.Stage(s).StageType) ? 1 : 2;
    return order;
}

std::vector<long double> EdgesOf(const std::vector<FrequencyBand>& bands) {
    std::vector<long double> edges;
    for (const FrequencyBand& b : bands)
        for (long double w : {b.lo, b.hi})
            if (w > 0 && std::isfinite(w)) edges.push_back(w);
    return edges;
}

// A scan point counts as an edge when it lies this close to one (relative).
constexpr long double kSameFrequency = 1e-9L;

std::string Decibels(long double x) { return TrimLeading(Fixed(x, 0, 3)) + " dB"; }

}  // namespace

std::string FilterTitle(const Design& design) {
    const DesignState& state = design.State;
    if (state.FilterKind == FilterKind::UserDefined) return "User Defined Filter  N=" + std::to_string(StageOrderSum(design));
    return std::string(KindText(state.FilterKind)) + " Filter  N=" + std::to_string(state.Approx[state.ChosenApprox].Order);
}

std::string PlainFigure(long double x) { return TrimZeros(Fixed(x, 0, 4)); }

std::vector<long double> PassbandEdges(const DesignState& state) { return EdgesOf(SpecificationBands(state).passbands); }
std::vector<long double> StopbandEdges(const DesignState& state) { return EdgesOf(SpecificationBands(state).stopbands); }

bool IsOneOf(long double w, const std::vector<long double>& edges) {
    return std::any_of(edges.begin(), edges.end(), [&](long double e) { return std::fabs(w - e) <= kSameFrequency * e; });
}

long double LargestAt(const std::vector<long double>& edges, const std::function<long double(long double)>& size) {
    long double best = edges.front(), largest = -1;
    for (long double w : edges) {
        const long double x = size(w);
        if (x > largest) largest = x, best = w;
    }
    return best;
}

std::string BlockFrequencyText(const OverviewBlock& block, bool hzUnits) {
    return std::string(block.approximate ? "[~" : "[") + FormatFrequency(block.w, hzUnits) + "]:";
}

std::vector<std::string> OverviewBlockText(const OverviewBlock& block, bool hzUnits) {
    std::vector<std::string> lines{block.heading + BlockFrequencyText(block, hzUnits)};
    for (const OverviewRow& row : block.rows)
        lines.push_back("  " + row.label + ": " + Decibels(row.attenuation) +
                        (row.hasDeviation ? "  " + Decibels(row.deviation) : ""));
    return lines;
}

}  // namespace tavrel
