#include "core/design_state.h"

namespace tavrel {

void ClearApproximation(DesignState& state, int approx) {
    state.Approx[approx] = ApproxRecord{};
    state.ApproxFailed.fill(false);
    state.PolePair[approx].fill(PolePairRecord{});
    state.ZeroPair[approx].fill(ZeroPairRecord{});
    // Only the first four values of pole entries 1..11 are cleared; the residues and
    // entry 0 belong to the time responses.
    for (int k = 1; k <= kMaxPairs; ++k) {
        PoleEntry& entry = state.Pole[approx][k];
        entry.SigmaN = entry.OmegaN = entry.Sigma = entry.Omega = 0;
    }
    state.Zero[approx].fill(ZeroEntry{});
}

void ClearAllApproximations(DesignState& state) {
    for (int approx = 0; approx < kApproxCount; ++approx) ClearApproximation(state, approx);
}

}  // namespace tavrel
