#include "circuits/selection/evaluate_candidates.h"

#include <algorithm>
#include <cmath>

#include "circuits/calculation/gain_sensitivities.h"
#include "circuits/catalog/circuit_catalog.h"
#include "circuits/equations/design_merits.h"
#include "circuits/selection/select_circuit.h"
#include "circuits/tolerance/stage_spread.h"

namespace tavrel {

long double DesiredStageGain(const Design& design, int s) {
    const long double to = design.Stage(s).To;
    if (design.State.FilterKind == FilterKind::UserDefined || design.State.StageCount < 1) return to;
    // The share as the gain distribution takes it, 10 to the power log10(G)/n.
    return to * std::pow(10.0L, std::log10(static_cast<long double>(design.State.OverallGain)) / design.State.StageCount);
}

void EvaluateCandidates(Design& design, int s) {
    const StageRecord& stage = design.Stage(s);
    MeritBlock& block = design.Circuits.Merits[static_cast<size_t>(s)];
    SetReferenceFrequencies(design, s);
    const long double w = ReferenceFrequency(design, s);
    const GainDeviationWeights weights = DeviationWeights(design, s);
    block.SpreadWeights = {weights.poleFrequency, weights.poleQ, weights.zeroFrequency};
    block.MaxSpread = 0;
    const StageCircuitRecord& own = design.Circuit(s);
    const SpreadTolerances tolerances{design.Characteristics.RTolerance / 100, design.Characteristics.CTolerance / 100,
                                      false};
    const long double desired = DesiredStageGain(design, s);
    const int count = std::min(CircuitsOfType(stage.StageType), kMaxCandidates);
    for (int k = 1; k <= count; ++k) {
        MeritEntry& m = block.Candidates[static_cast<size_t>(k - 1)];
        StageCircuitRecord r = DesignCandidate(design, s, k);
        r.OpAmpGBW = own.OpAmpGBW;
        r.OpAmpGBWTol = own.OpAmpGBWTol;
        m.GainForced = r.GainForced;
        m.ResistorCount = r.ResistorCount;
        m.CapacitorCount = r.CapacitorCount;
        m.OpAmpCount = r.OpAmpCount;
        m.ActualGain = r.ActualGain;
        m.DesiredGain = desired;
        m.MinGBW = r.MinGBW;
        m.Inverting = r.Inverting;
        m.Invalid = r.Invalid;
        m.ActiveSpread = m.TotalSpread = 0;
        m.RSpread = m.CSpread = 0;
        if (r.Invalid) continue;
        const DesignMerits merits = MeritsOf(r);
        m.RSpread = merits.RSpread;
        m.CSpread = merits.CSpread;
        if (!m.Included) continue;
        const GainSensitivities g = GainSensitivitiesAt(stage, r.AuxPoleW, w);
        if (r.TwinT) block.TwinTWeight = g.third;
        const StageSpread spread = StageSpreadFrom(g, stage, r, tolerances);
        m.ActiveSpread = spread.ActiveVariance();
        m.TotalSpread = spread.PassiveVariance() + spread.ActiveVariance();
        block.MaxSpread = std::max<long double>(block.MaxSpread, m.TotalSpread);
    }
}

}  // namespace tavrel
