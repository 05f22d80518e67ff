// Switching Hz and rad/s rewrites the frequency entries: the texts a user reads, and
// working frequencies that stay exactly those of the old entries.
#include "core/entry_units.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <random>

#include "core/math_helpers.h"
#include "support/case_name.h"

namespace tavrel {
namespace {

struct UnitCase {
    long double entry;
    bool fromHz;
    int unitIndex;
    const char* text;  // of the entry in the other unit, worked by hand
};
void PrintTo(const UnitCase& c, std::ostream* os) {
    *os << static_cast<double>(c.entry) << (c.unitIndex ? (c.fromHz ? " kHz" : " krad/s") : (c.fromHz ? " Hz" : " rad/s"));
}

class EntryUnitsTest : public ::testing::TestWithParam<UnitCase> {};

TEST_P(EntryUnitsTest, SameFilterInTheOtherUnit) {
    const UnitCase& c = GetParam();
    const long double converted = EntryInOtherUnit(c.entry, c.fromHz, c.unitIndex);
    const long double ratio = c.fromHz ? 2 * kPi : 1 / (2 * kPi);
    EXPECT_NEAR(static_cast<double>(converted / (c.entry * ratio)), 1.0, 1e-11);
    EXPECT_EQ(WorkingFrequency(converted, !c.fromHz, c.unitIndex), WorkingFrequency(c.entry, c.fromHz, c.unitIndex));
    EXPECT_EQ(ConvertedEntryText(converted), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, EntryUnitsTest,
    // 2 pi = 6.28318..., 1/(2 pi) = 0.159154...
    ::testing::Values(UnitCase{1, true, 1, "6.2832"}, UnitCase{2, true, 1, "12.566"},
                      UnitCase{1000, true, 0, "6283.2"}, UnitCase{100000, true, 0, "628.32k"},
                      UnitCase{0.001L, true, 0, "6.2832m"}, UnitCase{100, false, 1, "15.915"},
                      UnitCase{6.2832L, false, 1, "1"}, UnitCase{1, false, 0, "0.15915"}),
    testing_support::PrintedName());

// Where no stored entry times the factor lands on the old working frequency (the products of
// neighbouring entries can be two steps of 2^-39 apart), the nearest is taken: one step off.
TEST(EntryUnits, WorkingFrequencyIsKeptForAnyEntry) {
    std::mt19937_64 random(14);
    std::uniform_real_distribution<double> exponent(-3, 8);
    int exact = 0, cases = 0;
    for (int i = 0; i < 2000; ++i) {
        const long double entry = std::pow(10.0L, exponent(random));
        for (bool fromHz : {true, false})
            for (int unit : {0, 1}) {
                const long double before = WorkingFrequency(entry, fromHz, unit);
                const long double after = WorkingFrequency(EntryInOtherUnit(entry, fromHz, unit), !fromHz, unit);
                ASSERT_LE(std::fabs(after / before - 1), std::ldexp(1.0L, -39)) << static_cast<double>(entry);
                exact += after == before;
                ++cases;
            }
    }
    EXPECT_GT(exact, cases * 3 / 4);
}

}  // namespace
}  // namespace tavrel
