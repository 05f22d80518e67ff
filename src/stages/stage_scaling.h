#pragma once
#include "core/design_state.h"
#include "stages/stage_tables.h"

namespace tavrel {

// The flatness band and then the response grid of the stage gain computation, from
// the specification (Next in the specification window). User-defined designs keep both.
void PrepareFlatnessBand(const DesignState& state, StageTables& tables);
void BuildResponseGrid(const DesignState& state, StageTables& tables);
void PrepareStageGrid(const DesignState& state, StageTables& tables);

bool InFlatnessBand(const DesignState& state, const StageTables& tables, long double w);

// The Flatness given to a cascade whose smallest in-band value is 0 (or so small that
// the ratio would not be storable): finite, and above every real candidate.
inline constexpr long double kUnboundedFlatness = 1e30L;

// Scales stage i behind stage prev (prev == i: i is the first stage): its response
// arrays, Flatness, GainFactor and To.
void ScaleStage(const DesignState& state, StageTables& tables, int i, int prev);

// Scales stages 1..StageCount in cascade order; every cascade response then peaks at 1.
void ScaleCascade(const DesignState& state, StageTables& tables);

}  // namespace tavrel
