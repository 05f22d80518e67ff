#include "core/pole_zero_listing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "core/calculate.h"
#include "core/frequency_units.h"
#include "core/responses.h"

namespace tavrel {
namespace {

DesignState Calculated(FilterKind kind) {
    DesignState state;
    state.FilterKind = kind;
    const SpecEntries entries = DefaultEntries(kind, state.DbDisplay);
    const CalcOutcome outcome = Calculate(state, entries, {std::string(TAVREL_BIN_DIR) + "/BessRoot.dat"});
    EXPECT_TRUE(outcome.nextEnabled);
    return state;
}

int Count(const std::vector<std::string>& lines, const std::string& start) {
    return static_cast<int>(std::count_if(lines.begin(), lines.end(),
                                          [&](const std::string& l) { return l.rfind(start, 0) == 0; }));
}

bool Has(const std::vector<std::string>& lines, const std::string& text) {
    return std::any_of(lines.begin(), lines.end(), [&](const std::string& l) { return l.find(text) != std::string::npos; });
}

TEST(PoleZeroListing, SeventhOrderButterworthLowpass) {
    const auto lines = PoleZeroListing(Calculated(FilterKind::Lowpass), Butterworth);
    EXPECT_EQ(Count(lines, "Pole pair"), 3);
    EXPECT_EQ(Count(lines, "Single pole"), 1);
    // All seven zeros lie at infinity.
    EXPECT_EQ(Count(lines, "Zero pair    fz = \u221E"), 3);
    EXPECT_EQ(Count(lines, "Single zero  fz = \u221E"), 1);
    // Q of the 7th-order Butterworth pairs: 1 / (2 cos(k pi / 14)), k = 1, 3, 5.
    EXPECT_TRUE(Has(lines, "Q = 2.2470"));
    EXPECT_TRUE(Has(lines, "Q = 0.8019"));
    EXPECT_TRUE(Has(lines, "Q = 0.5550"));
    EXPECT_TRUE(Has(lines, "f0 = "));
    EXPECT_TRUE(Has(lines, "\u00B1 j"));
}

TEST(PoleZeroListing, EllipticZerosHaveFrequencies) {
    DesignState state = Calculated(FilterKind::Lowpass);
    auto lines = PoleZeroListing(state, Elliptic);
    // Order 3: one finite zero pair and one zero at infinity.
    EXPECT_EQ(Count(lines, "Zero pair    fz = "), 1);
    EXPECT_EQ(Count(lines, "Single zero  fz = \u221E"), 1);
    EXPECT_TRUE(Has(lines, "KHz   z = \u00B1 j"));
    SetFrequencyUnits(state, false);
    lines = PoleZeroListing(state, Elliptic);
    EXPECT_TRUE(Has(lines, "wz = "));
    EXPECT_TRUE(Has(lines, "w0 = "));
}

TEST(PoleZeroListing, HighpassZerosAtTheOrigin) {
    const auto lines = PoleZeroListing(Calculated(FilterKind::Highpass), Butterworth);
    EXPECT_EQ(Count(lines, "Zero pair    fz = 0 Hz"), 3);
    EXPECT_EQ(Count(lines, "Single zero  fz = 0 Hz"), 1);
    EXPECT_FALSE(Has(lines, "\u221E"));
}

TEST(SetFrequencyUnits, KeepsTheBandOfThePlot) {
    DesignState state = Calculated(FilterKind::Lowpass);
    const long double lo = state.FreqLo, w0 = state.FreqGrid[0].W, w350 = state.FreqGrid[350].W;
    SetFrequencyUnits(state, false);
    EXPECT_FALSE(state.HzUnits);
    EXPECT_NEAR(static_cast<double>(state.FreqLo), static_cast<double>(lo * 2 * 3.14159265358979L), 1e-6 * lo);
    EXPECT_NEAR(static_cast<double>(state.FreqGrid[0].W / w0), 1.0, 1e-9);
    EXPECT_NEAR(static_cast<double>(state.FreqGrid[350].W / w350), 1.0, 1e-9);
    SetFrequencyUnits(state, true);
    EXPECT_NEAR(static_cast<double>(state.FreqLo / lo), 1.0, 1e-9);
}

}  // namespace
}  // namespace tavrel
