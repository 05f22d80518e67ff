// The analyses in the design command's document: the merits of every candidate, the
// automatic choice of circuits, the gain spread and the temperature change.
#include <gtest/gtest.h>

#include <cmath>

#include "design_run.h"
#include "support/cli_run.h"

namespace tavrel::cli {
namespace {

using testing_support::CommandOutput;

TEST(CliDesignAnalysis, AutoTakesTheCandidateOfSmallestTotalSpread) {
    const CommandOutput r = Design({"--c-tol", "2", "--gbw-tol", "20"});
    ASSERT_EQ(r.status, 0) << r.err;
    for (const auto& stage : r.doc["stages"]) {
        const auto& candidates = stage["candidates"];
        int best = 0;
        double smallest = 0;
        for (const auto& c : candidates) {
            if (c["invalid"].get<bool>()) continue;
            const double total = c["total_spread_db"].get<double>();
            if (best == 0 || total < smallest) best = c["circuit"].get<int>(), smallest = total;
        }
        EXPECT_EQ(stage["circuit"].get<int>(), best) << "stage " << stage["stage"];
        EXPECT_GE(candidates.size(), 3u);
        EXPECT_TRUE(stage["merits"].contains("total_spread_db"));
    }
}

TEST(CliDesignAnalysis, SpreadAndChangeAddUpOverTheStages) {
    const CommandOutput r = Design({"--circuits", "1,13,11", "--at-hz", "900", "--temp-range", "40"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto& spread = r.doc["spread"];
    EXPECT_DOUBLE_EQ(spread["at_hz"].get<double>(), 900);
    double variance = 0;
    for (const auto& s : spread["stages"]) variance += std::pow(s["total"].get<double>(), 2);
    EXPECT_NEAR(spread["filter_db"].get<double>(), std::sqrt(variance), 1e-12);
    EXPECT_EQ(spread["f_hz"].size(), 351u);
    EXPECT_EQ(spread["spread_db"].size(), 351u);
    EXPECT_NEAR(spread["f_hz"].back().get<double>(), 1000, 1e-9);
    const auto& change = r.doc["temperature"];
    double sum = 0;
    for (const auto& s : change["stages"]) sum += s["total"].get<double>();
    EXPECT_NEAR(change["filter_db"].get<double>(), sum, 1e-15);
    EXPECT_EQ(change["change_db"].size(), 351u);
    // The change is proportional to the range.
    const CommandOutput half = Design({"--circuits", "1,13,11", "--at-hz", "900", "--temp-range", "20"});
    EXPECT_NEAR(half.doc["temperature"]["filter_db"].get<double>() * 2, change["filter_db"].get<double>(), 1e-15);
}

}  // namespace
}  // namespace tavrel::cli
