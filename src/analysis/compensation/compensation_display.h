#pragma once
#include <string>

#include "circuits/records/stage_circuit_record.h"
#include "stages/stage_record.h"

namespace tavrel {

// The label of the read-only field beside the op amp's "GBW " in the component characteristics
// window.
inline constexpr const char* kRecommendedGbwLabel = "GBW (recommended)";

// How a stage's op-amp figures read in the windows: the pole data the components are calculated
// for (pre-distorted or not), the pole displacement that the op amp's finite GBW causes, and the
// smallest GBW recommended for the circuit.
struct CompensationDisplay {
    std::string designW;         // "1.005 KHz" (or rad/s)
    std::string designQ;         // "0.7123"; "N/A" for a first-order stage
    std::string displacement;    // the relative pole displacement in percent: "0.52%"
    std::string recommendedGbw;  // in MHz like the GBW entry: "0.35", "2.00"; "N/A" for first order
};

CompensationDisplay CompensationDisplayOf(const StageRecord& stage, const StageCircuitRecord& record, bool hzUnits);

// A recommended GBW (Hz) in MHz with two decimals, or as many more as keep its two significant
// figures (m·10^e with m a multiple of 0.5): 350 kHz "0.35", 35 kHz "0.035", 15 MHz "15.00".
std::string RecommendedGbwText(long double hz);

}  // namespace tavrel
