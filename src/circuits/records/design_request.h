#pragma once
#include <optional>

#include "circuits/records/stage_circuit_record.h"
#include "stages/stage_record.h"

namespace tavrel {

// One circuit to be designed for one stage target, outside a whole filter design: what the
// selection window hands a candidate, written out.
struct DesignRequest {
    int circuitNo = 0;
    long double wp = 0, qp = 0, wz = 0;  // second-order stages
    long double wc = 0;                  // first-order stages
    long double gain = 1;                // desired gain
    std::optional<long double> c1;       // C1 in farad instead of the start value
    std::optional<long double> capRatio; // C2/C1 instead of the circuit's own
    bool c2Variable = false;             // " C2 variable"
    bool equal = false;                  // " C1=C2 : R1=R2"
    bool compensate = false;             // predistortion for the op amp's GBW
    bool activeCompensation = false;     // the compensated variant (CompResistors)
    long double gbwHz = 0;
};

// A stage record and a freshly initialised circuit record for the request, ready for
// DesignStage. Nothing when the circuit number has no catalog row.
struct PreparedDesign {
    StageRecord stage;
    StageCircuitRecord record;
};
std::optional<PreparedDesign> PrepareDesign(const DesignRequest& request);

}  // namespace tavrel
