#include <gtest/gtest.h>

#include "support/case_name.h"

#include <cmath>

#include "core/math_helpers.h"
#include "stage_test_support.h"
#include "stages/stage_record.h"
#include "stages/transfer_function.h"

namespace tavrel {
namespace {

StageRecord MakeStage(std::uint8_t type, long double wp, long double qp, long double wz, long double wc,
                      long double gain) {
    StageRecord stage;
    stage.StageType = type;
    stage.TypeName = StageTypeText(type);
    stage.Wp = wp;
    stage.Qp = qp;
    stage.Wz = wz;
    stage.Wc = wc;
    stage.GainFactor = gain;
    ToFromGain(stage);
    return stage;
}

TEST(StageRecord, FirstOrderLowpassGainGivesTo) {
    const StageRecord stage = MakeStage(StageCode::FLP, 0, 0, 0, 1000, 2);
    EXPECT_NEAR(static_cast<double>(stage.To), 0.002, 1e-14);
    // T(s) = 0.002 * 1000 / (s + 1000) = G / (s + wc): its DC gain is To.
    EXPECT_NEAR(static_cast<double>(std::abs(test::StageTransferAt(stage, 0))), 0.002, 1e-14);
    EXPECT_NEAR(static_cast<double>(std::abs(test::StageTransferAt(stage, 1000))), 0.002 / std::sqrt(2.0), 1e-14);
}

struct TypeCase {
    std::uint8_t type;
    const char* text;
    long double passbandW;  // where To is the gain: 0, "infinity" or wp
};

void PrintTo(const TypeCase& c, std::ostream* os) { *os << c.text; }

class EveryType : public ::testing::TestWithParam<TypeCase> {};

// G N(s)/D(s) from the magnitude rule equals To (A s^2 + B s + C) / (D s^2 + E s + F).
TEST_P(EveryType, BiquadFormIsTheScaledStageFunction) {
    const TypeCase c = GetParam();
    const StageRecord stage = MakeStage(c.type, 3000, 2.5, c.type == StageCode::SHPN ? 1500 : 6000, 1200, 1.7);
    EXPECT_EQ(stage.TypeName, c.text);
    for (long double w : {0.0L, 10.0L, 700.0L, 1200.0L, 2999.0L, 3000.0L, 5000.0L, 6000.0L, 1e5L}) {
        const long double expected = 1.7L * StageMagnitude(stage, w);
        EXPECT_NEAR(static_cast<double>(std::abs(test::StageTransferAt(stage, w))), static_cast<double>(expected),
                    1e-15 + 1e-12 * static_cast<double>(expected))
            << c.text << " w " << static_cast<double>(w);
        EXPECT_EQ(StageMagnitude(stage, -w), StageMagnitude(stage, w));
    }
    // To is the passband gain.
    EXPECT_NEAR(static_cast<double>(std::abs(test::StageTransferAt(stage, c.passbandW))), static_cast<double>(stage.To),
                1e-6 * static_cast<double>(stage.To));
}

INSTANTIATE_TEST_SUITE_P(StageTypes, EveryType,
                         ::testing::Values(TypeCase{StageCode::FLP, "FLP ", 0}, TypeCase{StageCode::FHP, "FHP ", 1e12L},
                                           TypeCase{StageCode::SLP, "SLP ", 0}, TypeCase{StageCode::SHP, "SHP ", 1e12L},
                                           TypeCase{StageCode::SBP, "SBP ", 3000},
                                           TypeCase{StageCode::SLPN, "SLPN", 1e12L},
                                           TypeCase{StageCode::SHPN, "SHPN", 1e12L},
                                           TypeCase{StageCode::SN, "SN  ", 1e12L}),
                         testing_support::PrintedName());

TEST(StageRecord, UnknownTypeHasNoTextAndNoMagnitude) {
    StageRecord stage;
    stage.StageType = 8;
    EXPECT_EQ(StageTypeText(8), "");
    EXPECT_EQ(StageMagnitude(stage, 1), 0);
    EXPECT_EQ(TransferFunctionRow(stage, 1, false)[0], "");
}

TEST(TransferFunctionTable, HzModeDividesFrequenciesBeforeFormingCoefficients) {
    const StageRecord stage = MakeStage(StageCode::SLP, 2 * kPi * 1000, 0.8, 0, 2 * kPi * 400, 1);
    const Biquad hz = BiquadOf(stage, true);
    EXPECT_NEAR(static_cast<double>(hz.abcdef[2].value), 1e6, 1e-3);  // C = fp^2
    EXPECT_NEAR(static_cast<double>(hz.abcdef[5].value), 1e6, 1e-3);  // F = fp^2
    EXPECT_NEAR(static_cast<double>(hz.abcdef[4].value), 1000 / 0.8, 1e-7);
    const auto row = TransferFunctionRow(stage, 3, true);
    const std::array<std::string, 11> expected{"3", " 2.53302959E-8", "0", "0", " 1.0000000E+6", "1.0",
                                               " 1.2500000E+3", " 1.0000000E+6", " 1.0000000E+3", " 8.0000000E-1", "----"};
    EXPECT_EQ(row, expected);
    EXPECT_EQ(TransferFunctionHeads(true)[8], "fp");
    EXPECT_EQ(TransferFunctionHeads(false)[10], "wz");
}

TEST(TransferFunctionTable, FirstOrderRowsHideWpAndQp) {
    const StageRecord stage = MakeStage(StageCode::FHP, 0, 0, 0, 500, 1);
    const auto row = TransferFunctionRow(stage, 1, false);
    const std::array<std::string, 11> expected{"1", " 1.00000000E+0", "0", "1.0", "0", "0", "1.0", " 5.0000000E+2",
                                               "----", "----", "----"};
    EXPECT_EQ(row, expected);
}

TEST(TransferFunctionTable, NotchRowsShowWz) {
    const StageRecord stage = MakeStage(StageCode::SLPN, 100, 2, 400, 25, 1);
    const auto row = TransferFunctionRow(stage, 2, false);
    EXPECT_EQ(row[2], "1.0");
    EXPECT_EQ(row[4], " 1.6000000E+5");
    EXPECT_EQ(row[10], " 4.0000000E+2");
}

}  // namespace
}  // namespace tavrel
