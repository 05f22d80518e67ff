#include "cli/design_analysis.h"

#include <cmath>
#include <numbers>
#include <stdexcept>

#include "analysis/passband/passband_scan.h"
#include "analysis/spread/filter_spread.h"
#include "analysis/spread/spread_report.h"
#include "analysis/temperature/filter_change.h"
#include "analysis/temperature/temperature_report.h"
#include "circuits/calculation/gain_sensitivities.h"
#include "circuits/catalog/circuit_catalog.h"
#include "circuits/catalog/ease_of_tuning.h"
#include "circuits/equations/design_merits.h"
#include "circuits/selection/evaluate_candidates.h"
#include "circuits/tolerance/stage_spread.h"
#include "cli/number_option.h"

namespace tavrel::cli {

namespace {

constexpr long double kTwoPi = 2 * std::numbers::pi_v<long double>;
constexpr long double kPpm = 1e-6L;

double Real(long double x) { return static_cast<double>(x); }

nlohmann::json Terms(long double passive, long double active, long double total) {
    return {{"passive", Real(passive)}, {"active", Real(active)}, {"total", Real(total)}};
}

// The frequency of the details: the one asked for, else where the deviation takes the
// passband lowest, else (no passband) the first stage's own frequency.
long double DetailsW(const std::optional<long double>& atW, const PassbandExtremes& e, const Design& design) {
    if (atW) return *atW;
    if (e.found) return e.lowestW;
    const StageRecord& first = design.Stage(1);
    return IsFirstOrderStage(first.StageType) ? static_cast<long double>(first.Wc) : static_cast<long double>(first.Wp);
}

nlohmann::json CandidateDocument(const MeritEntry& m, int circuitNo) {
    return {{"circuit", circuitNo},
            {"invalid", m.Invalid != 0},
            {"desired_gain", Real(m.DesiredGain)},
            {"actual_gain", Real(m.ActualGain)},
            {"gain_forced", m.GainForced != 0},
            {"min_gbw_hz", Real(m.MinGBW)},
            {"resistor_spread", m.RSpread},
            {"capacitor_spread", m.CSpread},
            {"ease_of_tuning", EaseOfTuningCode(circuitNo)},
            {"active_spread_db", Real(std::sqrt(static_cast<long double>(m.ActiveSpread)))},
            {"total_spread_db", Real(std::sqrt(static_cast<long double>(m.TotalSpread)))}};
}

// The chosen circuit as it stands (values in force), at the stage's reference frequency.
nlohmann::json MeritsDocument(const Design& design, int s) {
    const StageCircuitRecord& r = design.Circuit(s);
    const DesignMerits merits = MeritsOf(r);
    const SpreadTolerances t = SpreadTolerancesOf(design.Characteristics, false);
    const StageSpread spread = StageSpreadAt(design.Stage(s), r, t, ReferenceFrequency(design, s));
    return {{"resistor_spread", merits.RSpread},
            {"capacitor_spread", merits.CSpread},
            {"ease_of_tuning", EaseOfTuningCode(r.CircuitNo)},
            {"min_gbw_hz", Real(r.MinGBW)},
            {"passive_spread_db", Real(spread.Passive())},
            {"active_spread_db", Real(spread.Active())},
            {"total_spread_db", Real(spread.Total())}};
}

// The curve over the passband: frequencies in Hz, the design gain and the deviation.
void AddCurve(const std::vector<PassbandPoint>& curve, const char* deviationKey, nlohmann::json& doc) {
    nlohmann::json f = nlohmann::json::array(), g = nlohmann::json::array(), d = nlohmann::json::array();
    for (const PassbandPoint& p : curve) {
        f.push_back(Real(p.w / kTwoPi));
        g.push_back(Real(p.design));
        d.push_back(Real(p.upper - p.design));
    }
    doc["f_hz"] = f;
    doc["design_db"] = g;
    doc[deviationKey] = d;
}

}  // namespace

void ApplyCharacteristics(const CharacteristicsOptions& o, Design& design) {
    ComponentCharacteristics& c = design.Characteristics;
    if (o.cTol) c.CTolerance = PositiveNumber(*o.cTol, "--c-tol");
    if (o.gbwTol) c.OpTolerance = PositiveNumber(*o.gbwTol, "--gbw-tol");
    if (o.rTc) c.RTempCoeff = NumberOption(*o.rTc, "--r-tc") * kPpm;
    if (o.cTc) c.CTempCoeff = NumberOption(*o.cTc, "--c-tc") * kPpm;
    if (o.gbwTc) c.OpTempCoeff = NumberOption(*o.gbwTc, "--gbw-tc") * kPpm;
    if (o.tempRange) c.TempRange = PositiveNumber(*o.tempRange, "--temp-range");
    for (int s = 1; s <= design.State.StageCount; ++s) {
        StageCircuitRecord& r = design.Circuit(s);
        SavedOpAmp& saved = design.Circuits.SavedOpAmps[static_cast<size_t>(s)];
        r.OpAmpGBWTol = saved.GBWTol = c.OpTolerance;
        r.OpAmpGBWTC = saved.GBWTC = c.OpTempCoeff;
    }
}

std::vector<int> AutoCircuitNumbers(Design& design, const std::vector<long double>& gbwHz) {
    std::vector<int> numbers;
    for (int s = 1; s <= design.State.StageCount; ++s) {
        if (!gbwHz.empty()) design.Circuit(s).OpAmpGBW = gbwHz[static_cast<size_t>(s - 1)];
        EvaluateCandidates(design, s);
        const MeritBlock& block = design.Circuits.Merits[static_cast<size_t>(s)];
        const int type = design.Stage(s).StageType;
        int best = 0;
        for (int k = 1; k <= CircuitsOfType(type); ++k) {
            const MeritEntry& m = block.Candidates[static_cast<size_t>(k - 1)];
            if (m.Invalid) continue;
            if (best == 0 || m.TotalSpread < block.Candidates[static_cast<size_t>(best - 1)].TotalSpread) best = k;
        }
        if (best == 0) throw std::invalid_argument("--circuits auto: no circuit can realise stage " + std::to_string(s));
        numbers.push_back(CircuitNumber(type, best));
    }
    return numbers;
}

void AddAnalysis(const CharacteristicsOptions& o, Design& design, nlohmann::json& doc) {
    const int n = design.State.StageCount;
    for (int s = 1; s <= n; ++s) {
        nlohmann::json& stageDoc = doc["stages"][static_cast<size_t>(s - 1)];
        stageDoc["merits"] = MeritsDocument(design, s);
        // The candidates are designed on copies: the stage keeps its circuit and values.
        EvaluateCandidates(design, s);
        const MeritBlock& block = design.Circuits.Merits[static_cast<size_t>(s)];
        const int type = design.Stage(s).StageType;
        nlohmann::json candidates = nlohmann::json::array();
        for (int k = 1; k <= CircuitsOfType(type); ++k)
            candidates.push_back(CandidateDocument(block.Candidates[static_cast<size_t>(k - 1)], CircuitNumber(type, k)));
        stageDoc["candidates"] = candidates;
    }
    std::optional<long double> atW;
    if (o.atHz) atW = PositiveNumber(*o.atHz, "--at-hz") * kTwoPi;

    const SpreadTolerances tolerances = SpreadTolerancesOf(design.Characteristics, false);
    const long double spreadW = DetailsW(atW, ScanSpread(design, tolerances).extremes, design);
    const SpreadDetails spread = SpreadDetailsAt(design, tolerances, spreadW);
    nlohmann::json spreadDoc{{"at_hz", Real(spreadW / kTwoPi)}, {"filter_db", Real(spread.filterSpread)}};
    spreadDoc["stages"] = nlohmann::json::array();
    for (const SpreadDetailsRow& row : spread.rows) spreadDoc["stages"].push_back(Terms(row.passive, row.active, row.total));
    AddCurve(SpreadCurve(design, tolerances, false), "spread_db", spreadDoc);
    doc["spread"] = spreadDoc;

    const TemperatureSettings settings = TemperatureSettingsOf(design.Characteristics);
    const long double changeW = DetailsW(atW, ScanChange(design, settings), design);
    const ChangeDetails change = ChangeDetailsAt(design, settings, changeW);
    nlohmann::json changeDoc{{"at_hz", Real(changeW / kTwoPi)}, {"filter_db", Real(change.filterChange)}};
    changeDoc["stages"] = nlohmann::json::array();
    for (const ChangeDetailsRow& row : change.rows) changeDoc["stages"].push_back(Terms(row.passive, row.active, row.total));
    AddCurve(ChangeCurve(design, settings, false), "change_db", changeDoc);
    doc["temperature"] = changeDoc;
}

}  // namespace tavrel::cli
