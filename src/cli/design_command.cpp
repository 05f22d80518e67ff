#include "cli/design_command.h"

#include <cstdio>
#include <ctime>
#include <set>
#include <stdexcept>

#include "analysis/spice_netlist.h"
#include "analysis/workflow.h"
#include "circuits/adjustment/adjust_capacitor.h"
#include "circuits/adjustment/adjust_resistor.h"
#include "circuits/calculation/calculation_messages.h"
#include "circuits/calculation/calculation_options.h"
#include "circuits/calculation/compensation_choice.h"
#include "circuits/calculation/recalculate.h"
#include "circuits/calculation/stage_gains.h"
#include "circuits/catalog/circuit_definition.h"
#include "circuits/selection/select_circuit.h"
#include "cli/design_document.h"
#include "cli/final_response_document.h"
#include "cli/number_option.h"
#include "cli/saved_design.h"
#include "cli/stage_documents.h"
#include "core/math_helpers.h"
#include "io/ascii_export.h"
#include "io/design_file/design_commands.h"
#include "io/inventory_file.h"
#include "stages/stage_record.h"

namespace tavrel::cli {

namespace {

// One hand adjustment, "S:CN=VALUE" or "S:RN=VALUE".
struct HandValue {
    int stage = 0;
    int component = 0;
    long double value = 0;
};

// Everything the options ask for, read and checked against the stages before the design is
// touched, so that a mistake anywhere leaves nothing half applied.
struct DesignChoices {
    std::vector<const CircuitDefinition*> circuits;  // stage s at s - 1
    std::set<int> c2Variable, equal;
    std::vector<long double> gbwHz;  // empty: each circuit's own
    std::optional<Compensation> compensation;
    bool standardResistors = false;
    RoundingStrategy strategy = RoundingStrategy::Nearest;
    std::vector<HandValue> capacitors, resistors;
    std::optional<InventoryBlock> inventory;
};


int WholeNumber(const std::string& text, const std::string& what) {
    size_t used = 0;
    int value = 0;
    try {
        value = std::stoi(text, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used == 0 || used != text.size()) throw std::invalid_argument(what + " is not a whole number: \"" + text + "\"");
    return value;
}

int StageNumber(const std::string& text, int stageCount, const std::string& option) {
    const int s = WholeNumber(text, option + " stage");
    if (s < 1 || s > stageCount)
        throw std::invalid_argument(option + ": the filter has stages 1 to " + std::to_string(stageCount) + ", not " +
                                    text);
    return s;
}

std::set<int> StageList(const std::optional<std::string>& text, int stageCount, const std::string& option) {
    std::set<int> stages;
    if (text)
        for (const std::string& item : SplitList(*text)) stages.insert(StageNumber(item, stageCount, option));
    return stages;
}

std::vector<const CircuitDefinition*> CircuitList(const std::string& text, const Design& design) {
    const int n = design.State.StageCount;
    const std::vector<std::string> items = SplitList(text);
    if (static_cast<int>(items.size()) != n)
        throw std::invalid_argument("--circuits lists " + std::to_string(items.size()) + " circuits for " +
                                    std::to_string(n) + " stages");
    std::vector<const CircuitDefinition*> circuits;
    for (int s = 1; s <= n; ++s) {
        const std::string& item = items[static_cast<size_t>(s - 1)];
        const CircuitDefinition* circuit = FindCircuit(WholeNumber(item, "--circuits item"));
        if (circuit == nullptr) throw std::invalid_argument("--circuits: no circuit number " + item + " in the catalog");
        const int type = design.Stage(s).StageType;
        if (circuit->stageType != type)
            throw std::invalid_argument("--circuits: circuit " + item + " is a " + StageTypeCode(circuit->stageType) +
                                        " circuit, stage " + std::to_string(s) + " is " + StageTypeCode(type));
        circuits.push_back(circuit);
    }
    return circuits;
}

// "S:CN=VALUE" with the component letter `letter`, the number checked against the stage's circuit.
HandValue HandValueOf(const std::string& text, char letter, const DesignChoices& choices, const std::string& option) {
    const size_t colon = text.find(':'), equals = text.find('=');
    if (colon == std::string::npos || equals == std::string::npos || equals < colon + 2 ||
        text[colon + 1] != letter)
        throw std::invalid_argument(option + " takes S:" + letter + "N=VALUE, not \"" + text + "\"");
    HandValue hand;
    hand.stage = StageNumber(text.substr(0, colon), static_cast<int>(choices.circuits.size()), option);
    const CircuitDefinition& circuit = *choices.circuits[static_cast<size_t>(hand.stage - 1)];
    const std::string name = text.substr(colon + 1, equals - colon - 1);
    hand.component = WholeNumber(name.substr(1), option + " component");
    const int count = letter == 'C' ? circuit.capacitorCount : circuit.resistorCount;
    if (hand.component < 1 || hand.component > count)
        throw std::invalid_argument(option + ": circuit " + std::to_string(circuit.circuitNo) + " of stage " +
                                    std::to_string(hand.stage) + " has no " + name);
    hand.value = PositiveNumber(text.substr(equals + 1), option + " value");
    return hand;
}

std::vector<long double> GbwList(const std::string& text, int stageCount) {
    std::vector<long double> hz;
    for (const std::string& item : SplitList(text)) hz.push_back(PositiveNumber(item, "--gbw"));
    if (hz.size() == 1) hz.assign(static_cast<size_t>(stageCount), hz.front());
    if (static_cast<int>(hz.size()) != stageCount)
        throw std::invalid_argument("--gbw takes one value or one per stage (" + std::to_string(stageCount) + ")");
    return hz;
}

InventoryBlock InventoryOf(const std::string& file) {
    const auto block = ReadInventoryFile(file);
    if (!block) throw std::runtime_error("--inventory: cannot read " + file);
    return *block;
}

// The characteristics go into the design first: the automatic choice of circuits weighs them.
DesignChoices ReadChoices(const DesignOptions& o, Design& design) {
    const int n = design.State.StageCount;
    DesignChoices c;
    if (o.gbw) c.gbwHz = GbwList(*o.gbw, n);
    // The resistor tolerance picks the standard series: --resistors and --r-tol must agree.
    c.standardResistors = o.resistors != "exact";
    if (o.rTol) {
        const long double tolerance = PositiveNumber(*o.rTol, "--r-tol");
        if (c.standardResistors && std::stoi(o.resistors) != tolerance)
            throw std::invalid_argument("--resistors " + o.resistors + " and --r-tol " + *o.rTol +
                                        " disagree: the resistor tolerance picks the series");
        design.Characteristics.RTolerance = tolerance;
    } else if (c.standardResistors) {
        design.Characteristics.RTolerance = std::stoi(o.resistors);
    }
    ApplyCharacteristics(o.characteristics, design);
    if (o.circuits == "auto") {
        for (const int no : AutoCircuitNumbers(design, c.gbwHz)) c.circuits.push_back(FindCircuit(no));
    } else {
        c.circuits = CircuitList(o.circuits, design);
    }
    c.c2Variable = StageList(o.c2Variable, n, "--c2-variable");
    c.equal = StageList(o.equal, n, "--equal");
    for (const int s : c.c2Variable)
        if (c.equal.count(s))
            throw std::invalid_argument("stage " + std::to_string(s) + " cannot take both --c2-variable and --equal");
    if (o.compensate == "predistort") c.compensation = Compensation::Predistortion;
    if (o.compensate == "active") c.compensation = Compensation::Active;
    c.strategy = o.strategy == 2 ? RoundingStrategy::BestCombination : RoundingStrategy::Nearest;
    for (const std::string& text : o.adjustC) c.capacitors.push_back(HandValueOf(text, 'C', c, "--adjust-c"));
    for (const std::string& text : o.userR) c.resistors.push_back(HandValueOf(text, 'R', c, "--user-r"));
    if (o.inventory) c.inventory = InventoryOf(*o.inventory);
    return c;
}

// Offered options only: a stage listed for an option its circuit does not have is a mistake.
void ApplyStageOptions(const DesignChoices& c, Design& design) {
    for (const int s : c.c2Variable) {
        if (!OffersC2Variable(design, s))
            throw std::invalid_argument("--c2-variable: circuit " + std::to_string(design.Circuit(s).CircuitNo) +
                                        " of stage " + std::to_string(s) + " does not offer C2 variable");
        SetC2Variable(design, s, true);
    }
    for (const int s : c.equal) {
        if (!OffersEqualComponents(design, s))
            throw std::invalid_argument("--equal: circuit " + std::to_string(design.Circuit(s).CircuitNo) +
                                        " of stage " + std::to_string(s) + " does not offer C1=C2 : R1=R2");
        SetEqualComponents(design, s, true);
    }
}

// The date line of the ASCII data file.
std::string CurrentDateTimeText() {
    const std::time_t now = std::time(nullptr);
    char text[64];
    std::strftime(text, sizeof text, "%x %X", std::localtime(&now));
    return text;
}

// A refused hand adjustment: the program's message, with the stage, as the rejection document.
StagesRun Refused(const HandValue& hand, const std::vector<std::string>& messages) {
    StagesRun run;
    run.status = 2;
    std::string text;
    for (const std::string& m : messages) text += (text.empty() ? "" : " ") + m;
    run.doc = {{"error", text}, {"stage", hand.stage}};
    return run;
}

void AddDesignNetlist(const DesignOptions& o, const Design& design, nlohmann::json& doc) {
    std::vector<SpiceStage> stages;
    for (int s = 1; s <= design.State.StageCount; ++s) stages.push_back(SpiceStageOf(design.Circuit(s)));
    const DesignState& state = design.State;
    const long double toHz = state.HzUnits ? 1 : 1 / (2 * kPi);
    SpiceOptions spice;
    spice.startHz = state.FreqLo * toHz;
    spice.endHz = state.FreqHi * toHz;
    spice.dialect = o.dialect == "ngspice" ? SpiceDialect::Ngspice : SpiceDialect::PSpice;
    spice.opAmpModel = o.opamp == "gbw" ? SpiceOpAmp::SinglePole : SpiceOpAmp::IdealVcvs;
    WriteNetlist(*o.netlist, stages, spice, doc);
}

}  // namespace

void AddDesignOptions(CLI::App& command, DesignOptions& o) {
    AddStagesOptions(command, o.calc, o.stages);
    // Required unless a saved design is opened; checked when the command runs.
    command.get_option("--approx")->required(false);
    command.add_option("--circuits", o.circuits,
                       "one catalog number per stage in cascade order (see catalog), or auto: the circuit of "
                       "smallest gain spread (default auto)")
        ->type_name("auto|N1,N2,...");
    command.add_option("--c2-variable", o.c2Variable, "stages designed with \" C2 variable\"")->type_name("S1,S2,...");
    command.add_option("--equal", o.equal, "stages designed with \" C1=C2 : R1=R2\"")->type_name("S1,S2,...");
    command.add_option("--gbw", o.gbw, "op-amp GBW in Hz, one or one per stage (default: each circuit's MinGBW, "
                                       "at least 1 MHz)")
        ->type_name("HZ|HZ1,HZ2,...");
    command.add_option("--compensate", o.compensate, "every stage that offers it (default none)")
        ->check(CLI::IsMember({"none", "predistort", "active"}))
        ->type_name("none|predistort|active");
    command.add_option("--resistors", o.resistors, "exact values or standard values of the 1, 5 or 10 % series")
        ->check(CLI::IsMember({"exact", "1", "5", "10"}))
        ->type_name("exact|1|5|10");
    command.add_option("--strategy", o.strategy, "standard resistors: 1 each nearest, 2 the best combination")
        ->check(CLI::IsMember({1, 2}))
        ->type_name("1|2");
    command.add_flag("--all-caps-standard", o.allCapsStandard, "every capacitor an E12 value, resistors re-solved");
    command.add_option("--inventory", o.inventory, "inventory file: marks the values in stock")->type_name("FILE");
    command.add_option("--adjust-c", o.adjustC, "set a capacitor by hand, within 12 % (repeatable)")
        ->type_name("S:CN=VALUE");
    command.add_option("--user-r", o.userR, "fix a resistor by hand (repeatable)")->type_name("S:RN=VALUE");
    command.add_option("--r-tol", o.rTol, "resistor tolerance, percent (picks the standard series)")
        ->type_name("PCT");
    CharacteristicsOptions& k = o.characteristics;
    command.add_option("--c-tol", k.cTol, "capacitor tolerance, percent")->type_name("PCT");
    command.add_option("--gbw-tol", k.gbwTol, "op-amp GBW tolerance, percent")->type_name("PCT");
    command.add_option("--r-tc", k.rTc, "resistor temperature coefficient, ppm/deg C")->type_name("PPM");
    command.add_option("--c-tc", k.cTc, "capacitor temperature coefficient, ppm/deg C")->type_name("PPM");
    command.add_option("--gbw-tc", k.gbwTc, "op-amp GBW temperature coefficient, ppm/deg C")->type_name("PPM");
    command.add_option("--temp-range", k.tempRange, "temperature range, deg C")->type_name("DEG");
    command.add_option("--at-hz", k.atHz, "frequency of the spread and temperature details (default: where the "
                                           "passband is lowest)")
        ->type_name("F");
    auto* netlist = command.add_option("--netlist", o.netlist, "write the whole filter's netlist to FILE")
                        ->type_name("FILE");
    command.add_option("--dialect", o.dialect, "pspice|ngspice (default pspice)")
        ->check(CLI::IsMember({"pspice", "ngspice"}))
        ->needs(netlist);
    command.add_option("--opamp", o.opamp, "netlist op amps: ideal or the single pole of each GBW (default ideal)")
        ->check(CLI::IsMember({"ideal", "gbw"}))
        ->needs(netlist);
    command.add_option("--ascii", o.ascii, "write the ASCII data file: specification, transfer functions, poles "
                                           "and zeros, ideal response")
        ->type_name("FILE.dat");
    command.add_option("--save", o.save, "write the design file the desktop program opens")->type_name("FILE.tv3");
    // A saved design is analysed as it stands: it takes none of the options that build a design.
    CLI::Option* open =
        command.add_option("--open", o.open, "a saved design, analysed as it stands")->type_name("FILE.tv3");
    for (CLI::Option* option : command.get_options()) {
        const std::string name = option->get_name();
        if (option != open && option != command.get_help_ptr() &&
            !(name == "--save" || name == "--ascii" || name == "--netlist" || name == "--dialect" || name == "--opamp"))
            open->excludes(option);
    }
}

namespace {

// The design of a specification, its circuits and the calculation window's choices.
StagesRun CalculatedDesign(const DesignOptions& o, const CalcEnvironment& env, Design& design) {
    if (o.stages.approx.empty()) throw std::invalid_argument("--approx is required");
    StagesRun run = RunStages(o.calc, o.stages, env, design);
    if (run.status != 0) return run;
    const DesignChoices c = ReadChoices(o, design);

    const int n = design.State.StageCount;
    for (int s = 1; s <= n; ++s) {
        SelectCircuit(design, s, c.circuits[static_cast<size_t>(s - 1)]->circuitIndex);
        if (!c.gbwHz.empty()) {
            design.Circuit(s).OpAmpGBW = c.gbwHz[static_cast<size_t>(s - 1)];
            design.Circuits.GBWSetByUser[static_cast<size_t>(s)] = 1;
        }
    }
    RecalculateAll(design, false);
    ApplyStageOptions(c, design);
    if (c.compensation) {
        for (int s = 1; s <= n; ++s) ChooseCompensation(design, s, *c.compensation);
        RecalculateAll(design, true);
    }
    design.Options.Strategy = c.strategy;
    design.Options.AllCapsStandard = o.allCapsStandard;
    design.Circuits.AllResistorsStandard = c.standardResistors;
    RecalculateAll(design, true);

    std::vector<std::string> warnings;
    for (const HandValue& hand : c.capacitors) {
        const AdjustmentOutcome outcome = AdjustCapacitor(design, hand.stage, hand.component, hand.value);
        if (!outcome.applied) return Refused(hand, outcome.messages);
        warnings.insert(warnings.end(), outcome.messages.begin(), outcome.messages.end());
    }
    for (const HandValue& hand : c.resistors) {
        // The dialog's entry reads plain numbers; the suffixes were read here already.
        char typed[40];
        std::snprintf(typed, sizeof typed, "%.10Lg", hand.value);
        const AdjustmentOutcome outcome = AdjustResistor(design, hand.stage, hand.component, typed);
        if (!outcome.applied && !outcome.messages.empty()) return Refused(hand, outcome.messages);
        warnings.insert(warnings.end(), outcome.messages.begin(), outcome.messages.end());
    }
    ReportGains(design);
    ComponentsCalculated(design);

    const std::vector<std::string> leaving = LeavingMessages(design);
    warnings.insert(warnings.end(), leaving.begin(), leaving.end());
    run.doc = DesignDocument(design, o.stages.approx, warnings, c.inventory ? &*c.inventory : nullptr);
    return run;
}

// A saved design, analysed as it stands.
StagesRun OpenedDesign(const std::string& file, Design& design) {
    OpenSavedDesign(file, design);
    StagesRun run;
    run.doc = DesignDocument(design, ApproxOptionName(design.State.ChosenApprox), LeavingMessages(design), nullptr);
    return run;
}

}  // namespace

StagesRun RunDesign(const DesignOptions& o, const CalcEnvironment& env, Design& design) {
    StagesRun run = o.open ? OpenedDesign(*o.open, design) : CalculatedDesign(o, env, design);
    if (run.status != 0) return run;
    run.doc["response"] = FinalResponseDocument(design);
    AddAnalysis(o.characteristics, design, run.doc);
    if (o.netlist) AddDesignNetlist(o, design, run.doc);
    if (o.ascii) {
        AsciiExportOptions ascii;
        ascii.transferFunctions = true;
        ascii.hz = design.State.HzUnits;
        if (const auto failure = WriteAsciiExport(*o.ascii, design, ascii, CurrentDateTimeText()))
            throw std::runtime_error(failure->message + ": " + failure->reason);
    }
    if (o.save)
        if (const auto failure = WriteDesign(*o.save, design)) throw std::runtime_error(*failure);
    return run;
}

}  // namespace tavrel::cli
