#pragma once
// Designs for the tests of the component calculation: stages written out by hand (type, pole
// or corner frequency, Q, zero frequency, gain constant) under an overall gain, and the
// circuits chosen for them.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "circuits/calculation/recalculate.h"
#include "circuits/catalog/circuit_definition.h"
#include "circuits/records/circuit_record_init.h"
#include "circuits/selection/select_circuit.h"

namespace tavrel::calculation_testing {

struct HandStage {
    std::uint8_t type;
    long double w;  // wp, or wc of a first-order stage
    long double qp = 0.7071L;
    long double wz = 0;
    long double to = 1;
};

inline std::unique_ptr<Design> HandDesign(const std::vector<HandStage>& stages, long double overallGain) {
    auto design = std::make_unique<Design>();
    DesignState& state = design->State;
    state.FilterKind = FilterKind::Lowpass;
    state.OverallGain = overallGain;
    state.StageCount = static_cast<std::int16_t>(stages.size());
    state.DesignStep = Step::CascadingDone;
    ResetCircuitTable(design->Circuits);
    for (size_t k = 0; k < stages.size(); ++k) {
        StageRecord& s = design->Stage(static_cast<int>(k) + 1);
        s.StageType = stages[k].type;
        s.TypeName = StageTypeText(stages[k].type);
        if (IsFirstOrderStage(stages[k].type)) {
            s.Wc = stages[k].w;
        } else {
            s.Wp = stages[k].w;
            s.Qp = stages[k].qp;
            s.Wz = stages[k].wz;
        }
        s.To = stages[k].to;
    }
    return design;
}

// Each stage gets its circuit (a catalog number), then every stage is calculated.
inline void SelectAndCalculate(Design& design, const std::vector<int>& circuits) {
    for (size_t k = 0; k < circuits.size(); ++k) SelectCircuit(design, static_cast<int>(k) + 1, FindCircuit(circuits[k])->circuitIndex);
    RecalculateAll(design, false);
    for (size_t k = 0; k < circuits.size(); ++k)
        EXPECT_FALSE(design.Circuit(static_cast<int>(k) + 1).Invalid) << "circuit " << circuits[k] << " at stage " << k + 1;
}

}  // namespace tavrel::calculation_testing
