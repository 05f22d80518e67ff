#include "circuits/records/design_request.h"

#include "circuits/catalog/circuit_definition.h"
#include "circuits/records/circuit_record_init.h"
#include "stages/stage_record.h"

namespace tavrel {

std::optional<PreparedDesign> PrepareDesign(const DesignRequest& request) {
    const CircuitDefinition* row = FindCircuit(request.circuitNo);
    if (row == nullptr) return std::nullopt;
    PreparedDesign d;
    d.stage.StageType = static_cast<std::uint8_t>(row->stageType);
    d.stage.TypeName = StageTypeText(row->stageType);
    if (IsFirstOrderStage(row->stageType)) {
        d.stage.Wc = request.wc;
    } else {
        d.stage.Wp = request.wp;
        d.stage.Qp = request.qp;
        d.stage.Wz = request.wz;
    }
    d.stage.To = request.gain;

    CircuitTable table;
    ResetCircuitTable(table);
    table.SavedC2Variable[1] = request.c2Variable;
    StageCircuitRecord& r = table.Record[1];
    r.CircuitNo = static_cast<std::int16_t>(row->circuitNo);
    r.CircuitIndex = r.SelectedIndex = static_cast<std::int16_t>(row->circuitIndex);
    r.NewlySelected = 1;
    r.OpAmpGBW = request.gbwHz;
    InitCircuitRecord(table, 1, IsFirstOrderStage(row->stageType) ? request.wc : request.wp);
    if (request.capRatio) r.CapRatio = *request.capRatio;
    if (request.c1 || request.capRatio) {
        if (request.c1) r.Capacitors[0].Value = *request.c1;
        r.Capacitors[1].Value = r.Capacitors[0].Value * r.CapRatio;
    }
    r.EqualApplied = request.equal;
    r.Compensate = request.compensate;
    r.CompResistors = request.activeCompensation;
    r.DesiredGain = request.gain;
    r.ActualGain = request.gain;
    r.Invalid = 0;
    r.InputAttenuation = 0;
    d.record = r;
    return d;
}

}  // namespace tavrel
