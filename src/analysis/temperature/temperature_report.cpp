#include "analysis/temperature/temperature_report.h"

#include <cmath>

#include "analysis/temperature/filter_change.h"
#include "core/number_format.h"

namespace tavrel {

namespace {

constexpr long double kPpm = 1e6L;
// Rows "design" and "design + dT deg C": the attenuation falls by the gain change.
OverviewBlock ChangeBlock(const char* heading, long double w, bool approximate, long double attenuation,
                          long double change, long double range) {
    return {heading, w, approximate,
            {{"design", attenuation, 0, false},
             {"design + " + PlainFigure(range) + " deg C", attenuation - change, -change, true}}};
}

}  // namespace

DeviationAt ChangeDeviation(const Design& design, const TemperatureSettings& settings) {
    return [&design, settings](long double w) {
        const long double c = FilterChangeAt(design, settings, w);
        return GainDeviation{c, c};
    };
}

PassbandExtremes ScanChange(const Design& design, const TemperatureSettings& settings) {
    return ScanPassband(design.State, ChangeDeviation(design, settings));
}

ChangeDetails ChangeDetailsAt(const Design& design, const TemperatureSettings& settings, long double w) {
    ChangeDetails d;
    d.title = FilterTitle(design);
    d.coefficientLine = "Temperature coefficients (ppm/deg C):  R = " + PlainFigure(settings.resistor * kPpm) +
                        "   C = " + PlainFigure(settings.capacitor * kPpm);
    d.w = w;
    const std::vector<StageChange> changes = StageChangesAt(design, settings, w);
    for (int s = 1; s <= design.State.StageCount; ++s) {
        const StageChange& c = changes[static_cast<size_t>(s - 1)];
        d.rows.push_back({s, design.Circuit(s).OpAmpGBWTC * kPpm, c.Passive(), c.Active(), c.Total()});
        d.filterChange += c.Total();
    }
    return d;
}

std::vector<DrawnLine> ChangeFormulaLines(const ChangeDetails& details) {
    return {{{"Total gain change  = Passive change + Active change"}},
            {{"Filter gain change = "}, {"S", false, true}, {"(Stage total gain change)"},
             {" = " + TrimLeading(Fixed(details.filterChange, 0, 3)) + " dB"}}};
}

std::vector<std::string> ChangeRowCells(const ChangeDetailsRow& row) {
    return {std::to_string(row.stage), PlainFigure(row.opAmpPpm), TrimLeading(Fixed(row.passive, 0, 3)),
            TrimLeading(Fixed(row.active, 0, 3)), TrimLeading(Fixed(row.total, 0, 3))};
}

std::vector<OverviewBlock> ChangeOverview(const Design& design, const TemperatureSettings& settings) {
    std::vector<OverviewBlock> blocks;
    const DesignState& state = design.State;
    const std::vector<long double> passEdges = PassbandEdges(state), stopEdges = StopbandEdges(state);
    if (passEdges.empty()) return blocks;
    const long double range = settings.range;
    auto sizeAt = [&](long double w) { return std::fabs(FilterChangeAt(design, settings, w)); };
    const long double pass = LargestAt(passEdges, sizeAt);
    blocks.push_back(ChangeBlock("At the Passband Edge ", pass, false, state.Apb, FilterChangeAt(design, settings, pass), range));
    if (!stopEdges.empty()) {
        const long double stop = LargestAt(stopEdges, sizeAt);
        blocks.push_back(ChangeBlock("At the Stopband Edge ", stop, false, state.Asb, FilterChangeAt(design, settings, stop), range));
    }
    const PassbandExtremes e = ScanChange(design, settings);
    if (e.highest > 0)
        blocks.push_back(ChangeBlock("Passband Minimum Attenuation ", e.highestW, true, 0,
                                     FilterChangeAt(design, settings, e.highestW), range));
    if (!IsOneOf(e.lowestW, passEdges))
        blocks.push_back(ChangeBlock("Passband Maximum Attenuation ", e.lowestW, true, state.Apb,
                                     FilterChangeAt(design, settings, e.lowestW), range));
    return blocks;
}

std::vector<PassbandPoint> ChangeCurve(const Design& design, const TemperatureSettings& settings, bool logAxis) {
    return PassbandCurve(design.State, ChangeDeviation(design, settings), logAxis);
}

const std::vector<std::string>& ChangeNoteLines() {
    static const std::vector<std::string> lines{
        "This gain change will result from the specified change in ",
        "environmental temperature. Unlike the gain spread, it is a ",
        "non-random deviation, and is determined by the specified ",
        "temperature coefficients for resistance, ",
        "capacitance and op amp GBW. ",
    };
    return lines;
}

}  // namespace tavrel
