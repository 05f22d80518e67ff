#pragma once
#include "circuits/records/stage_circuit_record.h"
#include "stages/stage_record.h"

namespace tavrel {

// wp/(2·pi·GBW): the size of the op amp's effect on a second-order stage. A finite GBW moves
// wp and Qp relatively by k1 and k2 times it (to first order, realised wp = wp·(1 - k1·x)).
// 0 for an ideal op amp (OpAmpGBW 0) and for first-order stages.
long double OpAmpShiftScale(const StageRecord& stage, const StageCircuitRecord& circuit);

// The squared relative deviations of wp and Qp per unit squared relative GBW deviation: a
// single op amp moves them by k1·x and k2·x, so (k1·x)² and (k2·x)²; for circuits with several
// op amps the design routine gives the combined squares directly, K1·x² and K2·x².
struct OpAmpSpreadFactors {
    long double poleFrequency = 0, poleQ = 0;
};
OpAmpSpreadFactors OpAmpSpreadFactorsOf(const StageRecord& stage, const StageCircuitRecord& circuit);

}  // namespace tavrel
