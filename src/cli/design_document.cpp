#include "cli/design_document.h"

#include "circuits/network/realized_figures.h"
#include "circuits/calculation/calculation_messages.h"
#include "circuits/calculation/compensation_choice.h"
#include "circuits/calculation/recalculate.h"
#include "circuits/catalog/circuit_definition.h"
#include "circuits/network/component_values.h"
#include "circuits/network/stage_function.h"
#include "circuits/values/e12_series.h"
#include "circuits/values/resistor_series.h"
#include "cli/calc_command.h"
#include "cli/stage_documents.h"
#include "stages/stage_record.h"

namespace tavrel::cli {

namespace {

double Real(long double x) { return static_cast<double>(x); }

// A value the program keeps beside the one in force, or null when there is none.
nlohmann::json Optional(bool present, long double x) { return present ? nlohmann::json(Real(x)) : nullptr; }

const char* CompensationName(Compensation c) {
    switch (c) {
        case Compensation::Predistortion: return "predistort";
        case Compensation::Active: return "active";
        case Compensation::Neither: break;
    }
    return "none";
}

nlohmann::json Resistors(const Design& design, const StageCircuitRecord& r, const ComponentValues& inForce,
                         const InventoryBlock* inventory) {
    const ResistorSeries series = SeriesForTolerance(design.Characteristics.RTolerance);
    nlohmann::json list = nlohmann::json::array();
    for (int i = 1; i <= r.ResistorCount; ++i) {
        const ComponentEntry& e = r.Resistors[static_cast<size_t>(i - 1)];
        const long double value = inForce.R[static_cast<size_t>(i)];
        const auto step = IsStandardResistor(value, series);
        list.push_back({{"name", "R" + std::to_string(i)},
                        {"value", Real(value)},
                        {"exact", Optional(e.ExactValue > 0 && e.ExactValue != e.Value, e.ExactValue)},
                        {"standard", step.has_value()},
                        {"user", Optional(e.UserFixed != 0, e.UserValue)},
                        {"in_stock", inventory ? nlohmann::json(step && ResistorInStock(*inventory, series, *step))
                                               : nlohmann::json(nullptr)}});
    }
    return list;
}

nlohmann::json Capacitors(const StageCircuitRecord& r, const InventoryBlock* inventory) {
    nlohmann::json list = nlohmann::json::array();
    for (int j = 1; j <= r.CapacitorCount; ++j) {
        const ComponentEntry& e = r.Capacitors[static_cast<size_t>(j - 1)];
        const auto step = IsStandardCapacitor(e.Value);
        list.push_back({{"name", "C" + std::to_string(j)},
                        {"value", Real(e.Value)},
                        {"exact", Optional(e.ExactValue > 0 && e.ExactValue != e.Value, e.ExactValue)},
                        {"standard", step.has_value()},
                        {"in_stock", inventory ? nlohmann::json(step && CapacitorInStock(*inventory, *step))
                                               : nlohmann::json(nullptr)}});
    }
    return list;
}

nlohmann::json Failure(const StageCircuitRecord& r, int s) {
    if (!r.Invalid) return nullptr;
    const InvalidStageText t = InvalidStageTextOf(s);
    return t.first + " " + t.second + " " + t.thirdBefore + t.thirdRed + t.thirdAfter;
}

nlohmann::json StageDocument(const Design& design, int s, const InventoryBlock* inventory) {
    const StageRecord& stage = design.Stage(s);
    const StageCircuitRecord& r = design.Circuit(s);
    const CircuitDefinition& circuit = *FindCircuit(r.CircuitNo);
    const ComponentValues inForce = ValuesInForce(r);
    nlohmann::json realized = nlohmann::json::object();
    if (!r.Invalid) {
        AddRealizedFigures(StageFunctionOf(circuit, inForce), circuit, realized);
        realized["gain"] = Real(RealizedGain(design, s));
    }
    return {{"stage", s},
            {"type", stage.TypeName},
            {"wp", Real(stage.Wp)},
            {"qp", Real(stage.Qp)},
            {"wz", Real(stage.Wz)},
            {"wc", Real(stage.Wc)},
            {"to", Real(stage.To)},
            {"circuit", r.CircuitNo},
            {"circuit_name", circuit.name},
            {"inverting", circuit.inverting},
            {"invalid", r.Invalid != 0},
            {"failure", Failure(r, s)},
            {"desired_gain", Real(r.DesiredGain)},
            {"actual_gain", Real(r.ActualGain)},
            {"gain_forced", r.GainForced != 0},
            {"gain_percent", Real(r.GainPercent)},
            {"opamp_gbw_hz", Real(r.OpAmpGBW)},
            {"min_gbw_hz", Real(r.MinGBW)},
            {"compensation", CompensationName(CompensationOf(r))},
            {"design_w", Real(r.DesignW)},
            {"design_q", Real(r.DesignQ)},
            {"resistors", Resistors(design, r, inForce, inventory)},
            {"capacitors", Capacitors(r, inventory)},
            {"realized", realized}};
}

}  // namespace

nlohmann::json DesignDocument(const Design& design, const std::string& approxName,
                              const std::vector<std::string>& warnings, const InventoryBlock* inventory) {
    const DesignState& state = design.State;
    nlohmann::json stages = nlohmann::json::array();
    for (int s = 1; s <= state.StageCount; ++s) stages.push_back(StageDocument(design, s, inventory));
    return {{"kind", KindName(state.FilterKind)},
            {"approx", approxName},
            {"order", state.Approx[state.ChosenApprox].Order},
            {"design_step", state.DesignStep},
            {"overall_gain", Real(state.OverallGain)},
            {"actual_overall_gain", Real(state.ActualOverallGain)},
            {"peak_gain_excess", Real(state.PeakGainExcess)},
            {"warnings", warnings},
            {"stages", stages}};
}

}  // namespace tavrel::cli
