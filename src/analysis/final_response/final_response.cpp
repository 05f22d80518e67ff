#include "analysis/final_response/final_response.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "analysis/final_response/without_predistortion.h"
#include "circuits/catalog/circuit_definition.h"
#include "core/math_helpers.h"

namespace tavrel {

namespace {

// The curves evaluate 10 stages in 3 versions at 351 points for every tab; in double precision
// and with one arctangent per stage and point they stay well inside a frame. The coefficients
// themselves come exact from the nodal analysis; double keeps the curves to about 1e-14.
struct Polynomial {
    double p0, p1, p2, p3;
};

// p(jw) = (p0 - w^2·p2) + j·w·(p1 - w^2·p3).
struct AtJw {
    double re, im;
};

AtJw Evaluate(const Polynomial& p, double w) {
    const double w2 = w * w;
    return {p.p0 - w2 * p.p2, w * (p.p1 - w2 * p.p3)};
}

struct FastStage {
    double k;
    Polynomial n, d;
};

FastStage FastStageOf(const StageFunction& f) {
    const auto poly = [](const std::array<long double, 4>& c) {
        return Polynomial{static_cast<double>(c[0]), static_cast<double>(c[1]), static_cast<double>(c[2]),
                          static_cast<double>(c[3])};
    };
    return {std::fabs(static_cast<double>(f.k)), poly(f.n), poly(f.d)};
}

double StageGain(const FastStage& f, double w) {
    const AtJw n = Evaluate(f.n, w), d = Evaluate(f.d, w);
    return f.k * std::sqrt((n.re * n.re + n.im * n.im) / (d.re * d.re + d.im * d.im));
}

// The slope of the angle of p(jw) with respect to w, in closed form; a stage's group delay is
// that of its denominator less that of its numerator.
double AngleSlope(const Polynomial& p, double w) {
    const AtJw v = Evaluate(p, w);
    return (w * (2 * p.p2 * v.im) + (p.p1 - 3 * w * w * p.p3) * v.re) / (v.re * v.re + v.im * v.im);
}

double StageDelay(const FastStage& f, double w) { return AngleSlope(f.d, w) - AngleSlope(f.n, w); }

// The angle the phase curve takes for a complex value lies in [-pi/2, 3pi/2): 0 or pi on the
// real axis, pi/2 or 3pi/2 for a real part below 1e-20, otherwise the arctangent of Im/Re,
// moved by pi for a negative real part. Within a quarter turn it is known from the signs alone:
// this is the middle of that quarter, or the angle itself where the rule fixes it.
constexpr double kNearZero = 1e-20;
constexpr double kQuarter = std::numbers::pi / 4;

double AngleEstimate(const AtJw& p) {
    if (p.im == 0) return p.re > 0 ? 0 : 4 * kQuarter;
    if (std::fabs(p.re) < kNearZero) return p.im > 0 ? 2 * kQuarter : 6 * kQuarter;
    if (p.re > 0) return p.im > 0 ? kQuarter : -kQuarter;
    return p.im > 0 ? 3 * kQuarter : 5 * kQuarter;
}

double Angle(const AtJw& p) {
    if (p.im == 0 || std::fabs(p.re) < kNearZero) return AngleEstimate(p);
    return std::atan(p.im / p.re) + (p.re > 0 ? 0 : 4 * kQuarter);
}

// angle(N) - angle(D) with one arctangent: the angle of N·conj(D) is right up to whole turns,
// and the estimates of the two angles, each within a quarter turn, pick the turn. A polynomial
// that is 0 at w (the numerator of a highpass at DC) leaves the product no angle; the rule
// gives it pi.
double StagePhaseAt(const FastStage& f, double w) {
    const AtJw n = Evaluate(f.n, w), d = Evaluate(f.d, w);
    const double re = n.re * d.re + n.im * d.im, im = n.im * d.re - n.re * d.im;
    if (re == 0 && im == 0) return Angle(n) - Angle(d);
    const double t = std::atan2(im, re);
    const double turns = std::nearbyint((AngleEstimate(n) - AngleEstimate(d) - t) / (8 * kQuarter));
    return t + turns * 8 * kQuarter;
}

bool SameValues(const ComponentValues& a, const ComponentValues& b) { return a.R == b.R && a.C == b.C; }

// The functions of one stage worked out already, with the values they were worked out from.
struct FunctionSource {
    const std::array<bool, kVersionCount>* computed = nullptr;
    const std::array<ComponentValues, kVersionCount>* values = nullptr;
    const std::array<StageFunction, kVersionCount>* functions = nullptr;
    int circuitNo = 0;

