// The filter-level views of the gain spread and the gain change: what the pages show of a
// whole design, against what the approximation itself says (its ripple) and the texts.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "analysis/passband/passband_scan.h"
#include "analysis/spread/filter_spread.h"
#include "analysis/spread/spread_report.h"
#include "analysis/temperature/filter_change.h"
#include "analysis/temperature/temperature_report.h"
#include "support/case_name.h"
#include "support/staged_design.h"

namespace tavrel {
namespace {

using testing_support::StagedDesign;

constexpr SpreadTolerances kNoTolerance{0, 0, false};

struct KindCase {
    FilterKind kind;
    const char* name;
    const char* title;
};
void PrintTo(const KindCase& c, std::ostream* os) { *os << c.name; }

class SpreadOfEveryKind : public ::testing::TestWithParam<KindCase> {};

// Without tolerances the scan sees the approximation alone: a Chebyshev passband swings
// between 0 dB and -Apb, and its deepest point is at an edge.
TEST_P(SpreadOfEveryKind, WithoutTolerancesTheScanFindsTheRipple) {
    auto design = StagedDesign({GetParam().kind});
    for (int s = 1; s <= design->State.StageCount; ++s) design->Circuit(s).OpAmpGBWTol = 0;
    const PassbandExtremes e = ScanSpread(*design, kNoTolerance).extremes;
    ASSERT_TRUE(e.found);
    EXPECT_NEAR(static_cast<double>(e.highest), 0, 1e-3);
    EXPECT_NEAR(static_cast<double>(e.lowest), -static_cast<double>(design->State.Apb), 1e-6);
    const std::vector<OverviewBlock> blocks = SpreadOverview(*design, kNoTolerance);
    ASSERT_GE(blocks.size(), 2u);
    EXPECT_EQ(blocks[0].heading, "At the Passband Edge ");
    EXPECT_EQ(blocks[1].heading, "At the Stopband Edge ");
    for (const OverviewBlock& b : blocks)
        for (const OverviewRow& row : b.rows) EXPECT_EQ(row.deviation, 0) << b.heading << row.label;
}

// With tolerances the passband edge block is the specified attenuation ∓ the spread there.
TEST_P(SpreadOfEveryKind, EdgeBlockIsTheAttenuationAndItsSpread) {
    auto design = StagedDesign({GetParam().kind});
    const SpreadTolerances t = SpreadTolerancesOf(design->Characteristics, false);
    const std::vector<OverviewBlock> blocks = SpreadOverview(*design, t);
    ASSERT_FALSE(blocks.empty());
    const OverviewBlock& edge = blocks[0];
    const long double s = FilterSpreadAt(*design, t, edge.w);
    EXPECT_GT(s, 0);
    for (long double other : PassbandEdges(design->State)) EXPECT_GE(s, FilterSpreadAt(*design, t, other));
    ASSERT_EQ(edge.rows.size(), 3u);
    EXPECT_EQ(edge.rows[0].label, "upper bound");
    EXPECT_DOUBLE_EQ(static_cast<double>(edge.rows[0].attenuation), static_cast<double>(design->State.Apb - s));
    EXPECT_DOUBLE_EQ(static_cast<double>(edge.rows[0].deviation), static_cast<double>(-s));
    EXPECT_EQ(edge.rows[1].label, "design curve");
    EXPECT_DOUBLE_EQ(static_cast<double>(edge.rows[1].attenuation), static_cast<double>(design->State.Apb));
    EXPECT_EQ(edge.rows[2].label, "lower bound");
    EXPECT_DOUBLE_EQ(static_cast<double>(edge.rows[2].attenuation), static_cast<double>(design->State.Apb + s));
    const SpreadDetails details = SpreadDetailsAt(*design, t, edge.w);
    EXPECT_EQ(details.title, GetParam().title + std::string(" Filter  N=") +
                                 std::to_string(design->State.Approx[design->State.ChosenApprox].Order));
    EXPECT_DOUBLE_EQ(static_cast<double>(details.filterSpread), static_cast<double>(s));
}

INSTANTIATE_TEST_SUITE_P(Kinds, SpreadOfEveryKind,
                         ::testing::Values(KindCase{FilterKind::Lowpass, "lowpass", " Lowpass"},
                                           KindCase{FilterKind::Highpass, "highpass", " Highpass"},
                                           KindCase{FilterKind::Bandpass, "bandpass", " Bandpass"},
                                           KindCase{FilterKind::Bandstop, "bandstop", " Bandstop"}),
                         testing_support::PrintedName());

TEST(SpreadOverview, ForcedOrderHasNoStopbandBlock) {
    auto design = StagedDesign({FilterKind::Lowpass, "4"});
    for (const OverviewBlock& b : SpreadOverview(*design, SpreadTolerancesOf(design->Characteristics, false)))
        EXPECT_NE(b.heading, "At the Stopband Edge ");
    for (const OverviewBlock& b : ChangeOverview(*design, TemperatureSettingsOf(design->Characteristics)))
        EXPECT_NE(b.heading, "At the Stopband Edge ");
}

TEST(SpreadDetails, TextsOfTheTable) {
    auto design = StagedDesign({FilterKind::Lowpass, "5"});
    design->Characteristics.RTolerance = 0.25L;
    design->Characteristics.CTolerance = 2;
    const long double w = design->State.Wpb;
    const SpreadDetails d = SpreadDetailsAt(*design, SpreadTolerancesOf(design->Characteristics, false), w);
    EXPECT_EQ(d.toleranceLine, "Resistor tolerance = 0.25%    Capacitor tolerance = 2%");
    EXPECT_EQ(SpreadDetailsAt(*design, SpreadTolerancesOf(design->Characteristics, true), w).toleranceLine,
              "Resistor tolerance = 0.25%    Capacitor values exact");
    ASSERT_EQ(d.rows.size(), 3u);  // order 5: two pole pairs and the real pole
    bool firstOrderSeen = false;
    for (const SpreadDetailsRow& row : d.rows) {
        const std::vector<std::string> cells = SpreadRowCells(row);
        char gbw[32];
        std::snprintf(gbw, sizeof gbw, "%.2f", static_cast<double>(design->Circuit(row.stage).OpAmpGBW) / 1e6);
        EXPECT_EQ(cells[1], gbw);
        if (IsFirstOrderStage(design->Stage(row.stage).StageType)) {
            firstOrderSeen = true;
            EXPECT_EQ(cells[4], "0.000");
        }
    }
    EXPECT_TRUE(firstOrderSeen);
    const DrawnLine at = SpreadAtLine(d, true);
    EXPECT_EQ(at.front().text, "At ");
    EXPECT_EQ(at[2].text, ", gain spread = ");
    EXPECT_EQ(at.back().text, " dB:");
    const std::vector<DrawnLine> formula = SpreadFormulaLines();
    EXPECT_EQ(formula[1][1].text, "S");
    EXPECT_TRUE(formula[1][1].symbol);
    EXPECT_TRUE(formula[0][3].raised);
}

TEST(SpreadNote, LinesAsStored) {
    const std::vector<std::string>& lines = SpreadNoteLines();
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[3], "standard deviations ( \\bsp \\177 3 \\bsp \\xx1 \\115 \\xx0 ).");
    EXPECT_EQ(lines[7], "within a \\177 1 \\bsp \\xx1 \\115 \\xx0  envelope.) ");
    ASSERT_EQ(ChangeNoteLines().size(), 5u);
    EXPECT_EQ(ChangeNoteLines()[4], "capacitance and op amp GBW. ");
}

TEST(GainChangeViews, ZeroCoefficientsChangeNothingAndTheRangeDoubles) {
    auto design = StagedDesign({FilterKind::Bandpass});
    for (int s = 1; s <= design->State.StageCount; ++s) design->Circuit(s).OpAmpGBWTC = 0;
    for (const OverviewBlock& b : ChangeOverview(*design, {0, 0, 40}))
        for (const OverviewRow& row : b.rows) EXPECT_EQ(row.deviation, 0) << b.heading;
    for (int s = 1; s <= design->State.StageCount; ++s) design->Circuit(s).OpAmpGBWTC = 2e-3L;
    const long double w = PassbandEdges(design->State).front();
    const ChangeDetails a = ChangeDetailsAt(*design, {100e-6L, 20e-6L, 20}, w);
    const ChangeDetails b = ChangeDetailsAt(*design, {100e-6L, 20e-6L, 40}, w);
    EXPECT_NE(a.filterChange, 0);
    EXPECT_NEAR(static_cast<double>(b.filterChange), static_cast<double>(2 * a.filterChange), 1e-15);
    EXPECT_EQ(a.coefficientLine, "Temperature coefficients (ppm/deg C):  R = 100   C = 20");
    const std::vector<OverviewBlock> blocks = ChangeOverview(*design, {100e-6L, 20e-6L, 20});
    ASSERT_FALSE(blocks.empty());
    EXPECT_EQ(blocks[0].rows[1].label, "design + 20 deg C");
    EXPECT_EQ(ChangeRowCells(a.rows[0])[1], "2000");
}

}  // namespace
}  // namespace tavrel
