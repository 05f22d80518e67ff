#pragma once
// The designs the benches time: a Chebyshev filter of a kind's default specification (or of a
// forced order), its stages on the multiple-feedback circuits of their types (MFB lowpass I,
// highpass, bandpass I; the first first-order circuit), components calculated.
#include <memory>
#include <string>

#include "analysis/workflow.h"
#include "circuits/calculation/recalculate.h"
#include "circuits/selection/select_circuit.h"
#include "core/bessel_prototype.h"
#include "core/calculate.h"

namespace tavrel::bench {

inline std::unique_ptr<Design> StagedDesign(FilterKind kind, const char* forcedOrder) {
    auto design = std::make_unique<Design>();
    design->State.FilterKind = kind;
    SpecEntries entries = DefaultEntries(kind, false);
    if (forcedOrder) entries.ForceOrder = true, entries.ForcedOrder = forcedOrder;
    Calculate(design->State, entries, {std::string(TAVREL_BIN_DIR) + "/" + kBesselTableName});
    SpecificationNext(*design);
    ChooseApproximation(*design, Chebyshev);
    ApproximationNext(*design, Chebyshev);
    for (int s = 1; s <= design->State.StageCount; ++s) {
        const int type = design->Stage(s).StageType;
        SelectCircuit(*design, s, type == StageCode::SLP || type == StageCode::SHP ? 3 : type == StageCode::SBP ? 4 : 1);
    }
    RecalculateAll(*design, false);
    return design;
}

}  // namespace tavrel::bench
