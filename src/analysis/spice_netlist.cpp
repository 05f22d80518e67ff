#include "analysis/spice_netlist.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "analysis/spice_ngspice_control.h"
#include "stages/stage_record.h"
#include "core/number_format.h"

namespace tavrel {

namespace {

constexpr long double kMinNoiseResistor = 100;
constexpr long double kMaxNoiseResistor = 1e6L;

std::string StageOutput(size_t s) { return std::to_string(s + 2); }

// Op-amp models, one line list; modelNames[s] is the model every op amp of stage s uses.
void AddOpAmpModels(const std::vector<SpiceStage>& stages, const SpiceOptions& options,
                    std::vector<std::string>& lines, std::vector<std::string>& modelNames) {
    const bool ngspice = options.dialect == SpiceDialect::Ngspice;
    if (options.opAmpModel == SpiceOpAmp::IdealVcvs) {
        lines.insert(lines.end(), {".SUBCKT IDEALOP 2 1 5", "   EIO 5 0 2 1 1.0E+5", ".ENDS IDEALOP"});
        modelNames.assign(stages.size(), "IDEALOP");
        return;
    }
    // One single-pole model per distinct GBW, named after the first stage that has it.
    for (size_t s = 0; s < stages.size(); ++s) {
        size_t owner = s;
        for (size_t earlier = 0; earlier < s; ++earlier)
            if (stages[earlier].gbwHz == stages[s].gbwHz) {
                owner = earlier;
                break;
            }
        const std::string name = "GENOP" + std::to_string(owner + 1);
        modelNames.push_back(name);
        if (owner != s) continue;
        const long double quarter = 0.25L * stages[s].noise;
        const long double rn = std::clamp(quarter * quarter * 1000, kMinNoiseResistor, kMaxNoiseResistor);
        const long double cn = 1e5L / (2 * std::numbers::pi_v<long double> * rn * stages[s].gbwHz);
        const std::string rModel = ngspice ? "" : "RMODEL ";
        const std::string cModel = ngspice ? "" : "CMODEL ";
        lines.insert(lines.end(), {".SUBCKT " + name + " 2 1 6", "       R1 3 4 " + rModel + SpiceResistance(rn),
                                   "       C1 4 0 " + cModel + SpiceCapacitance(cn), "       R2 5 6 " + rModel + "100",
                                   "       EGEN1 3 0 2 1 1.0", "       EGEN2 5 0 4 0 1.0E+5", ".ENDS " + name});
    }
}

// A template element line with its value; the ngspice form drops the model name.
std::string ElementLine(const std::string& templateLine, const std::string& value, SpiceDialect dialect) {
    std::string line = templateLine;
    if (dialect == SpiceDialect::Ngspice) {
        for (const char* model : {" RMODEL", " CMODEL"}) {
            const size_t at = line.find(model);
            if (at != std::string::npos) line.erase(at, std::string(model).size());
        }
    }
    return line + " " + value;
}

void AddStageSubcircuit(const SpiceStage& stage, size_t s, const std::string& model, SpiceDialect dialect,
                        std::vector<std::string>& lines) {
    const std::string number = std::to_string(s + 1);
    const Topology& t = stage.circuit->TopologyOf(stage.compensated);
    lines.push_back(TrimTrailing(t.subcircuitLine) + number + " 1 2");
    for (const TemplateElement& e : t.elements) {
        const long double r = stage.values.R[static_cast<size_t>(e.number)];
        if (e.kind == 'R' && r != 0) lines.push_back(ElementLine(e.line, SpiceResistance(r, dialect), dialect));
    }
    for (const TemplateElement& e : t.elements)
        if (e.kind == 'C') lines.push_back(ElementLine(e.line, SpiceCapacitance(stage.values.C[static_cast<size_t>(e.number)], dialect), dialect));
    for (const TemplateElement& e : t.elements)
        if (e.kind == 'X') lines.push_back(e.line + " " + model);
    lines.push_back(TrimTrailing(t.endLine) + number);
}

}  // namespace

SpiceStage SpiceStageOf(const StageCircuitRecord& record) {
    SpiceStage stage;
    stage.circuit = FindCircuit(record.CircuitNo);
    stage.compensated = record.CompResistors != 0;
    stage.values = ValuesInForce(record);
    stage.gbwHz = record.OpAmpGBW;
    stage.noise = record.OpAmpNoise;
    return stage;
}

std::vector<std::string> SpiceNetlistLines(const std::vector<SpiceStage>& stages, const SpiceOptions& options) {
    std::vector<std::string> lines{"****  Tavrel Spice File  ****"};
    std::vector<std::string> models;
    AddOpAmpModels(stages, options, lines, models);
    for (size_t s = 0; s < stages.size(); ++s) AddStageSubcircuit(stages[s], s, models[s], options.dialect, lines);
    if (options.dialect == SpiceDialect::PSpice) {
        lines.push_back(".MODEL RMODEL RES(R=1 DEV=" + options.resistorTolerance + ")");
        lines.push_back(".MODEL CMODEL CAP(C=1 DEV=" + options.capacitorTolerance + ")");
    }
    lines.push_back("V1 1 0 AC 1");
    for (size_t s = 0; s < stages.size(); ++s) {
        const std::string n = std::to_string(s + 1);
        lines.push_back("X" + n + " " + n + " " + StageOutput(s) + " " + StageTypeCode(stages[s].circuit->stageType) + n);
    }
    if (options.dialect == SpiceDialect::Ngspice) {
        AddNgspiceControl(stages, options, lines);
        lines.push_back(".END");
        return lines;
    }
    lines.push_back(".AC DEC " + std::to_string(options.pointsPerDecade) + " " + SpiceFrequency(options.startHz) + " " +
                    SpiceFrequency(options.endHz));
    std::string outputs;
    for (size_t s = 0; s < stages.size(); ++s) outputs += " V(" + StageOutput(s) + ")";
    if (options.probe)
        for (size_t s = 0; s < stages.size(); ++s) lines.push_back(".PROBE V(" + StageOutput(s) + ")");
    if (options.printTable) lines.push_back(".PRINT AC" + outputs);
    if (options.plot) lines.push_back(".PLOT AC" + outputs);
    if (options.monteCarlo)
        lines.push_back(".MC " + std::to_string(options.monteCarloRuns) + " AC V(" + std::to_string(stages.size() + 1) +
                        ") YMAX LIST OUTPUT ALL");
    lines.push_back(".END");
    return lines;
}

}  // namespace tavrel
