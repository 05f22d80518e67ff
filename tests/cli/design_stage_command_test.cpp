#include <gtest/gtest.h>

#include <cmath>
#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/cli.h"

namespace tavrel::cli {
namespace {

struct Output {
    int status;
    nlohmann::json doc;
    std::string err;
};

Output DesignStageCommand(std::vector<std::string> args) {
    args.insert(args.begin(), "design-stage");
    std::ostringstream out, err;
    const int status = Run(args, out, err, TAVREL_BIN_DIR);
    return {status, out.str().empty() ? nlohmann::json() : nlohmann::json::parse(out.str()), err.str()};
}

// The unity-gain Sallen-Key lowpass with equal resistors: C2 = 4·Qp²·C1 and
// R = 1/(2·Qp·wp·C1), with C1 = 10 nF at 10 000 rad/s.
TEST(DesignStageCommand, SallenKeyLowpassIEqualResistors) {
    const Output o = DesignStageCommand({"--no", "11", "--wp", "10000", "--qp", "2", "--gain", "3"});
    ASSERT_EQ(o.status, kDone) << o.err;
    EXPECT_EQ(o.doc["no"], 11);
    EXPECT_FALSE(o.doc["invalid"]);
    EXPECT_TRUE(o.doc["gain_forced"]);
    EXPECT_EQ(o.doc["actual_gain"], 1.0);
    EXPECT_NEAR(o.doc["c"][1].get<double>(), 16e-8, 1e-18);
    EXPECT_NEAR(o.doc["r"][0].get<double>(), 2500, 1e-6);
    EXPECT_NEAR(o.doc["r"][1].get<double>(), 2500, 1e-6);
    EXPECT_EQ(o.doc["k1"], 2.0);
    EXPECT_EQ(o.doc["k2"], -2.0);
    EXPECT_EQ(o.doc["min_gbw"], 60000.0);  // 20·2·10000/(2π) = 63 662 Hz
    EXPECT_TRUE(o.doc["nudged"].empty());
    EXPECT_EQ(o.doc["sens"]["C2"]["qp"], 0.5);
    EXPECT_EQ(o.doc["sens"]["R1"]["wp"], -0.5);
}

// A value the design fixes on a standard value is reported as nudged, and shown nudged.
TEST(DesignStageCommand, ReportsNudgedResistors) {
    const Output o = DesignStageCommand({"--no", "2", "--wc", "5000", "--gain", "1"});
    ASSERT_EQ(o.status, kDone) << o.err;
    EXPECT_TRUE(o.doc["gain_forced"]);
    EXPECT_NEAR(o.doc["actual_gain"].get<double>(), 1.1, 1e-11);
    EXPECT_EQ(o.doc["nudged"], nlohmann::json::parse("[1, 2, 3]"));
    EXPECT_NEAR(o.doc["r"][2].get<double>(), 10002, 1e-6);
}

TEST(DesignStageCommand, PredistortionMovesTheDesignPole) {
    const Output off = DesignStageCommand({"--no", "13", "--wp", "62832", "--qp", "2", "--gain", "2"});
    const Output on = DesignStageCommand(
        {"--no", "13", "--wp", "62832", "--qp", "2", "--gain", "2", "--compensate", "--gbw", "1e6"});
    ASSERT_EQ(on.status, kDone) << on.err;
    EXPECT_EQ(off.doc["design_w"], 62832.0);
    // k1 = (K + 1)·Qp = 6, wp/(2π·GBW) = 0.01.
    EXPECT_NEAR(on.doc["design_w"].get<double>(), 62832 * (1 + 6 * 62832 / (2 * M_PI * 1e6)), 1e-6);
    EXPECT_GT(on.doc["gbw_error"].get<double>(), 0);
}

TEST(DesignStageCommand, RefusesWhatCannotBeDesigned) {
    EXPECT_EQ(DesignStageCommand({"--no", "4", "--wp", "1", "--qp", "1", "--gain", "1"}).status, kFailure);
    EXPECT_EQ(DesignStageCommand({"--no", "11", "--wc", "1", "--gain", "1"}).status, kFailure);
    EXPECT_EQ(DesignStageCommand({"--no", "11", "--wp", "-1", "--qp", "1", "--gain", "1"}).status, kFailure);
    EXPECT_EQ(DesignStageCommand({"--no", "1", "--wc", "1", "--gain", "1", "--compensate"}).status, kFailure);
}

}  // namespace
}  // namespace tavrel::cli
