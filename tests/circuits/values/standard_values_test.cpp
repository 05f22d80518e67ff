// The preferred-value series: which values are standard, the two candidates around a computed
// value and the nearer of them, for resistors and capacitors. Expected values are read off
// the E96, E24 and E12 tables by hand.
#include <gtest/gtest.h>

#include <cstdio>
#include <limits>

#include "circuits/values/e12_series.h"
#include "circuits/values/resistor_series.h"
#include "circuits/values/standard_candidates.h"
#include "support/case_name.h"

namespace tavrel {
namespace {

constexpr const char* kSeriesNames[] = {"E96", "E24", "E12"};

std::string Ohms(long double ohms) {
    char text[40];
    std::snprintf(text, sizeof text, "%.10Lg", ohms);
    return text;
}

struct StandardCase {
    long double ohms;
    ResistorSeries series;
    bool standard;
    int index, decade;
};

void PrintTo(const StandardCase& c, std::ostream* os) {
    *os << Ohms(c.ohms) << " ohm " << kSeriesNames[static_cast<int>(c.series)];
}

class StandardResistor : public ::testing::TestWithParam<StandardCase> {};

TEST_P(StandardResistor, MatchesWithinOneThousandthOfTheMantissa) {
    const StandardCase& c = GetParam();
    const auto step = IsStandardResistor(c.ohms, c.series);
    ASSERT_EQ(step.has_value(), c.standard);
    if (!c.standard) return;
    EXPECT_EQ(step->index, c.index);
    EXPECT_EQ(step->decade, c.decade);
    EXPECT_EQ(SeriesEntries(c.series)[static_cast<size_t>(step->index)],
              std::string(SeriesEntries(c.series)[static_cast<size_t>(c.index)]));
}

INSTANTIATE_TEST_SUITE_P(
    Values, StandardResistor,
    ::testing::Values(StandardCase{47500, ResistorSeries::E96, true, 65, 2},  // "475"
                      StandardCase{47000, ResistorSeries::E96, false, 0, 0},  // between "464" and "475"
                      StandardCase{47000, ResistorSeries::E24, true, 16, 2},  // "470"
                      StandardCase{10000, ResistorSeries::E96, true, 0, 2},
                      StandardCase{1, ResistorSeries::E12, true, 0, -2},
                      StandardCase{4.7L, ResistorSeries::E12, true, 8, -2},
                      StandardCase{9.76e6L, ResistorSeries::E96, true, 95, 4},
                      StandardCase{10000 * 1.0002L, ResistorSeries::E96, false, 0, 0},
                      StandardCase{0, ResistorSeries::E96, false, 0, 0}),
    testing_support::PrintedName());

TEST(ResistorSeriesTable, SizesAndTolerances) {
    EXPECT_EQ(SeriesEntries(ResistorSeries::E96).size(), 96u);
    EXPECT_EQ(SeriesEntries(ResistorSeries::E24).size(), 24u);
    EXPECT_EQ(SeriesEntries(ResistorSeries::E12).size(), 12u);
    EXPECT_EQ(SeriesForTolerance(0.25L), ResistorSeries::E96);
    EXPECT_EQ(SeriesForTolerance(1), ResistorSeries::E96);
    EXPECT_EQ(SeriesForTolerance(2), ResistorSeries::E24);
    EXPECT_EQ(SeriesForTolerance(5), ResistorSeries::E24);
    EXPECT_EQ(SeriesForTolerance(10), ResistorSeries::E12);
}

// The candidates around a value and the nearer one, all in ohm.
struct CandidateCase {
    long double ohms;
    ResistorSeries series;
    long double lower, upper, nearest;
};

void PrintTo(const CandidateCase& c, std::ostream* os) {
    *os << Ohms(c.ohms) << " ohm " << kSeriesNames[static_cast<int>(c.series)];
}

class ResistorCandidateRule : public ::testing::TestWithParam<CandidateCase> {};

TEST_P(ResistorCandidateRule, GivesTheEntriesAroundAndTheNearerOne) {
    const CandidateCase& c = GetParam();
    const auto candidates = StandardResistorCandidates(c.ohms, c.series);
    ASSERT_TRUE(candidates);
    EXPECT_EQ(candidates->exact, c.lower == c.upper);
    EXPECT_DOUBLE_EQ(ResistorFromStep(c.series, candidates->lower), c.lower);
    EXPECT_DOUBLE_EQ(ResistorFromStep(c.series, candidates->upper), c.upper);
    EXPECT_DOUBLE_EQ(ResistorFromStep(c.series, *NearestStandardResistor(c.ohms, c.series)), c.nearest);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ResistorCandidateRule,
    ::testing::Values(
        CandidateCase{47000, ResistorSeries::E96, 46400, 47500, 47500},
        // 49 999 is 1001 below 51 k and 2999 above 47 k.
        CandidateCase{49999, ResistorSeries::E24, 47000, 51000, 51000},
        // Exactly midway: the upper one.
        CandidateCase{49000, ResistorSeries::E24, 47000, 51000, 51000},
        CandidateCase{48999, ResistorSeries::E24, 47000, 51000, 47000},
        CandidateCase{975, ResistorSeries::E96, 953, 976, 976},
        // Past the last entry the appended "1000" is the upper candidate: 1 kOhm, one decade up.
        CandidateCase{980, ResistorSeries::E96, 976, 1000, 976},
        CandidateCase{990, ResistorSeries::E96, 976, 1000, 1000},
        CandidateCase{8.5e6L, ResistorSeries::E12, 8.2e6L, 1e7L, 8.2e6L},
        CandidateCase{1.05L, ResistorSeries::E12, 1, 1.2L, 1},
        CandidateCase{47500, ResistorSeries::E96, 47500, 47500, 47500}),
    testing_support::PrintedName());

TEST(ResistorCandidateRule, RefusesValuesThatAreNotPositive) {
    EXPECT_FALSE(StandardResistorCandidates(0, ResistorSeries::E24));
    EXPECT_FALSE(StandardResistorCandidates(-100, ResistorSeries::E24));
    EXPECT_FALSE(NearestStandardResistor(std::numeric_limits<long double>::infinity(), ResistorSeries::E24));
}

TEST(StandardCapacitor, TenNanofaradIsTheFirstEntryOfDecadeTen) {
    const auto step = IsStandardCapacitor(10e-9L);
    ASSERT_TRUE(step);
    EXPECT_EQ(*step, (CapacitorStep{0, 10}));
    EXPECT_EQ(IsStandardCapacitor(4.7e-9L), (CapacitorStep{8, 11}));
    EXPECT_EQ(IsStandardCapacitor(10e-6L), (CapacitorStep{0, 7}));
    EXPECT_FALSE(IsStandardCapacitor(5e-9L));
    EXPECT_FALSE(IsStandardCapacitor(0));
}

struct CapacitorCase {
    long double farads;
    CapacitorStep lower, upper, nearest;
};

void PrintTo(const CapacitorCase& c, std::ostream* os) { *os << static_cast<double>(c.farads) << " F"; }

class CapacitorCandidateRule : public ::testing::TestWithParam<CapacitorCase> {};

TEST_P(CapacitorCandidateRule, GivesTheE12EntriesAroundAndTheNearerOne) {
    const CapacitorCase& c = GetParam();
    const auto candidates = StandardCapacitorCandidates(c.farads);
    ASSERT_TRUE(candidates);
    EXPECT_EQ(candidates->lower, c.lower);
    EXPECT_EQ(candidates->upper, c.upper);
    EXPECT_EQ(NearestStandardCapacitor(c.farads), c.nearest);
}

INSTANTIATE_TEST_SUITE_P(Values, CapacitorCandidateRule,
                         ::testing::Values(
                             // 4.7 nF and 5.6 nF: 5 nF is 0.3 nF above the lower.
                             CapacitorCase{5e-9L, {8, 11}, {9, 11}, {8, 11}},
                             CapacitorCase{5.3e-9L, {8, 11}, {9, 11}, {9, 11}},
                             // Past 820 nF the appended "1000" is 1 uF, one decade count fewer.
                             CapacitorCase{900e-9L, {11, 9}, {0, 8}, {11, 9}},
                             CapacitorCase{950e-9L, {11, 9}, {0, 8}, {0, 8}},
                             CapacitorCase{10e-9L, {0, 10}, {0, 10}, {0, 10}}),
                         testing_support::PrintedName());

}  // namespace
}  // namespace tavrel
