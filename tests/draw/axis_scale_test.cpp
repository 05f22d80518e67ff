#include "draw/axis_scale.h"

#include <gtest/gtest.h>

#include "support/case_name.h"

#include <cmath>

namespace tavrel::draw {
namespace {

struct StepCase {
    double span;
    int intervals;
    double step;
};

void PrintTo(const StepCase& c, std::ostream* os) { *os << "span " << c.span << " in " << c.intervals; }
class RoundStepTest : public ::testing::TestWithParam<StepCase> {};

TEST_P(RoundStepTest, IsOneTwoOrFiveTimesAPowerOfTen) {
    EXPECT_DOUBLE_EQ(RoundStep(GetParam().span, GetParam().intervals), GetParam().step);
}
INSTANTIATE_TEST_SUITE_P(Spans, RoundStepTest,
                         ::testing::Values(StepCase{10, 10, 1}, StepCase{10, 8, 2}, StepCase{70, 8, 10},
                                           StepCase{0.03, 8, 0.005}, StepCase{360, 8, 50}, StepCase{1e5, 4, 5e4}),
                         testing_support::PrintedName());

TEST(LinearTicks, CoverTheRangeAtRoundValues) {
    const auto ticks = LinearTicks(-70, 10, 8);
    ASSERT_EQ(ticks.size(), 9u);
    EXPECT_DOUBLE_EQ(ticks.front().value, -70);
    EXPECT_DOUBLE_EQ(ticks.back().value, 10);
    for (const AxisTick& t : ticks) EXPECT_TRUE(t.major);
}

TEST(LinearTicks, ZeroIsNotNegative) {
    for (const AxisTick& t : LinearTicks(-0.3, 0.3, 6)) {
        if (t.value == 0) {
            EXPECT_FALSE(std::signbit(t.value));
        }
    }
}

TEST(RoundLinearRange, WidensToTheStep) {
    const AxisRange r = RoundLinearRange(-3.2, 47.1, 8);
    EXPECT_DOUBLE_EQ(r.lo, -10);
    EXPECT_DOUBLE_EQ(r.hi, 50);
}

TEST(LogTicks, DecadesAreMajorAndTheRestMinor) {
    const auto ticks = LogTicks(100, 10000);
    ASSERT_EQ(ticks.size(), 19u);  // 100..900, 1000..9000, 10000
    int major = 0;
    for (const AxisTick& t : ticks) major += t.major;
    EXPECT_EQ(major, 3 + 4);  // decades, and 2 and 5 times them over two decades
}

TEST(LogTicks, OverManyDecadesOnlyDecadesAreLabelled) {
    int major = 0;
    for (const AxisTick& t : LogTicks(1, 1e6)) major += t.major;
    EXPECT_EQ(major, 7);
}

TEST(LogTicks, StartInsideTheRangeAndLabelEveryTickOfANarrowOne) {
    const auto ticks = LogTicks(300, 4000);
    EXPECT_DOUBLE_EQ(ticks.front().value, 300);
    EXPECT_DOUBLE_EQ(ticks.back().value, 4000);
    for (const AxisTick& t : ticks) EXPECT_TRUE(t.major);
}

TEST(TickLabels, UsePrefixesAndTheStepsDecimals) {
    EXPECT_EQ(LogTickLabel(200), "200");
    EXPECT_EQ(LogTickLabel(1000), "1k");
    EXPECT_EQ(LogTickLabel(2.5e6), "2.5M");
    EXPECT_EQ(LinearTickLabel(-20, 10), "-20");
    EXPECT_EQ(LinearTickLabel(0.5, 0.05), "0.50");
    EXPECT_EQ(LinearTickLabel(1.5, 0.5), "1.5");
}

}  // namespace
}  // namespace tavrel::draw
