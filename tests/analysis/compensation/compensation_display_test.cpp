#include <gtest/gtest.h>

#include <numbers>
#include <ostream>

#include "analysis/compensation/compensation_display.h"
#include "circuits/equations/design_skeleton.h"
#include "support/case_name.h"

namespace tavrel {
namespace {

constexpr long double kTwoPi = 2 * std::numbers::pi_v<long double>;

struct GbwCase {
    long double hz;
    const char* text;
};

void PrintTo(const GbwCase& c, std::ostream* os) { *os << c.text; }

class RecommendedGbw : public ::testing::TestWithParam<GbwCase> {};

TEST_P(RecommendedGbw, ReadsInMegahertzWithItsHalfStep) { EXPECT_EQ(RecommendedGbwText(GetParam().hz), GetParam().text); }

INSTANTIATE_TEST_SUITE_P(Values, RecommendedGbw,
                         ::testing::Values(GbwCase{1e5L, "0.10"}, GbwCase{3.5e5L, "0.35"}, GbwCase{3.5e4L, "0.035"},
                                           GbwCase{5e3L, "0.0050"}, GbwCase{5.5e3L, "0.0055"}, GbwCase{2e6L, "2.00"}, GbwCase{1.5e7L, "15.00"},
                                           GbwCase{1.2e9L, "1200.00"}, GbwCase{0, "N/A"}),
                         testing_support::PrintedName());

// k1 = 0.3, k2 = -0.5 and a 1 MHz op amp, as the component calculation leaves the record.
struct Computed {
    StageRecord stage;
    StageCircuitRecord record;
};

Computed PreDistorted(long double fp, bool compensate) {
    Computed c;
    c.stage.StageType = StageCode::SLP;
    c.stage.Wp = kTwoPi * fp;
    c.stage.Qp = 0.7071L;
    c.record.FreqShiftCoef = 0.3L;
    c.record.QShiftCoef = -0.5L;
    c.record.OpAmpGBW = 1e6L;
    c.record.Compensate = compensate ? 1 : 0;
    PreDistort(c.stage, c.record);
    return c;
}

TEST(CompensationDisplay, RecommendedGbwOfTheWorkedExamples) {
    EXPECT_EQ(CompensationDisplayOf(PreDistorted(10000, false).stage, PreDistorted(10000, false).record, true).recommendedGbw,
              "0.10");  // 20·10 kHz·0.5 = 100 kHz
    const Computed c = PreDistorted(37000, false);
    EXPECT_EQ(CompensationDisplayOf(c.stage, c.record, true).recommendedGbw, "0.35");  // 370 kHz -> 350 kHz
}

// At fp = 10 kHz the op amp is 100 times faster: fp rises by 0.3 %, Qp falls by 0.5 %, and the
// displacement is 0.01·sqrt((0.5/(2·0.7071))² + 0.3²) = 0.464 %.
TEST(CompensationDisplay, PoleDataAndDisplacement) {
    const Computed on = PreDistorted(10000, true);
    const CompensationDisplay shown = CompensationDisplayOf(on.stage, on.record, true);
    EXPECT_EQ(shown.designW, "10.03 KHz");
    EXPECT_EQ(shown.designQ, "0.7036");
    EXPECT_EQ(shown.displacement, "0.46%");
    const Computed off = PreDistorted(10000, false);
    const CompensationDisplay plain = CompensationDisplayOf(off.stage, off.record, false);
    EXPECT_EQ(plain.designW, "62.832 Krad/s");
    EXPECT_EQ(plain.designQ, "0.7071");
    EXPECT_EQ(plain.displacement, "0.46%");  // the displacement is the op amp's, remedied or not
}

TEST(CompensationDisplay, FirstOrderStagesHaveNoPoleQOrRecommendedGbw) {
    StageRecord stage;
    stage.StageType = StageCode::FLP;
    stage.Wc = kTwoPi * 1000;
    StageCircuitRecord record;
    FirstOrderPoleData(stage, record);
    const CompensationDisplay shown = CompensationDisplayOf(stage, record, true);
    EXPECT_EQ(shown.designW, "1 KHz");
    EXPECT_EQ(shown.designQ, "N/A");
    EXPECT_EQ(shown.recommendedGbw, "N/A");
    EXPECT_EQ(shown.displacement, "0%");
}

}  // namespace
}  // namespace tavrel
