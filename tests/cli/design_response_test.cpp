// The final responses in the design command's document: the versions the options make
// available, the grid of --range and --linear, and the Chebyshev lowpass's gain at its
// passband edge (the ripple below the overall gain) worked out from the specification.
#include <gtest/gtest.h>

#include <cmath>

#include "cli/cli.h"
#include "support/cli_run.h"

namespace tavrel::cli {
namespace {

using testing_support::CommandOutput;

// A Chebyshev lowpass of order 5 with 0.5 dB ripple to 1 kHz and a gain of 10 (20 dB).
CommandOutput Design(std::vector<std::string> extra, const std::string& circuits = "1,13,11") {
    std::vector<std::string> args{"--apb", "0.5", "--asb", "40", "--f1", "1k", "--f2", "2.5k", "--unit", "hz",
                                  "--approx", "chebyshev", "--gain", "10", "--circuits", circuits};
    args.insert(args.end(), extra.begin(), extra.end());
    return testing_support::RunCommand("design", args);
}

TEST(CliDesignResponse, ExactValuesGiveVersionOneOnTheGridOfTheRange) {
    const CommandOutput r = Design({"--range", "10,100000"});
    ASSERT_EQ(r.status, kDone) << r.err;
    const auto& response = r.doc["response"];
    EXPECT_EQ(response["versions"], nlohmann::json::array({1}));
    const auto f = response["f_hz"].get<std::vector<double>>();
    ASSERT_EQ(f.size(), 351u);
    EXPECT_NEAR(f.front(), 10, 1e-9);
    EXPECT_NEAR(f[175], 1000, 1e-9);
    EXPECT_NEAR(f.back(), 100000, 1e-6);
    const auto gain = response["gain_db"][0].get<std::vector<double>>();
    const auto phase = response["phase_deg"][0].get<std::vector<double>>();
    const auto delay = response["delay_s"][0].get<std::vector<double>>();
    ASSERT_EQ(gain.size(), 351u);
    // An odd-order Chebyshev lowpass is at its full gain at DC (at 10 Hz within 0.002 dB) and at
    // the ripple below it at the passband edge.
    EXPECT_NEAR(gain.front(), 20, 0.002);
    EXPECT_NEAR(gain[175], 19.5, 1e-3);
    // Five poles: the phase falls towards -450 degrees; the delay is positive throughout.
    EXPECT_NEAR(phase.front(), 0, 3);
    EXPECT_LT(phase.back(), -400);
    for (const double t : delay) EXPECT_GT(t, 0);
}

TEST(CliDesignResponse, SubstitutionsAddTheirVersions) {
    const CommandOutput r = Design({"--resistors", "5", "--adjust-c", "3:C1=10.5n", "--linear", "--range", "100,1100"}, "1,13,13");
    ASSERT_EQ(r.status, kDone) << r.err;
    const auto& response = r.doc["response"];
    EXPECT_EQ(response["versions"], nlohmann::json::array({1, 2, 3}));
    ASSERT_EQ(response["gain_db"].size(), 3u);
    const auto f = response["f_hz"].get<std::vector<double>>();
    EXPECT_NEAR(f[35], 200, 1e-9);
    // Standard resistors move the response a little, not much.
    const auto exact = response["gain_db"][0].get<std::vector<double>>();
    const auto standard = response["gain_db"][2].get<std::vector<double>>();
    double largest = 0;
    for (size_t k = 0; k < exact.size(); ++k) largest = std::max(largest, std::fabs(exact[k] - standard[k]));
    EXPECT_GT(largest, 1e-4);
    EXPECT_LT(largest, 1.0);
}

TEST(CliDesignResponse, UserAssignedValuesAreSwitchedIn) {
    const CommandOutput plain = Design({});
    const CommandOutput user = Design({"--user-r", "2:R1=4.99k"});
    ASSERT_EQ(user.status, kDone) << user.err;
    EXPECT_EQ(user.doc["response"]["versions"], nlohmann::json::array({1}));
    EXPECT_NE(user.doc["response"]["gain_db"][0][175], plain.doc["response"]["gain_db"][0][175]);
}

}  // namespace
}  // namespace tavrel::cli
