#include "cli/stage_documents.h"

#include <cmath>
#include <stdexcept>

#include "circuits/network/realized_figures.h"
#include "analysis/spice_netlist.h"
#include "circuits/catalog/circuit_definition.h"
#include "io/atomic_file.h"
#include "stages/stage_record.h"

namespace tavrel::cli {

namespace {

// Where the ngspice form writes the probed voltages: beside the netlist, under its name.
std::string DataFileFor(const std::filesystem::path& netlist) {
    std::filesystem::path data = netlist;
    if (data.extension() == ".dat") return data.string() + ".dat";
    return data.replace_extension(".dat").string();
}

}  // namespace

nlohmann::json Figure(long double x) {
    if (!std::isfinite(static_cast<double>(x))) return nullptr;
    return static_cast<double>(x);
}

void AddRealizedFigures(const StageFunction& f, const CircuitDefinition& circuit, nlohmann::json& doc) {
    const RealizedFigures r = RealizedFiguresOf(f, circuit);
    if (circuit.thirdOrder && !IsFirstOrderStage(circuit.stageType)) doc["p3"] = Figure(r.p3);
    doc["wp"] = Figure(r.wp);
    doc["qp"] = Figure(r.qp);
    doc["wz"] = Figure(r.wz);
    doc["wc"] = Figure(r.wc);
}

void WriteNetlist(const std::filesystem::path& file, const std::vector<SpiceStage>& stages, SpiceOptions spice,
                  nlohmann::json& doc) {
    spice.ngspiceDataFile = DataFileFor(file);
    if (const auto error = WriteLinesAtomically(file, SpiceNetlistLines(stages, spice)))
        throw std::runtime_error(error->message + ": " + error->reason);
    doc["netlist"] = file.string();
    if (spice.dialect == SpiceDialect::Ngspice) doc["netlist_data"] = spice.ngspiceDataFile;
}

}  // namespace tavrel::cli
