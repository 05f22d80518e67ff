#include "circuits/selection/select_circuit.h"

#include <algorithm>
#include <memory>

#include "circuits/catalog/circuit_catalog.h"
#include "circuits/equations/design_stage.h"
#include "circuits/records/circuit_record_init.h"

namespace tavrel {

namespace {

// The op amp of a newly selected circuit has at least this GBW.
constexpr long double kLeastSelectedGBW = 1e6L;

}  // namespace

StageCircuitRecord DesignCandidate(const Design& design, int s, int candidate) {
    const StageRecord& stage = design.Stage(s);
    const auto table = std::make_unique<CircuitTable>(design.Circuits);
    StageCircuitRecord& r = table->Record[static_cast<size_t>(s)];
    r.CircuitIndex = static_cast<std::int16_t>(candidate);
    r.CircuitNo = static_cast<std::int16_t>(CircuitNumber(stage.StageType, candidate));
    InitCircuitRecord(*table, s,
                      IsFirstOrderStage(stage.StageType) ? static_cast<long double>(stage.Wc)
                                                         : static_cast<long double>(stage.Wp));
    r.Invalid = 0;
    r.InputAttenuation = 0;
    r.MinGBW = 0;  // not the figure of the circuit the stage has now, should this one fail
    r.ActualGain = stage.To;
    DesignStage(stage, r);
    return r;
}

void SelectCircuit(Design& design, int s, int candidate) {
    StageCircuitRecord& r = design.Circuit(s);
    r.CircuitIndex = r.SelectedIndex = static_cast<std::int16_t>(candidate);
    r.NewlySelected = 1;
    r.CircuitNo = static_cast<std::int16_t>(CircuitNumber(design.Stage(s).StageType, candidate));
    r.CapsAdjusted = r.C2Variable = r.CompResistors = r.Compensate = 0;
    design.Circuits.AllResistorsStandard = false;
    if (design.Circuits.GBWSetByUser[static_cast<size_t>(s)]) return;
    const MeritEntry& merit = design.Circuits.Merits[static_cast<size_t>(s)].Candidates[static_cast<size_t>(candidate - 1)];
    const long double minGBW = merit.MinGBW > 0 ? static_cast<long double>(merit.MinGBW)
                                                : static_cast<long double>(DesignCandidate(design, s, candidate).MinGBW);
    r.MinGBW = minGBW;
    r.OpAmpGBW = std::max(minGBW, kLeastSelectedGBW);
}

bool AllStagesHaveCircuits(const Design& design) {
    for (int s = 1; s <= design.State.StageCount; ++s)
        if (design.Circuit(s).CircuitIndex == 0) return false;
    return design.State.StageCount > 0;
}

}  // namespace tavrel