    // The function of these values among the first `versions` versions, or null.
    const StageFunction* Find(int circuit, const ComponentValues& wanted, size_t versions) const {
        if (functions == nullptr || circuit != circuitNo) return nullptr;
        for (size_t v = 0; v < versions; ++v)
            if ((*computed)[v] && SameValues((*values)[v], wanted)) return &(*functions)[v];
        return nullptr;
    }
};

FunctionSource KeptStage(const FinalStageFunctions* previous, int stage) {
    if (previous == nullptr) return {};
    for (size_t i = 0; i < previous->stages.size(); ++i)
        if (previous->stages[i] == stage)
            return {&previous->computed, &previous->values[i], &previous->functions[i], previous->circuits[i]};
    return {};
}

bool Empty(StageRange range) { return range.first > range.last; }

void Reset(FinalResponseTable& table, size_t points) { table.assign(points, FinalResponsePoint{}); }

template <typename PerVersion>
void ForComputed(const FinalStageFunctions& f, PerVersion per) {
    for (size_t v = 0; v < kVersionCount; ++v)
        if (f.computed[v]) per(v);
}

std::vector<FastStage> StagesOf(const FinalStageFunctions& f, size_t v) {
    std::vector<FastStage> stages;
    for (const auto& functions : f.functions) stages.push_back(FastStageOf(functions[v]));
    return stages;
}

std::vector<double> AngularFrequencies(const std::vector<GridPoint>& grid) {
    std::vector<double> w;
    for (const GridPoint& p : grid) w.push_back(static_cast<double>(static_cast<long double>(p.W)));
    return w;
}

// The curve of one version summed (or multiplied) over the stages, point by point.
template <typename PerStage>
std::vector<double> Accumulated(const FinalStageFunctions& f, size_t v, const std::vector<double>& w, double start,
                                PerStage per) {
    std::vector<double> curve(w.size(), start);
    for (const FastStage& stage : StagesOf(f, v))
        for (size_t k = 0; k < w.size(); ++k) per(stage, w[k], curve[k]);
    return curve;
}

}  // namespace

StageRange AllStages(const Design& design) { return {1, design.State.StageCount}; }

FinalStageFunctions FinalStageFunctionsOf(const Design& design, StageRange range, const VersionChoice& choice,
                                          const FinalStageFunctions* previous) {
    const ResponseDesign d(design);
    FinalStageFunctions out;
    const VersionAvailability available = AvailabilityOf(*d);
    out.computed = ComputedVersions(available, choice);
    for (int s = range.first; s <= range.last; ++s) {
        const StageCircuitRecord& record = d->Circuit(s);
        const CircuitDefinition* circuit = FindCircuit(record.CircuitNo);
        const auto values = StageVersionValues(record, available, choice);
        std::array<StageFunction, kVersionCount> functions{};
        // A stage that went through no substitution has the same values in several versions,
        // and the kept result has most stages unchanged: each function is worked out once.
        const FunctionSource earlier{&out.computed, &values, &functions, record.CircuitNo};
        const FunctionSource kept = KeptStage(previous, s);
        for (size_t v = 0; v < kVersionCount; ++v) {
            if (!out.computed[v] || circuit == nullptr) continue;
            const StageFunction* same = earlier.Find(record.CircuitNo, values[v], v);
            if (same == nullptr) same = kept.Find(record.CircuitNo, values[v], kVersionCount);
            functions[v] = same != nullptr ? *same : StageFunctionOf(*circuit, values[v]);
        }
        out.stages.push_back(s);
        out.circuits.push_back(record.CircuitNo);
        out.values.push_back(values);
        out.functions.push_back(functions);
    }
    return out;
}

GainExtremes GainCurves(const FinalStageFunctions& f, const std::vector<GridPoint>& grid, FinalResponseTable& table) {
    Reset(table, grid.size());
    const std::vector<double> w = AngularFrequencies(grid);
    GainExtremes extremes;
    ForComputed(f, [&](size_t v) {
        const auto gain = Accumulated(f, v, w, 1, [](const FastStage& s, double wk, double& g) { g *= StageGain(s, wk); });
        for (size_t k = 0; k < w.size(); ++k) {
            table[k].gain[v] = gain[k];
            extremes.peak = std::max<long double>(extremes.peak, gain[k]);
        }
    });
    return extremes;
}

PhaseExtremes PhaseCurves(const FinalStageFunctions& f, const std::vector<GridPoint>& grid, FinalResponseTable& table) {
    Reset(table, grid.size());
    const std::vector<double> w = AngularFrequencies(grid);
    PhaseExtremes extremes;
    bool first = true;
    ForComputed(f, [&](size_t v) {
        // The gain constant is left out: an inverting stage adds no 180 degrees here, the plot
        // states the inversion in a note instead.
        const auto phase =
            Accumulated(f, v, w, 0, [](const FastStage& s, double wk, double& p) { p += StagePhaseAt(s, wk); });
        for (size_t k = 0; k < w.size(); ++k) {
            table[k].phase[v] = phase[k];
            extremes.low = first ? phase[k] : std::min<long double>(extremes.low, phase[k]);
            extremes.high = first ? phase[k] : std::max<long double>(extremes.high, phase[k]);
            first = false;
        }
    });
    return extremes;
}

DelayExtremes DelayCurves(const FinalStageFunctions& f, const std::vector<GridPoint>& grid, FinalResponseTable& table) {
    Reset(table, grid.size());
    const std::vector<double> w = AngularFrequencies(grid);
    DelayExtremes extremes;
    ForComputed(f, [&](size_t v) {
        std::vector<double> delay(w.size(), 0);
        for (const FastStage& stage : StagesOf(f, v)) {
            for (size_t k = 0; k < w.size(); ++k) {
                const double before = delay[k];
                delay[k] += StageDelay(stage, w[k]);
                // A spike of a root on the jw axis takes the previous point's value; the first
                // point has none, and keeps the delay of the other stages.
                if (delay[k] > kDelayCutoff) delay[k] = k > 0 ? delay[k - 1] : before;
            }
        }
        for (size_t k = 0; k < w.size(); ++k) {
            table[k].delay[v] = delay[k];
            if (delay[k] < kDelayCutoff) extremes.largest = std::max<long double>(extremes.largest, delay[k]);
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
    const double wk = static_cast<double>(w);
    ForComputed(f, [&](size_t v) {
        point.gain[v] = 1;
        for (const FastStage& stage : StagesOf(f, v)) {
            point.gain[v] *= StageGain(stage, wk);
            point.phase[v] += StagePhaseAt(stage, wk);
            point.delay[v] += StageDelay(stage, wk);
        }
    });
    return point;
}

}  // namespace tavrel
