#include "stages/stage_scaling.h"

#include <cmath>
#include <limits>

#include "core/arithmetic_failure.h"

namespace tavrel {

namespace {

// Passband edges of a band design, geometrically symmetric about W0.
void BandEdges(const DesignState& state, StageTables& tables) {
    const long double half = state.Bpb / 2;
    const long double e = std::sqrt(half * half + state.W0 * state.W0);
    tables.StopEdgeLo = e - half;
    tables.StopEdgeHi = e + half;
}

}  // namespace

void PrepareFlatnessBand(const DesignState& state, StageTables& tables) {
    switch (state.FilterKind) {
        case FilterKind::Lowpass:
            tables.FlatBandLo = 0;
            tables.FlatBandHi = state.Wpb;
            break;
        case FilterKind::Highpass:
            tables.FlatBandLo = state.Wpb;
            tables.FlatBandHi = 2 * state.Wpb;
            break;
        case FilterKind::Bandpass:
            BandEdges(state, tables);
            tables.FlatBandLo = tables.StopEdgeLo;
            tables.FlatBandHi = tables.StopEdgeHi;
            break;
        case FilterKind::Bandstop:
            BandEdges(state, tables);
            tables.FlatBandLo = 0;
            tables.FlatBandHi = 2 * state.W0;
            break;
        case FilterKind::UserDefined: break;
    }
}

void BuildResponseGrid(const DesignState& state, StageTables& tables) {
    long double start, step;
    switch (state.FilterKind) {
        case FilterKind::Lowpass:
        case FilterKind::Highpass:
            start = 0;
            step = 2 * state.Wpb / (kGridPoints - 1);
            break;
        case FilterKind::Bandpass:
        case FilterKind::Bandstop:
            start = tables.FlatBandLo - state.Bpb / 2;
            step = 2 * state.Bpb / (kGridPoints - 1);
            break;
        default: return;
    }
    for (int k = 0; k < kGridPoints; ++k) tables.ResponseGrid[static_cast<size_t>(k)] = start + k * step;
}

void PrepareStageGrid(const DesignState& state, StageTables& tables) {
    PrepareFlatnessBand(state, tables);
    BuildResponseGrid(state, tables);
}

bool InFlatnessBand(const DesignState& state, const StageTables& tables, long double w) {
    if (w < tables.FlatBandLo || w > tables.FlatBandHi) return false;
    if (state.FilterKind == FilterKind::Bandstop) return w <= tables.StopEdgeLo || w >= tables.StopEdgeHi;
    return true;
}

void ScaleStage(const DesignState& state, StageTables& tables, int i, int prev) {
    StageRecord& stage = tables.Stage[static_cast<size_t>(i)];
    ResponseArray& own = tables.StageResp[static_cast<size_t>(i)];
    ResponseArray& cascade = tables.CascadeResp[static_cast<size_t>(i)];
    const ResponseArray& before = tables.CascadeResp[static_cast<size_t>(prev)];
    // The in-band minimum starts unbounded: the unscaled magnitudes of a design at a few
    // hertz run far above any fixed start value.
    long double maxRaw = 0, maxCum = 0, minBand = std::numeric_limits<long double>::infinity();
    for (int k = 0; k < kGridPoints; ++k) {
        const long double w = tables.ResponseGrid[static_cast<size_t>(k)];
        const size_t slot = static_cast<size_t>(k + kFirstResponsePoint);
        const long double r = StageMagnitude(stage, w);
        own[slot] = r;
        if (r > maxRaw) maxRaw = r;
        const long double c = prev != i ? r * before[slot] : r;
        cascade[slot] = c;
        if (c > maxCum) maxCum = c;
        if (InFlatnessBand(state, tables, w) && c < minBand) minBand = c;
    }
    // A highpass design counts its gain at infinite frequency too.
    const bool highpass = state.FilterKind == FilterKind::Highpass;
    if (highpass) {
        const long double r = StageMagnitudeAtInfinity(stage);
        const long double c = prev != i ? r * before[kAtInfinity] : r;
        own[kAtInfinity] = r;
        cascade[kAtInfinity] = c;
        if (r > maxRaw) maxRaw = r;
        if (c > maxCum) maxCum = c;
    }
    if (maxCum == 0) throw ArithmeticFailure("Floating point division by zero");
    if (std::isinf(minBand)) minBand = maxCum;  // no grid point in the band: nothing to compare
    const long double ratio = maxCum / minBand;  // +inf for a zero in-band minimum
    stage.Flatness = ratio < kUnboundedFlatness ? ratio : kUnboundedFlatness;
    const long double g = i == 1 ? 1 / maxCum : (prev != i ? static_cast<long double>(before[0]) : maxCum) / maxCum;
    stage.GainFactor = g;
    ToFromGain(stage);
    for (int k = 0; k < kGridPoints; ++k) {
        const size_t slot = static_cast<size_t>(k + kFirstResponsePoint);
        own[slot] = g * own[slot];
        cascade[slot] = g * cascade[slot];
    }
    if (highpass) {
        own[kAtInfinity] = g * own[kAtInfinity];
        cascade[kAtInfinity] = g * cascade[kAtInfinity];
    }
    own[0] = g * maxRaw;
    cascade[0] = g * maxCum;
    cascade[1] = g * minBand;
}

void ScaleCascade(const DesignState& state, StageTables& tables) {
    for (int i = 1; i <= state.StageCount; ++i) ScaleStage(state, tables, i, i == 1 ? 1 : i - 1);
}

}  // namespace tavrel
