#include "cli/cli.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>
#include <memory>
#include <ostream>
#include <unistd.h>

#include "cli/calc_command.h"
#include "cli/circuit_command.h"
#include "cli/design_stage_command.h"
#include "cli/stages_command.h"
#include "cli/standard_command.h"
#include "circuits/records/design.h"
#include "core/arithmetic_failure.h"
#include "core/bessel_prototype.h"

namespace tavrel::cli {

std::filesystem::path ProgramDirectory() {
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::current_path() : exe.parent_path();
}

namespace {

void Print(std::ostream& out, const nlohmann::json& doc) {
    out << doc.dump(1, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
}

}  // namespace

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        const std::filesystem::path& programDirectory) {
    try {
        CLI::App app{"tavrel-cli: batch access to the Tavrel filter design libraries"};
        app.require_subcommand(1);
        CalcOptions calcOptions;
        CLI::App* calc = app.add_subcommand("calc", "specification to the five approximations");
        AddCalcOptions(*calc, calcOptions);
        CalcOptions stagesCalcOptions;
        StagesOptions stagesOptions;
        CLI::App* stages = app.add_subcommand("stages", "pairing, cascading and stage gains");
        AddStagesOptions(*stages, stagesCalcOptions, stagesOptions);
        DesignStageOptions designStageOptions;
        CLI::App* designStage = app.add_subcommand("design-stage", "one circuit designed for one stage target");
        AddDesignStageOptions(*designStage, designStageOptions);
        CircuitOptions circuitOptions;
        CLI::App* circuit = app.add_subcommand("circuit", "coefficients of one catalog circuit from component values");
        AddCircuitOptions(*circuit, circuitOptions);
        StandardOptions standardOptions;
        CLI::App* standard = app.add_subcommand("standard", "preferred values around each value");
        AddStandardOptions(*standard, standardOptions);

        std::vector<std::string> reversed(args.rbegin(), args.rend());
        try {
            app.parse(reversed);
        } catch (const CLI::CallForHelp&) {
            out << app.help();
            return kDone;
        } catch (const CLI::ParseError& e) {
            err << e.what() << "\n";
            return kFailure;
        }

        const CalcEnvironment env{programDirectory / kBesselTableName};
        // The one design of this run.
        const auto design = std::make_unique<Design>();
        if (calc->parsed()) {
            CalcRun run = RunSpecification(calcOptions, env, design->State);
            if (run.status == kRejected) {
                Print(out, run.error);
                return kRejected;
            }
            if (run.status == kFailure) {
                err << run.reason << "\n";
                return kFailure;
            }
            Print(out, CalcDocument(run, design->State));
            return kDone;
        }
        if (stages->parsed()) {
            const StagesRun run = RunStages(stagesCalcOptions, stagesOptions, env, *design);
            if (run.status == kFailure) {
                err << run.reason << "\n";
                return kFailure;
            }
            Print(out, run.doc);
            return run.status;
        }
        if (circuit->parsed()) {
            Print(out, RunCircuit(circuitOptions));
            return kDone;
        }
        if (standard->parsed()) {
            Print(out, RunStandard(standardOptions));
            return kDone;
        }
        if (designStage->parsed()) {
            Print(out, RunDesignStage(*designStage, designStageOptions));
            return kDone;
        }
        err << "no command\n";
        return kFailure;
    } catch (const ArithmeticFailure& failure) {
        Print(out, {{"error", ArithmeticFailureMessage(failure)}});
        return kArithmetic;
    } catch (const std::exception& e) {
        err << e.what() << "\n";
        return kFailure;
    }
}

}  // namespace tavrel::cli
