#include "analysis/spread/spread_report.h"

#include <cmath>

#include "analysis/spread/filter_spread.h"
#include "core/number_format.h"

namespace tavrel {

namespace {

OverviewBlock EdgeBlock(const char* heading, long double w, long double attenuation, long double spread) {
    return {heading, w, false,
            {{"upper bound", attenuation - spread, -spread, true},
             {"design curve", attenuation, 0, false},
             {"lower bound", attenuation + spread, spread, true}}};
}

}  // namespace

DeviationAt SpreadDeviation(const Design& design, const SpreadTolerances& tolerances) {
    return [&design, tolerances](long double w) {
        const long double s = FilterSpreadAt(design, tolerances, w);
        return GainDeviation{-s, s};
    };
}

SpreadScan ScanSpread(const Design& design, const SpreadTolerances& tolerances) {
    return {ScanPassband(design.State, SpreadDeviation(design, tolerances))};
}

SpreadDetails SpreadDetailsAt(const Design& design, const SpreadTolerances& tolerances, long double w) {
    SpreadDetails d;
    d.title = FilterTitle(design);
    const ComponentCharacteristics& c = design.Characteristics;
    d.toleranceLine = "Resistor tolerance = " + PlainFigure(c.RTolerance) +
                      (tolerances.capacitorsExact ? "%    Capacitor values exact"
                                                  : "%    Capacitor tolerance = " + PlainFigure(c.CTolerance) + "%");
    d.w = w;
    const std::vector<StageSpread> spreads = StageSpreadsAt(design, tolerances, w);
    long double variance = 0;
    for (int s = 1; s <= design.State.StageCount; ++s) {
        const StageSpread& x = spreads[static_cast<size_t>(s - 1)];
        const StageCircuitRecord& r = design.Circuit(s);
        d.rows.push_back({s, r.OpAmpGBW / 1e6L, r.OpAmpGBWTol, x.Passive(), x.Active(), x.Total()});
        variance += x.PassiveVariance() + x.ActiveVariance();
    }
    d.filterSpread = std::sqrt(variance);
    return d;
}

std::vector<DrawnLine> SpreadFormulaLines() {
    return {{{"Total gain spread  = ((Passive spread)²+(Active spread)"}, {"²", true}, {")"}, {"½", true}},
            {{"Filter gain spread = ("}, {"S", false, true}, {"(Stage gain spread)²)"}, {"½", true}}};
}

DrawnLine SpreadAtLine(const SpreadDetails& details, bool hzUnits) {
    return {{"At "}, {FormatFrequency(details.w, hzUnits)}, {", gain spread = "}, {"±"},
            {TrimLeading(Fixed(details.filterSpread, 0, 3))}, {" dB:"}};
}

std::vector<std::string> SpreadRowCells(const SpreadDetailsRow& row) {
    return {std::to_string(row.stage), TrimLeading(Fixed(row.gbwMHz, 0, 2)), PlainFigure(row.tolerancePct),
            TrimLeading(Fixed(row.passive, 0, 3)), TrimLeading(Fixed(row.active, 0, 3)),
            TrimLeading(Fixed(row.total, 0, 3))};
}

std::vector<OverviewBlock> SpreadOverview(const Design& design, const SpreadTolerances& tolerances) {
    std::vector<OverviewBlock> blocks;
    const DesignState& state = design.State;
    const std::vector<long double> passEdges = PassbandEdges(state), stopEdges = StopbandEdges(state);
    if (passEdges.empty()) return blocks;
    auto spreadAt = [&](long double w) { return FilterSpreadAt(design, tolerances, w); };
    const long double pass = LargestAt(passEdges, spreadAt);
    blocks.push_back(EdgeBlock("At the Passband Edge ", pass, state.Apb, FilterSpreadAt(design, tolerances, pass)));
    if (!stopEdges.empty()) {
        const long double stop = LargestAt(stopEdges, spreadAt);
        blocks.push_back(EdgeBlock("At the Stopband Edge ", stop, state.Asb, FilterSpreadAt(design, tolerances, stop)));
    }
    const PassbandExtremes e = ScanSpread(design, tolerances).extremes;
    if (e.highest > 0) {
        const long double s = FilterSpreadAt(design, tolerances, e.highestW);
        blocks.push_back({"Passband Minimum Attenuation ", e.highestW, true,
                          {{"upper bound", -e.highest, -s, true}, {"design curve", -e.highest + s, 0, false}}});
    }
    if (!IsOneOf(e.lowestW, passEdges)) {
        const long double s = FilterSpreadAt(design, tolerances, e.lowestW);
        blocks.push_back({"Passband Maximum Attenuation ", e.lowestW, true,
                          {{"design curve", -e.lowest - s, 0, false}, {"lower bound", -e.lowest, s, true}}});
    }
    return blocks;
}

std::vector<PassbandPoint> SpreadCurve(const Design& design, const SpreadTolerances& tolerances, bool logAxis) {
    return PassbandCurve(design.State, SpreadDeviation(design, tolerances), logAxis);
}

const std::vector<std::string>& SpreadNoteLines() {
    static const std::vector<std::string> lines{
        "The gain spread is the gain variability introduced by the specified ",
        "component tolerances (resistance,capacitance and op amp GBW),",
        " and is expressed here as \\177 3 ",
        "standard deviations ( \\bsp \\177 3 \\bsp \\xx1 \\115 \\xx0 ).",
        " The probability that the gain of an actual circuit will be within ",
        "this spread envelope is 99.7% ( 98.4% that it will be within a ",
        "\\177 2 \\bsp \\xx1 \\115 \\xx0  envelope and 68.3% that it will be ",
        "within a \\177 1 \\bsp \\xx1 \\115 \\xx0  envelope.) ",
    };
    return lines;
}

}  // namespace tavrel
