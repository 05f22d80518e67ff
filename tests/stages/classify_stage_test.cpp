#include <gtest/gtest.h>

#include "support/case_name.h"

#include "stages/stage_forming.h"

namespace tavrel {
namespace {

// Pole entries: 1 a pair at wp 1000, 2 and 3 real poles (sigma 1 and 4).
// Zero entries: 1 pair at 1000, 2 pair slightly above, 3 pair slightly below,
// 4 pair at the origin, 5 and 6 single zeros at the origin.
StageTables ClassificationLists() {
    StageTables t;
    t.PoleEntryCount = 3;
    t.PairPoleList[1] = {1, 1, 2.0L, 1000.0L, 250.0L, 968.0L, 1};
    t.PairPoleList[2] = {1, 0, 0.0L, 0.0L, 1.0L, 0.0L, 0};
    t.PairPoleList[3] = {1, 0, 0.0L, 0.0L, 4.0L, 0.0L, 0};
    t.ZeroEntryCount = 6;
    t.PairZeroList[1] = {1, 1, 0.0L, 1000.0L};
    t.PairZeroList[2] = {1, 1, 0.0L, 1000.0L * (1 + 1e-9L)};
    t.PairZeroList[3] = {1, 1, 0.0L, 1000.0L * (1 - 1e-9L)};
    t.PairZeroList[4] = {1, 1, 0.0L, 0.0L};
    t.PairZeroList[5] = {1, 0, 0.0L, 0.0L};
    t.PairZeroList[6] = {1, 0, 0.0L, 0.0L};
    return t;
}

struct ClassifyCase {
    int pole1, pole2, zero1, zero2;
    std::uint8_t expected;
};

void PrintTo(const ClassifyCase& c, std::ostream* os) {
    *os << "poles " << c.pole1 << " " << c.pole2 << " zeros " << c.zero1 << " " << c.zero2;
}

class Classify : public ::testing::TestWithParam<ClassifyCase> {};

TEST_P(Classify, GivesTheStageType) {
    const ClassifyCase c = GetParam();
    EXPECT_EQ(ClassifyStage(ClassificationLists(), c.pole1, c.pole2, c.zero1, c.zero2), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, Classify,
    ::testing::Values(ClassifyCase{1, 0, 0, 0, StageCode::SLP},   // pair alone
                      ClassifyCase{1, 0, 5, 0, StageCode::SBP},   // one single zero
                      ClassifyCase{1, 0, 5, 6, StageCode::SHP},   // two single zeros
                      ClassifyCase{1, 0, 4, 0, StageCode::SHP},   // zero pair at the origin
                      ClassifyCase{1, 0, 1, 0, StageCode::SN},    // wz equal to wp
                      ClassifyCase{1, 0, 2, 0, StageCode::SLPN},  // wz just above
                      ClassifyCase{1, 0, 3, 0, StageCode::SHPN},  // wz just below
                      ClassifyCase{2, 0, 0, 0, StageCode::FLP}, ClassifyCase{2, 0, 5, 0, StageCode::FHP},
                      ClassifyCase{2, 3, 0, 0, StageCode::SN},  // a second pole: SN whatever the zeros
                      ClassifyCase{2, 3, 5, 0, StageCode::SN}, ClassifyCase{2, 3, 2, 0, StageCode::SN}),
    testing_support::PrintedName());

TEST(FormStage, TwoRealPolesMakeOneSecondOrderStage) {
    for (int zero : {0, 5, 1}) {
        StageTables t = ClassificationLists();
        FormStage(t, 1, 2, 3, zero, 0);
        const StageRecord& stage = t.Stage[1];
        EXPECT_EQ(stage.TypeName, "SN  ");
        EXPECT_NEAR(static_cast<double>(stage.Wp), 2.0, 1e-12);
        EXPECT_NEAR(static_cast<double>(stage.Qp), 0.4, 1e-12);
        EXPECT_EQ(stage.Wc, 1);
        EXPECT_EQ(stage.Pole2, 3);
        EXPECT_FALSE(t.PairPoleList[2].Available);
        EXPECT_FALSE(t.PairPoleList[3].Available);
    }
}

TEST(FormStage, CopiesThePoleAndZeroValuesAndMarksThemUsed) {
    StageTables t = ClassificationLists();
    FormStage(t, 2, 1, 0, 2, 0);
    const StageRecord& stage = t.Stage[2];
    EXPECT_EQ(stage.TypeName, "SLPN");
    EXPECT_EQ(stage.Wp, 1000);
    EXPECT_EQ(stage.Qp, 2);
    EXPECT_EQ(stage.Wz, t.PairZeroList[2].Wz);
    EXPECT_EQ(stage.Wc, 250);
    EXPECT_FALSE(t.PairPoleList[1].Available);
    EXPECT_FALSE(t.PairZeroList[2].Available);
    EXPECT_TRUE(t.PairZeroList[1].Available);
}

}  // namespace
}  // namespace tavrel
