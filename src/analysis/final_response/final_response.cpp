#include "analysis/final_response/final_response.h"

#include <algorithm>
#include <cmath>

#include "analysis/final_response/without_predistortion.h"
#include "circuits/catalog/circuit_definition.h"
#include "core/math_helpers.h"

namespace tavrel {

namespace {

// A polynomial p3·s^3 + p2·s^2 + p1·s + p0 at s = jw.
struct AtJw {
    long double re, im;
};
AtJw Evaluate(const std::array<long double, 4>& p, long double w) {
    const long double w2 = w * w;
    return {p[0] - w2 * p[2], w * p[1] - w2 * (w * p[3])};
}

// The derivative of the angle of p(jw) with respect to w, in closed form: the group delay of
// a stage is that of its denominator less that of its numerator.
long double AngleSlope(const std::array<long double, 4>& p, long double w) {
    const AtJw v = Evaluate(p, w);
    const long double magnitude2 = v.re * v.re + v.im * v.im;
    return (w * (2 * p[2] * v.im) + (p[1] - 3 * w * w * p[3]) * v.re) / magnitude2;
}

long double StageGain(const StageFunction& f, long double w) {
    const AtJw n = Evaluate(f.n, w), d = Evaluate(f.d, w);
    return std::fabs(f.k) * std::sqrt(n.re * n.re + n.im * n.im) / std::sqrt(d.re * d.re + d.im * d.im);
}

long double StageDelay(const StageFunction& f, long double w) { return AngleSlope(f.d, w) - AngleSlope(f.n, w); }

bool Empty(StageRange range) { return range.first > range.last; }

void Reset(FinalResponseTable& table, size_t points) {
    table.assign(points, FinalResponsePoint{});
}

template <typename PerVersion>
void ForComputed(const FinalStageFunctions& f, PerVersion per) {
    for (size_t v = 0; v < kVersionCount; ++v)
        if (f.computed[v]) per(v);
}

// The product of the stage gains of one version at every grid point.
std::vector<long double> VersionGain(const FinalStageFunctions& f, size_t v, const std::vector<GridPoint>& grid) {
    std::vector<long double> gain(grid.size(), 1);
    for (const auto& stage : f.functions)
        for (size_t k = 0; k < grid.size(); ++k) gain[k] *= StageGain(stage[v], grid[k].W);
    return gain;
}

}  // namespace

StageRange AllStages(const Design& design) { return {1, design.State.StageCount}; }

FinalStageFunctions FinalStageFunctionsOf(const Design& design, StageRange range, const VersionChoice& choice) {
    const ResponseDesign d(design);
    FinalStageFunctions out;
    const VersionAvailability available = AvailabilityOf(*d);
    out.computed = ComputedVersions(available, choice);
    for (int s = range.first; s <= range.last; ++s) {
        const StageCircuitRecord& record = d->Circuit(s);
        const CircuitDefinition* circuit = FindCircuit(record.CircuitNo);
        const auto values = StageVersionValues(record, available, choice);
        std::array<StageFunction, kVersionCount> functions{};
        for (size_t v = 0; v < kVersionCount; ++v)
            if (out.computed[v] && circuit != nullptr) functions[v] = StageFunctionOf(*circuit, values[v]);
        out.stages.push_back(s);
        out.functions.push_back(functions);
    }
    return out;
}

GainExtremes GainCurves(const FinalStageFunctions& f, const std::vector<GridPoint>& grid, FinalResponseTable& table) {
    Reset(table, grid.size());
    GainExtremes extremes;
    ForComputed(f, [&](size_t v) {
        const std::vector<long double> gain = VersionGain(f, v, grid);
        for (size_t k = 0; k < grid.size(); ++k) {
            table[k].gain[v] = gain[k];
            extremes.peak = std::max(extremes.peak, gain[k]);
        }
    });
    return extremes;
}

PhaseExtremes PhaseCurves(const FinalStageFunctions& f, const std::vector<GridPoint>& grid, FinalResponseTable& table) {
    Reset(table, grid.size());
    PhaseExtremes extremes;
    bool first = true;
    ForComputed(f, [&](size_t v) {
        for (size_t k = 0; k < grid.size(); ++k) {
            // The gain constant is left out: an inverting stage adds no 180 degrees here, the
            // plot states the inversion in a note instead.
            long double phase = 0;
            for (const auto& stage : f.functions) phase += StagePhase(stage[v], grid[k].W);
            table[k].phase[v] = phase;
            extremes.low = first ? phase : std::min(extremes.low, phase);
            extremes.high = first ? phase : std::max(extremes.high, phase);
            first = false;
        }
    });
    return extremes;
}

DelayExtremes DelayCurves(const FinalStageFunctions& f, const std::vector<GridPoint>& grid, FinalResponseTable& table) {
    Reset(table, grid.size());
    DelayExtremes extremes;
    ForComputed(f, [&](size_t v) {
        std::vector<long double> delay(grid.size(), 0);
        for (const auto& stage : f.functions) {
            for (size_t k = 0; k < grid.size(); ++k) {
                const long double before = delay[k];
                delay[k] += StageDelay(stage[v], grid[k].W);
                // A spike of a root on the jw axis takes the previous point's value; the first
                // point has none, and keeps the delay of the other stages.
                if (delay[k] > kDelayCutoff) delay[k] = k > 0 ? delay[k - 1] : before;
            }
        }
        for (size_t k = 0; k < grid.size(); ++k) {
            table[k].delay[v] = delay[k];
            if (delay[k] < kDelayCutoff) extremes.largest = std::max(extremes.largest, delay[k]);
        }
    });
    return extremes;
}

std::optional<GainExtremes> ComputeGainCurves(const Design& design, StageRange range, const VersionChoice& choice,
                                              const std::vector<GridPoint>& grid, FinalResponseTable& table) {
    if (Empty(range)) return std::nullopt;
    return GainCurves(FinalStageFunctionsOf(design, range, choice), grid, table);
}

std::optional<PhaseExtremes> ComputePhaseCurves(const Design& design, StageRange range, const VersionChoice& choice,
                                                const std::vector<GridPoint>& grid, FinalResponseTable& table) {
    if (Empty(range)) return std::nullopt;
    return PhaseCurves(FinalStageFunctionsOf(design, range, choice), grid, table);
}

std::optional<DelayExtremes> ComputeDelayCurves(const Design& design, StageRange range, const VersionChoice& choice,
                                                const std::vector<GridPoint>& grid, FinalResponseTable& table) {
    if (Empty(range)) return std::nullopt;
    return DelayCurves(FinalStageFunctionsOf(design, range, choice), grid, table);
}

void MarkNotchZeros(const Design& design, StageRange range, bool logarithmic, const std::vector<GridPoint>& grid,
                    FinalResponseTable& table) {
    if (grid.size() < 2 || table.size() != grid.size()) return;
    const long double w0 = grid.front().W, wn = grid.back().W;
    const long double n = static_cast<long double>(grid.size() - 1);
    for (int s = range.first; s <= range.last; ++s) {
        const StageRecord& stage = design.Stage(s);
        const long double wz = stage.Wz;
        if (wz == 0 || !IsNotchStage(stage.StageType) || wz < w0 || wz > wn) continue;
        const long double position = logarithmic ? (Log10(wz) - Log10(w0)) / (Log10(wn) - Log10(w0))
                                                 : (wz - w0) / (wn - w0);
        const long k = std::lround(position * n);
        for (Real48& g : table[static_cast<size_t>(k)].gain) g = 0;
    }
}

std::optional<FinalPointVersions> FinalResponseAt(const Design& design, StageRange range, const VersionChoice& choice,
                                                  long double w) {
    if (Empty(range)) return std::nullopt;
    const FinalStageFunctions f = FinalStageFunctionsOf(design, range, choice);
    FinalPointVersions point;
    point.computed = f.computed;
    ForComputed(f, [&](size_t v) {
        point.gain[v] = 1;
        for (const auto& stage : f.functions) {
            point.gain[v] *= StageGain(stage[v], w);
            point.phase[v] += StagePhase(stage[v], w);
            point.delay[v] += StageDelay(stage[v], w);
        }
    });
    return point;
}

}  // namespace tavrel
