#pragma once
#include <string>
#include <vector>

#include "analysis/passband/passband_report.h"
#include "analysis/passband/passband_scan.h"
#include "analysis/spread/spread_report.h"
#include "circuits/records/design.h"
#include "circuits/tolerance/stage_change.h"

namespace tavrel {

// The filter's gain change as a band of no width about the design curve, for the scans.
DeviationAt ChangeDeviation(const Design& design, const TemperatureSettings& settings);

PassbandExtremes ScanChange(const Design& design, const TemperatureSettings& settings);

// The details table at one frequency: one row per stage with its op amp's temperature
// coefficient and its change.
struct ChangeDetailsRow {
    int stage = 0;
    long double opAmpPpm = 0;
    long double passive = 0, active = 0, total = 0;  // dB
};
struct ChangeDetails {
    std::string title;
    std::string coefficientLine;  // "Temperature coefficients (ppm/deg C):  R = 100   C = 20"
    std::vector<ChangeDetailsRow> rows;
    long double w = 0;            // rad/s
    long double filterChange = 0; // dB
};
ChangeDetails ChangeDetailsAt(const Design& design, const TemperatureSettings& settings, long double w);

inline constexpr const char* kChangeColumns[] = {"Stage", "OA Temp. Coeff.", "Passive", "Active", "Total"};
inline constexpr const char* kChangeCoefficientUnit = "(ppm/deg C)";
inline constexpr const char* kChangeGroupCaption = "Gain Change (dB)";
// "Total gain change  = Passive change + Active change" and "Filter gain change = ", the
// summation sign, "(Stage total gain change)" and the filter's value.
std::vector<DrawnLine> ChangeFormulaLines(const ChangeDetails& details);
std::vector<std::string> ChangeRowCells(const ChangeDetailsRow& row);

// The overview: passband edge, stopband edge (not with a forced order), passband minimum
// attenuation (when design plus change rises above 0 dB) and maximum attenuation (when it
// lies off the passband edges), each with rows "design" and "design + <dT> deg C"; the change
// column holds the change of the attenuation (the gain change with its sign turned).
std::vector<OverviewBlock> ChangeOverview(const Design& design, const TemperatureSettings& settings);
inline constexpr const char* kChangeOverviewColumns[] = {"Temperature", "Attenuation", "Change"};

// The graphical view: the design curve and the "  Temp effect" curve (design plus change).
std::vector<PassbandPoint> ChangeCurve(const Design& design, const TemperatureSettings& settings, bool logAxis);

const std::vector<std::string>& ChangeNoteLines();

}  // namespace tavrel
