#pragma once
#include <string>
#include <vector>

#include "analysis/passband/passband_report.h"
#include "analysis/passband/passband_scan.h"
#include "circuits/records/design.h"
#include "circuits/tolerance/stage_spread.h"

namespace tavrel {

// ±S of the filter as a band about the design curve, for the scans.
DeviationAt SpreadDeviation(const Design& design, const SpreadTolerances& tolerances);

// The passband frequency of maximum attenuation once the spread is taken off the design
// curve (the lowest design gain minus spread): where the details view is computed. Nothing
// without a passband (a user-defined filter).
struct SpreadScan {
    PassbandExtremes extremes;
};
SpreadScan ScanSpread(const Design& design, const SpreadTolerances& tolerances);

// A piece of a drawn line: raised pieces are superscripts, symbol pieces are drawn in the
// symbol font ("S" there is the summation sign).
struct DrawnPiece {
    std::string text;
    bool raised = false;
    bool symbol = false;
};
using DrawnLine = std::vector<DrawnPiece>;

// The details table at one frequency: one row per stage with its op amp and its spread.
struct SpreadDetailsRow {
    int stage = 0;
    long double gbwMHz = 0, tolerancePct = 0;
    long double passive = 0, active = 0, total = 0;  // ±dB
};
struct SpreadDetails {
    std::string title;          // FilterTitle
    std::string toleranceLine;  // "Resistor tolerance = 1%    Capacitor tolerance = 1%"
    std::vector<SpreadDetailsRow> rows;
    long double w = 0;             // rad/s
    long double filterSpread = 0;  // ±dB
};
SpreadDetails SpreadDetailsAt(const Design& design, const SpreadTolerances& tolerances, long double w);

// The captions of the table and the lines under it, as drawn.
inline constexpr const char* kSpreadColumns[] = {"Stage", "GBW", "Tol(%)", "Passive", "Active", "Total"};
inline constexpr const char* kSpreadGbwUnit = "MHz";
inline constexpr const char* kSpreadGroupCaption = "Gain Spread (±dB)";
std::vector<DrawnLine> SpreadFormulaLines();
// "At ", the frequency, ", gain spread = ", "±", the spread, " dB:".
DrawnLine SpreadAtLine(const SpreadDetails& details, bool hzUnits);

// The cells of a row as the table writes them: stage, GBW (two decimals), tolerance, and the
// three spreads (three decimals).
std::vector<std::string> SpreadRowCells(const SpreadDetailsRow& row);

// The overview: passband edge, stopband edge (not with a forced order), passband minimum
// attenuation (when the upper bound rises above 0 dB) and passband maximum attenuation (when
// it lies off the passband edges). Rows "upper bound", "design curve", "lower bound".
std::vector<OverviewBlock> SpreadOverview(const Design& design, const SpreadTolerances& tolerances);

// The graphical view: design curve and the ±3-sigma envelope over the passband.
std::vector<PassbandPoint> SpreadCurve(const Design& design, const SpreadTolerances& tolerances, bool logAxis);

// The explanatory note in the report markup, line by line as stored.
const std::vector<std::string>& SpreadNoteLines();

}  // namespace tavrel
