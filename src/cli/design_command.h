#pragma once
#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "circuits/records/design.h"
#include "cli/calc_command.h"
#include "cli/design_analysis.h"
#include "cli/stages_command.h"

namespace tavrel::cli {

// `design`: a specification down to the circuit of every stage and its component values, with
// the choices of the calculation window and hand adjustments.
struct DesignOptions {
    CalcOptions calc;
    StagesOptions stages;
    std::string circuits = "auto";               // N1,N2,... one catalog number per stage, or auto
    std::optional<std::string> c2Variable, equal;  // stage lists
    std::optional<std::string> gbw;              // HZ or HZ1,HZ2,...
    std::string compensate = "none";
    std::string resistors = "exact";
    int strategy = 1;
    bool allCapsStandard = false;
    std::optional<std::string> inventory;
    std::vector<std::string> adjustC, userR;     // S:CN=VALUE, S:RN=VALUE
    std::optional<std::string> rTol;
    CharacteristicsOptions characteristics;     // the other tolerances, coefficients, --at-hz
    std::optional<std::string> netlist;
    std::string dialect = "pspice";
    std::string opamp = "ideal";
    std::optional<std::string> open;  // a saved design instead of a specification
    std::optional<std::string> save;  // the design file written at the end
    std::optional<std::string> ascii;  // the ASCII data file written at the end
};

void AddDesignOptions(CLI::App& command, DesignOptions& options);

// With --open the design comes from the file as it was saved: its component values are
// recalculated from what the file keeps (capacitors, gain resistors, hand-typed resistors) and
// nothing else is redone. With --save the design file is written once the design is complete.
// Throws ArithmeticFailure, std::invalid_argument (bad usage) or std::runtime_error (a file
// that cannot be read or written, or is not a design file). A refused entry (a stage the specification does not give,
// a hand adjustment the program refuses) comes back with status 2.
StagesRun RunDesign(const DesignOptions& options, const CalcEnvironment& env, Design& design);

}  // namespace tavrel::cli
