#pragma once
#include <array>
#include <optional>
#include <vector>

#include "analysis/final_response/response_versions.h"
#include "circuits/network/stage_function.h"
#include "circuits/records/design.h"
#include "core/design_state.h"

namespace tavrel {

// The stages whose cascade is shown: " All" (1 to the stage count) or " From stage" first
// " To Stage" last. A range with first after last computes nothing.
struct StageRange {
    int first = 1;
    int last = 0;
};
StageRange AllStages(const Design& design);

// One grid point of the final responses: gain (V/V), phase (radians) and group delay
// (seconds) of each version, index version - 1. Versions not computed stay 0.
struct FinalResponsePoint {
    std::array<Real48, kVersionCount> gain{}, phase{}, delay{};
};
using FinalResponseTable = std::vector<FinalResponsePoint>;

// The realised function of every stage of the range in each computed version, worked out
// from the component values of the version (ideal op amps, predistortion removed), with the
// circuit and values each was worked out from.
struct FinalStageFunctions {
    std::array<bool, kVersionCount> computed{};
    std::vector<int> stages;                                          // stage numbers, first to last
    std::vector<std::array<StageFunction, kVersionCount>> functions;  // one entry per stage
    std::vector<int> circuits;                                        // CircuitNo per stage
    std::vector<std::array<ComponentValues, kVersionCount>> values;   // per stage
};
// Working out a stage function is a nodal analysis and costs most of a computation; a caller
// that keeps the last result (the window between tab switches) passes it as `previous`, and
// every function whose circuit and values are unchanged is taken from it.
FinalStageFunctions FinalStageFunctionsOf(const Design& design, StageRange range, const VersionChoice& choice,
                                          const FinalStageFunctions* previous = nullptr);

// What each curve computation records for its plot range.
struct GainExtremes {
    long double peak = 1e-20L;  // the largest gain of any computed version
};
struct PhaseExtremes {
    long double low = 0, high = 0;  // radians
};
struct DelayExtremes {
    long double largest = 0;  // the largest delay below the 10 s cut-off
};

// The three curve computations, one per tab of the window. Each fills its three columns of the
// table (resized to the grid and cleared first) and returns what its plot range needs; with
// first after last they return nothing and leave the table as it was.
std::optional<GainExtremes> ComputeGainCurves(const Design& design, StageRange range, const VersionChoice& choice,
                                              const std::vector<GridPoint>& grid, FinalResponseTable& table);
std::optional<PhaseExtremes> ComputePhaseCurves(const Design& design, StageRange range, const VersionChoice& choice,
                                                const std::vector<GridPoint>& grid, FinalResponseTable& table);
std::optional<DelayExtremes> ComputeDelayCurves(const Design& design, StageRange range, const VersionChoice& choice,
                                                const std::vector<GridPoint>& grid, FinalResponseTable& table);

// The same from stage functions already worked out (the batch tool and the bench compute all
// three tabs from one set).
GainExtremes GainCurves(const FinalStageFunctions& f, const std::vector<GridPoint>& grid, FinalResponseTable& table);
PhaseExtremes PhaseCurves(const FinalStageFunctions& f, const std::vector<GridPoint>& grid, FinalResponseTable& table);
DelayExtremes DelayCurves(const FinalStageFunctions& f, const std::vector<GridPoint>& grid, FinalResponseTable& table);

// Delays above this are the spikes of a zero or pole right on the jw axis; the curve takes the
// previous grid point's value instead.
inline constexpr long double kDelayCutoff = 10;

// Sets the gain of every version to 0 at the grid index nearest to the notch frequency of each
// notch stage of the range whose Wz lies inside the grid, so that the drawn notch reaches the
// bottom of the plot although the grid rarely hits the zero exactly.
void MarkNotchZeros(const Design& design, StageRange range, bool logarithmic, const std::vector<GridPoint>& grid,
                    FinalResponseTable& table);

// The point calculator of the final responses: the same computation at one angular frequency,
// every version at once, without touching any table. A delay spike is reported as it is (a
// single point has no neighbour to take from).
struct FinalPointVersions {
    std::array<bool, kVersionCount> computed{};
    std::array<long double, kVersionCount> gain{}, phase{}, delay{};
};
std::optional<FinalPointVersions> FinalResponseAt(const Design& design, StageRange range, const VersionChoice& choice,
                                                  long double w);

}  // namespace tavrel
