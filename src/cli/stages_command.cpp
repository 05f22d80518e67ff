#include "cli/stages_command.h"

#include <stdexcept>

#include "analysis/workflow.h"

namespace tavrel::cli {

namespace {

constexpr const char* kApproxOptionNames[kApproxCount] = {"butterworth", "chebyshev", "inverse_chebyshev",
                                                          "elliptic", "bessel"};

int ApproxFromName(const std::string& name) {
    for (int approx = 0; approx < kApproxCount; ++approx)
        if (name == kApproxOptionNames[approx]) return approx;
    throw std::invalid_argument("unknown approximation: " + name);
}

StagePreferences PreferencesOption(const std::optional<std::string>& text, const char* fallback, const char* option) {
    if (!text) return PreferencesFromText(fallback, fallback);
    if (!IsValidPreferencesText(*text))
        throw std::invalid_argument(std::string(option) + " takes 8 characters, each a blank or a digit 0 to 4");
    return PreferencesFromText(*text, fallback);
}

nlohmann::json StageDocument(const StageRecord& stage, int number) {
    return {{"stage", number},
            {"type", stage.TypeName},
            {"wp", static_cast<double>(stage.Wp)},
            {"qp", static_cast<double>(stage.Qp)},
            {"wz", static_cast<double>(stage.Wz)},
            {"wc", static_cast<double>(stage.Wc)},
            {"pole1", stage.Pole1},
            {"pole2", stage.Pole2},
            {"zero1", stage.Zero1},
            {"zero2", stage.Zero2},
            {"gain_factor", static_cast<double>(stage.GainFactor)},
            {"to", static_cast<double>(stage.To)},
            {"flatness", static_cast<double>(stage.Flatness)}};
}

}  // namespace

const char* ApproxOptionName(int approx) { return kApproxOptionNames[approx]; }

void AddStagesOptions(CLI::App& command, CalcOptions& calcOptions, StagesOptions& options) {
    AddCalcOptions(command, calcOptions);
    command.add_option("--approx", options.approx, "butterworth|chebyshev|inverse_chebyshev|elliptic|bessel")
        ->required();
    command.add_flag("--use-q", options.useQ, "order the remaining stages by increasing Qp");
    command.add_option("--first-prefs", options.firstPrefs, "first-stage preferences, e.g. 11121314");
    command.add_option("--last-prefs", options.lastPrefs, "last-stage preferences, e.g. 01010101");
}

StagesRun RunStages(const CalcOptions& calcOptions, const StagesOptions& options, const CalcEnvironment& env,
                    Design& design) {
    const int approx = ApproxFromName(options.approx);
    StageTables& tables = design.Stages;
    tables.Criteria.FirstStagePrefs = PreferencesOption(options.firstPrefs, kDefaultFirstStage, "--first-prefs");
    tables.Criteria.LastStagePrefs = PreferencesOption(options.lastPrefs, kDefaultLastStage, "--last-prefs");
    tables.Criteria.UseQ = options.useQ;

    CalcRun calc = RunSpecification(calcOptions, env, design.State);
    StagesRun run;
    run.status = calc.status;
    if (calc.status == 2) run.doc = calc.error;
    run.reason = calc.reason;
    if (calc.status != 0) return run;
    DesignState& state = design.State;
    if (!state.ResultsValid || !IsUsable(state, approx)) {
        run.status = 1;
        run.reason = "the " + options.approx + " approximation cannot be used for this specification";
        return run;
    }
    state.AutoPairing = state.AutoCascading = true;
    SpecificationNext(design);
    ChooseApproximation(design, approx);
    ApproximationNext(design, approx);

    nlohmann::json stages = nlohmann::json::array();
    for (int i = 1; i <= state.StageCount; ++i) stages.push_back(StageDocument(tables.Stage[static_cast<size_t>(i)], i));
    run.doc = {{"stage_count", state.StageCount}, {"stages", stages}};
    return run;
}

}  // namespace tavrel::cli
