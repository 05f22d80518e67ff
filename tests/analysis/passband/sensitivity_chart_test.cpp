#include "analysis/sensitivities/sensitivity_chart.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tavrel {
namespace {

TEST(SensitivityChart, LargestSensitivityFillsHalfAColumn) {
    StageRecord stage;
    stage.StageType = StageCode::SLP;
    StageCircuitRecord r;
    r.ResistorCount = 2;
    r.CapacitorCount = 1;
    r.Resistors[0].Sens[SensSlot::PoleFrequency] = -0.5L;
    r.Resistors[1].Sens[SensSlot::PoleQ] = 2.5L;
    r.Capacitors[0].Sens[SensSlot::Gain] = -1;
    r.Resistors[2].Sens[SensSlot::PoleQ] = 100;  // beyond the count
    const SensitivityChart chart = SensitivityChartOf(stage, r);
    EXPECT_EQ(chart.columns, (std::vector<std::string>{"T0", "wp", "Qp", "wz"}));
    ASSERT_EQ(chart.rows.size(), 3u);
    EXPECT_EQ(chart.rows[2].name, "C1");
    EXPECT_EQ(chart.scale, 2.5L);
    EXPECT_EQ(SensitivityBarLength(chart.rows[1].values[2], chart.scale, 40), 40);
    EXPECT_EQ(SensitivityBarLength(chart.rows[0].values[1], chart.scale, 40), -8);
    EXPECT_EQ(SensitivityBarLength(chart.rows[2].values[0], chart.scale, 40), -16);
}

TEST(SensitivityChart, FirstOrderColumnsAndNoBarsWithoutSensitivities) {
    StageRecord stage;
    stage.StageType = StageCode::FLP;
    StageCircuitRecord r;
    r.ResistorCount = 1;
    r.CapacitorCount = 1;
    const SensitivityChart chart = SensitivityChartOf(stage, r);
    EXPECT_EQ(chart.columns, (std::vector<std::string>{"T0", "wc"}));
    EXPECT_EQ(chart.scale, 0);
    EXPECT_EQ(SensitivityBarLength(0, chart.scale, 40), 0);
}

}  // namespace
}  // namespace tavrel
