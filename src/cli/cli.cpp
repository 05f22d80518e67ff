#include "cli/cli.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>
#include <memory>
#include <ostream>
#include <unistd.h>

#include "cli/calc_command.h"
#include "cli/catalog_command.h"
#include "cli/circuit_command.h"
#include "cli/design_command.h"
#include "cli/design_stage_command.h"
#include "cli/schematic_command.h"
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

// The end of every command's help: one command line that works as it stands.
void Example(CLI::App& command, const std::string& line) { command.footer("\nExample:\n  " + line + "\n"); }

}  // namespace

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        const std::filesystem::path& programDirectory) {
    try {
        CLI::App app{"tavrel-cli: batch access to the Tavrel filter design libraries", "tavrel-cli"};
        app.require_subcommand(1);
        app.footer(
            "\nEvery command prints one JSON document on standard output. Exit status: 0 done, 2 an entry was\n"
            "rejected, 3 an arithmetic failure, 1 bad usage (the reason on standard error). Numbers may carry\n"
            "one suffix: p n u m k M G (also K, MEG): 4.7k, 10n, 220p, 1.5MEG.\n"
            "Run tavrel-cli COMMAND --help for the options of a command.\n");
        CalcOptions calcOptions;
        CLI::App* calc = app.add_subcommand("calc", "specification to the five approximations");
        AddCalcCommandOptions(*calc, calcOptions);
        Example(*calc, "tavrel-cli calc --kind lowpass --apb 0.5 --asb 40 --f1 1k --f2 2.5k --unit hz --brief");
        CalcOptions stagesCalcOptions;
        StagesOptions stagesOptions;
        CLI::App* stages = app.add_subcommand("stages", "pairing, cascading and stage gains");
        AddStagesOptions(*stages, stagesCalcOptions, stagesOptions);
        Example(*stages, "tavrel-cli stages --asb 40 --f1 1k --f2 2.5k --unit hz --approx chebyshev");
        CatalogOptions catalogOptions;
        CLI::App* catalog =
            app.add_subcommand("catalog", "the circuits of the catalog: numbers, counts, ease of tuning");
        AddCatalogOptions(*catalog, catalogOptions);
        Example(*catalog, "tavrel-cli catalog --type slp");
        CircuitOptions circuitOptions;
        CLI::App* circuit = app.add_subcommand("circuit", "coefficients of one catalog circuit from component values");
        AddCircuitOptions(*circuit, circuitOptions);
        Example(*circuit, "tavrel-cli circuit --no 11 --r 10k,10k --c 10n,22n --f-hz 100,1k,10k");
        DesignStageOptions designStageOptions;
        CLI::App* designStage = app.add_subcommand("design-stage", "one circuit designed for one stage target");
        AddDesignStageOptions(*designStage, designStageOptions);
        Example(*designStage, "tavrel-cli design-stage --no 13 --wp 6283 --qp 0.707 --gain 2 --c1 10n");
        DesignOptions designOptions;
        CLI::App* designCommand =
            app.add_subcommand("design", "the whole filter: a circuit per stage and its component values");
        AddDesignOptions(*designCommand, designOptions);
        Example(*designCommand,
                "tavrel-cli design --asb 40 --f1 1k --f2 2.5k --unit hz --approx chebyshev --circuits 13,13 "
                "--resistors 1");
        SchematicOptions schematicOptions;
        CLI::App* schematic = app.add_subcommand("schematic", "the circuit the drawing of a catalog circuit connects");
        AddSchematicOptions(*schematic, schematicOptions);
        Example(*schematic, "tavrel-cli schematic --no 14 --compensated");
        StandardOptions standardOptions;
        CLI::App* standard = app.add_subcommand("standard", "preferred values around each value");
        AddStandardOptions(*standard, standardOptions);
        Example(*standard, "tavrel-cli standard --series 5 4.7k 12.3k");

        // Without a command the help, with the list of commands, is the answer.
        if (args.empty()) {
            err << app.help();
            return kFailure;
        }
        std::vector<std::string> reversed(args.rbegin(), args.rend());
        try {
            app.parse(reversed);
        } catch (const CLI::CallForHelp&) {
            out << app.help();
            return kDone;
        } catch (const CLI::ParseError& e) {
            // No command recognised (a misspelt or unknown one): the list of commands helps.
            const bool noCommand = app.get_subcommands().empty();
            if (noCommand && !args.front().starts_with("-"))
                err << "unknown command: " << args.front() << "\n";
            else
                err << e.what() << "\n";
            if (noCommand) err << "\n" << app.help();
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
            Print(out, CalcDocument(run, design->State, calcOptions.brief));
            return kDone;
        }
        // The document of a design run, or its reason for bad usage.
        auto finish = [&](const StagesRun& run) {
            if (run.status == kFailure) {
                err << run.reason << "\n";
                return kFailure;
            }
            Print(out, run.doc);
            return run.status;
        };
        if (stages->parsed()) return finish(RunStages(stagesCalcOptions, stagesOptions, env, *design));
        if (designCommand->parsed()) return finish(RunDesign(designOptions, env, *design));
        if (catalog->parsed()) {
            Print(out, RunCatalog(catalogOptions));
            return kDone;
        }
        if (circuit->parsed()) {
            Print(out, RunCircuit(circuitOptions));
            return kDone;
        }
        if (schematic->parsed()) {
            Print(out, RunSchematic(schematicOptions));
            return kDone;
        }
        if (standard->parsed()) {
            Print(out, RunStandard(standardOptions));
            return kDone;
        }
        if (designStage->parsed()) {
            Print(out, RunDesignStage(designStageOptions));
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
