#pragma once
// A whole filter from the specification's default entries down to component values, for the
// analyses of the realised filter: the chosen approximation, the stages as the program forms
// them, and in every stage the candidate given for its type.
#include <memory>
#include <string>

#include "analysis/workflow.h"
#include "circuits/calculation/recalculate.h"
#include "circuits/selection/select_circuit.h"
#include "core/bessel_prototype.h"
#include "core/calculate.h"

namespace tavrel::testing_support {

struct StagedDesignRequest {
    FilterKind kind = FilterKind::Lowpass;
    const char* forcedOrder = nullptr;  // a forced order, or the order the specification asks for
    int approx = Chebyshev;
};

// Candidate index per stage type: the multiple-feedback circuits (MFB lowpass I, MFB highpass,
// MFB bandpass I) and the first circuit of every other type.
inline int DefaultCandidate(int stageType) {
    switch (stageType) {
        case StageCode::SLP:
        case StageCode::SHP: return 3;
        case StageCode::SBP: return 4;
        default: return 1;
    }
}

inline std::unique_ptr<Design> StagedDesign(const StagedDesignRequest& request) {
    auto design = std::make_unique<Design>();
    design->State.FilterKind = request.kind;
    SpecEntries entries = DefaultEntries(request.kind, false);
    if (request.forcedOrder) entries.ForceOrder = true, entries.ForcedOrder = request.forcedOrder;
    Calculate(design->State, entries, {std::string(TAVREL_BIN_DIR) + "/" + kBesselTableName});
    SpecificationNext(*design);
    ChooseApproximation(*design, request.approx);
    ApproximationNext(*design, request.approx);
    for (int s = 1; s <= design->State.StageCount; ++s) SelectCircuit(*design, s, DefaultCandidate(design->Stage(s).StageType));
    RecalculateAll(*design, false);
    return design;
}

}  // namespace tavrel::testing_support
