#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <set>
#include <sstream>

#include "cli/cli.h"
#include "support/cli_run.h"

namespace tavrel::cli {
namespace {

using StagesResult = testing_support::CommandOutput;

StagesResult RunStagesCommand(const std::vector<std::string>& args) {
    return testing_support::RunCommand("stages", args);
}

TEST(CliStages, ButterworthLowpassStartsWithItsRealPoleAndEndsAtUnityGain) {
    const StagesResult r = RunStagesCommand({"--approx", "butterworth"});
    ASSERT_EQ(r.status, kDone) << r.err;
    ASSERT_EQ(r.doc["stage_count"], 4);
    const auto& stages = r.doc["stages"];
    ASSERT_EQ(stages.size(), 4u);
    EXPECT_EQ(stages[0]["type"], "FLP ");
    std::set<int> poles;
    double dcGain = 1;
    for (size_t i = 0; i < stages.size(); ++i) {
        EXPECT_EQ(stages[i]["stage"], static_cast<int>(i) + 1);
        poles.insert(stages[i]["pole1"].get<int>());
        dcGain *= stages[i]["to"].get<double>();  // every stage's To is its DC gain
    }
    EXPECT_EQ(poles, (std::set<int>{1, 2, 3, 4}));
    // A Butterworth lowpass peaks at DC; each cascade response is scaled to peak at 1.
    EXPECT_NEAR(dcGain, 1.0, 1e-9);
}

TEST(CliStages, IncreasingQOrdersTheStagesAfterTheFirst) {
    const StagesResult r = RunStagesCommand({"--approx", "chebyshev", "--force-order", "9", "--use-q"});
    ASSERT_EQ(r.status, kDone) << r.err;
    const auto& stages = r.doc["stages"];
    ASSERT_EQ(stages.size(), 5u);
    EXPECT_EQ(stages[0]["type"], "FLP ");
    for (size_t i = 2; i < stages.size(); ++i)
        EXPECT_LT(stages[i - 1]["qp"].get<double>(), stages[i]["qp"].get<double>()) << i;
}

TEST(CliStages, LastStagePreferenceCanPlaceAFirstOrderHighpass) {
    const StagesResult r = RunStagesCommand(
        {"--kind", "highpass", "--approx", "butterworth", "--first-prefs", "00000000", "--last-prefs", "11000000"});
    ASSERT_EQ(r.status, kDone) << r.err;
    const auto& stages = r.doc["stages"];
    ASSERT_FALSE(stages.empty());
    EXPECT_EQ(stages.back()["type"], "FHP ");
}

TEST(CliStages, RejectedEntryGivesTheErrorDocument) {
    const StagesResult r = RunStagesCommand({"--approx", "butterworth", "--apb", "abc"});
    EXPECT_EQ(r.status, kRejected);
    EXPECT_TRUE(r.doc.contains("error"));
    EXPECT_TRUE(r.doc.contains("field"));
}

TEST(CliStages, BadUsageIsStatusOne) {
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"--approx", "cauer"},
             {"--approx", "butterworth", "--first-prefs", "1112131"},
             {"--approx", "butterworth", "--last-prefs", "01010109"},
             {"--approx", "bessel"},  // the default lowpass needs an order above 20
             {}}) {
        const StagesResult r = RunStagesCommand(args);
        EXPECT_EQ(r.status, kFailure) << ::testing::PrintToString(args);
        EXPECT_FALSE(r.err.empty());
    }
}

}  // namespace
}  // namespace tavrel::cli
