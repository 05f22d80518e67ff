#include "cli/circuit_command.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <stdexcept>
#include <vector>

#include "circuits/catalog/circuit_definition.h"
#include "circuits/equations/compensation_resistors.h"
#include "circuits/network/stage_function.h"
#include "cli/number_option.h"
#include "cli/stage_documents.h"
#include "stages/stage_record.h"
#include "core/arithmetic_failure.h"
#include "core/math_helpers.h"
#include "core/real48.h"

namespace tavrel::cli {

namespace {

// Without --f-hz the response covers two decades on either side of the circuit's own
// frequency, on as many points as the program's response grids.
constexpr int kDefaultPoints = 351;
constexpr long double kDefaultSpan = 100;

// Component values are stored as the program stores them; a value beyond the stored range is
// an arithmetic failure, one below it would be a zero component.
std::vector<long double> ParseValues(const std::string& text, char letter, const std::vector<int>& counts,
                                     int circuitNo) {
    const std::vector<std::string> items = SplitList(text);
    if (std::find(counts.begin(), counts.end(), static_cast<int>(items.size())) == counts.end()) {
        std::string expected = std::to_string(counts.front());
        if (counts.size() > 1) expected += " or " + std::to_string(counts.back());
        throw std::invalid_argument(std::string("circuit ") + std::to_string(circuitNo) + " takes " + expected + " " +
                                    letter + " values, got " + std::to_string(items.size()));
    }
    std::vector<long double> values;
    for (size_t i = 0; i < items.size(); ++i) {
        const std::string name = letter + std::to_string(i + 1);
        const long double stored = Real48(PositiveNumber(items[i], name));
        if (stored == 0) throw std::invalid_argument(name + " is too small to be stored: " + items[i]);
        values.push_back(stored);
    }
    return values;
}

void CheckFinite(const StageFunction& f) {
    std::vector<long double> all{f.k};
    all.insert(all.end(), f.n.begin(), f.n.end());
    all.insert(all.end(), f.d.begin(), f.d.end());
    for (const long double x : all) {
        if (std::isnan(x)) throw ArithmeticFailure(kInvalidOperationText);
        if (!std::isfinite(static_cast<double>(x))) throw ArithmeticFailure(kOverflowText);
    }
}

std::vector<long double> Frequencies(const std::optional<std::string>& text, const StageFunction& f, int order) {
    std::vector<long double> hz;
    if (text) {
        for (const std::string& item : SplitList(*text)) hz.push_back(PositiveNumber(item, "--f-hz value"));
        return hz;
    }
    long double w = std::pow(std::fabs(f.d[0]), 1.0L / order);
    if (!(w > 0 && std::isfinite(w))) w = 2 * kPi * 1000;
    const long double lo = w / (2 * kPi) / kDefaultSpan, decades = 2 * std::log10(kDefaultSpan);
    for (int k = 0; k < kDefaultPoints; ++k) hz.push_back(lo * std::pow(10.0L, decades * k / (kDefaultPoints - 1)));
    return hz;
}

nlohmann::json Response(const StageFunction& f, const std::vector<long double>& hz) {
    std::vector<double> fHz, db, phase;
    for (const long double x : hz) {
        const long double w = 2 * kPi * x;
        fHz.push_back(static_cast<double>(x));
        db.push_back(static_cast<double>(20 * std::log10(std::abs(EvaluateStageFunction(f, Complex(0, w))))));
        phase.push_back(static_cast<double>(StagePhase(f, w) * 180 / kPi));
    }
    return {{"f_hz", fHz}, {"gain_db", db}, {"phase_deg", phase}};
}

}  // namespace

void AddCircuitOptions(CLI::App& command, CircuitOptions& options) {
    command.add_option("--no", options.no, "circuit number of the catalog (1..94, see the catalog command)")
        ->required()
        ->type_name("N");
    command.add_option("--r", options.r, "resistor values R1,R2,... in ohm (4.7k, 1MEG)")
        ->required()
        ->type_name("R1,R2,...");
    command.add_option("--c", options.c, "capacitor values C1,C2,... in farad (10n, 220p)")
        ->required()
        ->type_name("C1,C2,...");
    command.add_flag("--compensated", options.compensated,
                     "the actively compensated variant (its two added resistors may follow the others; "
                     "default: copied from the first op amp's divider)");
    command
        .add_option("--f-hz", options.fHz,
                    "response frequencies F1,F2,... in Hz (default: " + std::to_string(kDefaultPoints) +
                        " points over two decades on either side of the circuit's own frequency)")
        ->type_name("F1,F2,...");
    auto* netlist =
        command.add_option("--netlist", options.netlist, "write a netlist of this stage to FILE")->type_name("FILE");
    command.add_option("--dialect", options.dialect, "pspice|ngspice (default " + options.dialect + ")")
        ->type_name("DIALECT")
        ->check(CLI::IsMember({"pspice", "ngspice"}))
        ->needs(netlist);
}

nlohmann::json RunCircuit(const CircuitOptions& options) {
    const CircuitDefinition* circuit = FindCircuit(options.no);
    if (circuit == nullptr)
        throw std::invalid_argument("no circuit number " + std::to_string(options.no) + " in the catalog");
    std::vector<int> resistorCounts{circuit->resistorCount};
    if (options.compensated) {
        if (!circuit->compensated)
            throw std::invalid_argument("circuit " + std::to_string(circuit->circuitNo) +
                                        " has no actively compensated variant");
        const int inVariant = circuit->compensated->topology.resistorCount;
        if (inVariant > circuit->resistorCount) resistorCounts.push_back(inVariant);
    }
    const std::vector<long double> r = ParseValues(options.r, 'R', resistorCounts, circuit->circuitNo);
    const std::vector<long double> c = ParseValues(options.c, 'C', {circuit->capacitorCount}, circuit->circuitNo);
    ComponentValues values;
    for (size_t i = 0; i < r.size(); ++i) values.R[i + 1] = r[i];
    for (size_t j = 0; j < c.size(); ++j) values.C[j + 1] = c[j];

    // With ideal op amps the compensated variant has the plain circuit's function, whatever
    // its added resistors are, so the coefficients come from the plain circuit.
    const StageFunction f = StageFunctionOf(*circuit, values);
    CheckFinite(f);
    const std::vector<long double> hz = Frequencies(options.fHz, f, circuit->Order());

    nlohmann::json doc = {{"no", circuit->circuitNo},
                          {"type", StageTypeText(circuit->stageType)},
                          {"index", circuit->circuitIndex},
                          {"name", circuit->name},
                          {"inverting", circuit->inverting},
                          {"third_order", circuit->thirdOrder},
                          {"form", circuit->form == CoefficientForm::UnitConstant ? "unit-constant" : "monic"},
                          {"listed", ResistorListText(*circuit)},
                          {"k", static_cast<double>(f.k)}};
    std::vector<double> d, n;
    for (size_t p = 0; p < 4; ++p) d.push_back(static_cast<double>(f.d[p])), n.push_back(static_cast<double>(f.n[p]));
    doc["d"] = d;
    doc["n"] = n;
    AddRealizedFigures(f, *circuit, doc);
    doc["response"] = Response(f, hz);

    if (options.netlist) {
        // Given only the plain circuit's resistors, the variant's added ones are copied from the
        // first op amp's divider as the design copies them.
        SpiceStage stage;
        stage.circuit = circuit;
        stage.compensated = options.compensated;
        stage.values = options.compensated && r.size() == static_cast<size_t>(circuit->resistorCount)
                           ? WithCompensationResistors(*circuit, values)
                           : values;
        SpiceOptions spice;
        spice.startHz = *std::min_element(hz.begin(), hz.end());
        spice.endHz = *std::max_element(hz.begin(), hz.end());
        spice.dialect = options.dialect == "ngspice" ? SpiceDialect::Ngspice : SpiceDialect::PSpice;
        WriteNetlist(*options.netlist, {stage}, spice, doc);
    }
    return doc;
}

}  // namespace tavrel::cli
