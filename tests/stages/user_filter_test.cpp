#include "stages/user_filter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "core/math_helpers.h"
#include "support/case_name.h"

namespace tavrel {
namespace {

struct Entry {
    std::unique_ptr<DesignState> state = std::make_unique<DesignState>();
    std::unique_ptr<StageTables> stages = std::make_unique<StageTables>();
    UserEntryTable entries{};
    Entry(bool hz = false) {
        state->HzUnits = hz;
        StartUserEntry(*state, *stages, entries);
    }
    std::optional<std::string> Add(bool second, UserSection section, std::uint8_t mode,
                                   std::array<std::string, 5> fields) {
        return AddUserStage(*state, *stages, entries, {second, section, mode, fields});
    }
    std::optional<std::string> SecondLowpass(const std::string& q, const std::string& wp, const std::string& to = "1") {
        return Add(true, UserSection::Lowpass, 0, {q, wp, "", "", to});
    }
    const StageRecord& Stage(int s) const { return stages->Stage[static_cast<std::size_t>(s)]; }
};

TEST(UserFilter, OrderNineteenTakesAFirstOrderStageButNotASecondOrderOne) {
    Entry e;
    for (int k = 0; k < 9; ++k) ASSERT_EQ(e.SecondLowpass("0.7", std::to_string(1000 + k)), std::nullopt);
    ASSERT_EQ(e.Add(false, UserSection::Lowpass, 1, {"500", "", "", "", "1"}), std::nullopt);
    EXPECT_EQ(e.state->Approx[0].Order, 19);
    EXPECT_EQ(e.SecondLowpass("0.7", "3000"),
              std::optional<std::string>("Unable to add section as maximum filter order of 20 will be exceeded."));
    EXPECT_EQ(e.Add(false, UserSection::Lowpass, 1, {"700", "", "", "", "1"}), std::nullopt);
    EXPECT_EQ(e.state->Approx[0].Order, 20);
    EXPECT_EQ(e.state->StageCount, 11);
}

TEST(UserFilter, QMustBeAboveOneHalf) {
    Entry e;
    EXPECT_EQ(e.SecondLowpass("0.5", "1000"), std::optional<std::string>("Q must be >0.5."));
    EXPECT_EQ(e.state->StageCount, 0);
    EXPECT_EQ(e.SecondLowpass("0.51", "1000"), std::nullopt);
    EXPECT_EQ(e.Stage(1).TypeName, "SLP ");
}

TEST(UserFilter, AZeroFieldIsRefusedInTheOrderOfTheFields) {
    Entry e;
    EXPECT_EQ(e.SecondLowpass("0", "1000"), std::optional<std::string>("Value must be non-zero."));
    EXPECT_EQ(e.SecondLowpass("0.7", "1000", "0"), std::optional<std::string>("Value must be non-zero."));
    // A field the choice does not show is not checked.
    EXPECT_EQ(e.Add(true, UserSection::Lowpass, 0, {"0.7", "1000", "0", "0", "1"}), std::nullopt);
}

TEST(UserFilter, PoleEntryGivesThePairsFrequencyAndQ) {
    Entry e;
    ASSERT_EQ(e.Add(true, UserSection::Lowpass, 1, {"1000", "", "", "1000", "1"}), std::nullopt);
    EXPECT_NEAR(static_cast<double>(e.Stage(1).Wp), 1000 * std::sqrt(2.0), 1e-9);
    EXPECT_NEAR(static_cast<double>(e.Stage(1).Qp), 1 / std::sqrt(2.0), 1e-12);
    EXPECT_EQ(e.state->Pole[0][1].Sigma, 1000);
    EXPECT_EQ(e.state->PolePair[0][1].C0, Real48(2e6L));
}

TEST(UserFilter, ALowpassNotchIsEnteredByItsGainAtZeroFrequency) {
    Entry e;
    ASSERT_EQ(e.Add(true, UserSection::Bandstop, 0, {"2", "1000", "2000", "", "3"}), std::nullopt);
    EXPECT_EQ(e.Stage(1).TypeName, "SLPN");
    EXPECT_EQ(e.Stage(1).To, 0.75L);
    EXPECT_EQ(e.Stage(1).Wz, 2000);
    EXPECT_EQ(e.state->ZeroPair[0][1].Wz2, Real48(4e6L));
    EXPECT_EQ(e.state->Approx[0].FiniteZeroPairs, 1);
}

TEST(UserFilter, FrequenciesTypedInHertzAreKeptInRadiansPerSecond) {
    Entry e(true);
    ASSERT_EQ(e.SecondLowpass("0.7", "1000"), std::nullopt);
    EXPECT_EQ(e.Stage(1).Wp, Real48(2 * kPi * 1000));
}

TEST(UserFilter, TheOverallGainIsTheProductOfTheStageGains) {
    Entry e;
    ASSERT_EQ(e.SecondLowpass("0.7", "1000", "2"), std::nullopt);
    ASSERT_EQ(e.Add(true, UserSection::Highpass, 0, {"0.9", "2000", "", "", "2"}), std::nullopt);
    ASSERT_EQ(e.SecondLowpass("1.5", "3000", "2"), std::nullopt);
    EXPECT_EQ(e.state->OverallGain, 8);
    EXPECT_EQ(e.Stage(2).Zero1, 1);
    EXPECT_EQ(e.state->Approx[0].RealZeroCount, 2);
    DeleteUserStage(*e.state, *e.stages, e.entries, 2);
    EXPECT_EQ(e.state->OverallGain, 4);
    EXPECT_EQ(e.state->StageCount, 2);
    EXPECT_EQ(e.state->Approx[0].RealZeroCount, 0);
    EXPECT_EQ(e.state->Approx[0].PolePairCount, 2);
    EXPECT_EQ(e.Stage(2).Wp, 3000);
    EXPECT_EQ(e.entries[2].Fields[1], "3000");
    // The freed slot is taken by the next second-order stage.
    ASSERT_EQ(e.SecondLowpass("0.8", "4000"), std::nullopt);
    EXPECT_EQ(e.Stage(3).Pole1, 2);
}

TEST(UserFilter, DeletingTheFirstOfTwoFirstOrderStagesKeepsTheSecondsPole) {
    Entry e;
    ASSERT_EQ(e.Add(false, UserSection::Lowpass, 1, {"100", "", "", "", "1"}), std::nullopt);
    ASSERT_EQ(e.Add(false, UserSection::Highpass, 1, {"300", "", "", "", "1"}), std::nullopt);
    DeleteUserStage(*e.state, *e.stages, e.entries, 1);
    const ApproxRecord& a = e.state->Approx[0];
    EXPECT_TRUE(a.HasRealPole);
    EXPECT_FALSE(a.HasRealPole2);
    EXPECT_EQ(a.RealPole, 300);
    EXPECT_TRUE(a.HasRealZero);
    EXPECT_EQ(e.Stage(1).TypeName, "FHP ");
}

TEST(UserFilter, UpAndDownSwapAStageWithItsNeighbour) {
    Entry e;
    ASSERT_EQ(e.SecondLowpass("0.7", "1000"), std::nullopt);
    ASSERT_EQ(e.SecondLowpass("0.9", "2000"), std::nullopt);
    MoveUserStage(*e.state, *e.stages, e.entries, 2, -1);
    EXPECT_EQ(e.Stage(1).Wp, 2000);
    EXPECT_EQ(e.entries[1].Fields[0], "0.9");
    MoveUserStage(*e.state, *e.stages, e.entries, 2, +1);  // the last stage stays
    EXPECT_EQ(e.Stage(2).Wp, 1000);
}

}  // namespace
}  // namespace tavrel
