#pragma once
#include <string>
#include <vector>

#include "circuits/records/stage_circuit_record.h"
#include "stages/stage_record.h"

namespace tavrel {

// The bar chart of one stage in the "Sensitivities" window: a column per stage parameter
// ("T0", "wp", "Qp", "wz"; "T0", "wc" for first-order stages), a row per resistor ("R1"...)
// then per capacitor ("C1"...), each cell the relative sensitivity d ln p / d ln x from the
// component's slots, and the scale: the largest magnitude among them.
struct SensitivityChartRow {
    std::string name;
    std::vector<long double> values;  // one per column
};
struct SensitivityChart {
    std::vector<std::string> columns;
    std::vector<SensitivityChartRow> rows;
    long double scale = 0;  // 0: every sensitivity is 0, no bars
};
SensitivityChart SensitivityChartOf(const StageRecord& stage, const StageCircuitRecord& circuit);

inline constexpr const char* kSensitivityChartCorner = "w.r.t.:";
inline constexpr const char* kSensitivityChartTitle = "Sensitivity of ->";
inline constexpr const char* kSensitivityColumnScale = "-   +";

// The signed length of a bar in a column halfWidth wide: Trunc(S/scale · halfWidth), to the
// right for a positive sensitivity; 0 when the scale is 0.
int SensitivityBarLength(long double sensitivity, long double scale, int halfWidth);

}  // namespace tavrel
