#include "analysis/sensitivities/sensitivity_chart.h"

#include <algorithm>
#include <cmath>

namespace tavrel {

namespace {

struct ChartColumn {
    const char* caption;
    int slot;
};

constexpr ChartColumn kSecondOrderColumns[] = {
    {"T0", SensSlot::Gain}, {"wp", SensSlot::PoleFrequency}, {"Qp", SensSlot::PoleQ}, {"wz", SensSlot::ZeroFrequency}};
// A first-order stage keeps its corner frequency's sensitivities in the pole-frequency slot.
constexpr ChartColumn kFirstOrderColumns[] = {{"T0", SensSlot::Gain}, {"wc", SensSlot::PoleFrequency}};

}  // namespace

SensitivityChart SensitivityChartOf(const StageRecord& stage, const StageCircuitRecord& circuit) {
    SensitivityChart chart;
    const bool firstOrder = IsFirstOrderStage(stage.StageType);
    std::vector<ChartColumn> columns = firstOrder ? std::vector<ChartColumn>(std::begin(kFirstOrderColumns), std::end(kFirstOrderColumns))
                                                  : std::vector<ChartColumn>(std::begin(kSecondOrderColumns), std::end(kSecondOrderColumns));
    for (const ChartColumn& c : columns) chart.columns.push_back(c.caption);
    auto add = [&](const ComponentEntry& e, const std::string& name) {
        SensitivityChartRow row{name, {}};
        for (const ChartColumn& c : columns) {
            const long double s = e.Sens[static_cast<size_t>(c.slot)];
            row.values.push_back(s);
            chart.scale = std::max(chart.scale, std::fabs(s));
        }
        chart.rows.push_back(std::move(row));
    };
    for (int i = 1; i <= std::min<int>(circuit.ResistorCount, kMaxResistors); ++i)
        add(circuit.Resistors[static_cast<size_t>(i - 1)], "R" + std::to_string(i));
    for (int j = 1; j <= std::min<int>(circuit.CapacitorCount, kMaxCapacitors); ++j)
        add(circuit.Capacitors[static_cast<size_t>(j - 1)], "C" + std::to_string(j));
    return chart;
}

int SensitivityBarLength(long double sensitivity, long double scale, int halfWidth) {
    if (!(scale > 0)) return 0;
    return static_cast<int>(std::trunc(sensitivity / scale * halfWidth));
}

}  // namespace tavrel
