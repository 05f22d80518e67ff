#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "core/design_state.h"
#include "stages/cascade_criteria.h"
#include "stages/pairing_entries.h"
#include "stages/stage_record.h"

namespace tavrel {

// Response array slots: [0] maximum, [1] minimum in the flatness band (cascade only),
// [2..352] the magnitude at the 351 grid points, [353] the magnitude at infinite frequency
// (highpass designs only: the grid ends at twice the passband edge, short of where a
// monotonic highpass reaches its passband gain).
inline constexpr int kResponseSlots = 354;
inline constexpr int kFirstResponsePoint = 2;
inline constexpr int kAtInfinity = 353;
using ResponseArray = std::array<Real48, kResponseSlots>;

// The stage-level tables of the one design, beside its DesignState. Every per-stage
// array is numbered from 1 like the stages; slot 0 is unused (zero entry 0 reads as
// "no zero" with wz = 0).
struct StageTables {
    std::array<StageRecord, kMaxStages + 1> Stage{};

    // Pairing lists.
    std::array<PairPoleEntry, kMaxStages + 1> PairPoleList{};
    std::array<PairZeroEntry, kMaxStages + 1> PairZeroList{};
    std::int16_t PoleEntryCount = 0;
    std::int16_t ZeroEntryCount = 0;
    std::array<std::uint8_t, kMaxStages + 1> ZeroTaken{};
    // The "Pole-Zero Pairs" list: the stage record of each line, in line order.
    std::vector<std::int16_t> PairLines;

    CascadeCriteria Criteria = DefaultCascadeCriteria();

    // Flatness band and response grid of the stage gain computation.
    Real48 FlatBandLo, FlatBandHi, StopEdgeLo, StopEdgeHi;
    std::array<Real48, kGridPoints> ResponseGrid{};
    std::array<ResponseArray, kMaxStages + 1> StageResp{};
    std::array<ResponseArray, kMaxStages + 1> CascadeResp{};
};

}  // namespace tavrel
