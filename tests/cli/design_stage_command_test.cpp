#include <gtest/gtest.h>

#include <cmath>
#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/cli.h"
#include "support/cli_run.h"

namespace tavrel::cli {
namespace {

using Output = testing_support::CommandOutput;

Output DesignStageCommand(const std::vector<std::string>& args) {
    return testing_support::RunCommand("design-stage", args);
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
    EXPECT_FALSE(o.doc.contains("nudged"));
    EXPECT_EQ(o.doc["sens"]["C2"]["qp"], 0.5);
    EXPECT_EQ(o.doc["sens"]["R1"]["wp"], -0.5);
}

// A value the design fixes on a standard value is kept exactly as solved.
TEST(DesignStageCommand, KeepsDesignedValuesOnStandardValues) {
    const Output o = DesignStageCommand({"--no", "2", "--wc", "5000", "--gain", "1"});
    ASSERT_EQ(o.status, kDone) << o.err;
    EXPECT_TRUE(o.doc["gain_forced"]);
    EXPECT_NEAR(o.doc["actual_gain"].get<double>(), 1.1, 1e-11);
    EXPECT_EQ(o.doc["r"][2].get<double>(), 10000);
    EXPECT_NEAR(o.doc["r"][0].get<double>(), 20000, 1e-9);
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

// Boctor lowpass notch at Qp 2 with the zero at twice the pole frequency: j = 1, the gain at
// infinity K = 3/(1 + 4 + 1/4) = 4/7 is fixed by the notch, and the input divider R5/R6 is
// 1/K = 1.75: R6 = 10 kOhm and R5 = 0.75·R6 = 7.5 kOhm.
TEST(DesignStageCommand, NotchTargetWithItsZeroFrequency) {
    const Output o = DesignStageCommand({"--no", "58", "--wp", "2000", "--qp", "2", "--wz", "4000", "--gain", "1"});
    ASSERT_EQ(o.status, kDone) << o.err;
    EXPECT_FALSE(o.doc["invalid"]);
    EXPECT_TRUE(o.doc["gain_forced"]);
    EXPECT_NEAR(o.doc["actual_gain"].get<double>(), 4.0 / 7, 1e-11);
    EXPECT_NEAR(o.doc["input_attenuation"].get<double>(), 1.75, 1e-11);
    EXPECT_EQ(o.doc["atten_resistors"], "56");
    EXPECT_NEAR(o.doc["r"][5].get<double>(), 10000, 1e-9);
    EXPECT_NEAR(o.doc["r"][4].get<double>(), 7500, 1e-9);
    // k1 = (1 + (wz/wp)²)·Qp/2, k2 = -(3 - (wz/wp)²)·Qp/2.
    EXPECT_NEAR(o.doc["k1"].get<double>(), 5.0, 1e-11);
    EXPECT_NEAR(o.doc["k2"].get<double>(), 1.0, 1e-11);
    EXPECT_EQ(o.doc["sens"]["R5"]["gain"].get<double>(), -o.doc["sens"]["R6"]["gain"].get<double>());

    // The highpass notch SAB takes no gain of 1 or more.
    const Output h = DesignStageCommand({"--no", "71", "--wp", "2000", "--qp", "5", "--wz", "1000", "--gain", "2"});
    ASSERT_EQ(h.status, kDone) << h.err;
    EXPECT_NEAR(h.doc["actual_gain"].get<double>(), 1 / 1.1, 1e-11);
    EXPECT_EQ(h.doc["atten_resistors"], "");
}

// At Qp = 1e6 the unity-gain Sallen-Key lowpass needs C2 = 4·Qp²·C1 = 40 000 F and resistors of
// 1/(2·Qp·wp·C1) = 0.05 ohm: solved, but nothing that can be built.
TEST(DesignStageCommand, ValuesThatCannotBeBuiltAreInvalid) {
    const Output o = DesignStageCommand({"--no", "11", "--wp", "1000", "--qp", "1e6", "--gain", "1"});
    ASSERT_EQ(o.status, kDone) << o.err;
    EXPECT_TRUE(o.doc["invalid"]);
    EXPECT_NEAR(o.doc["c"][1].get<double>(), 4e4, 1e-6);
    EXPECT_NEAR(o.doc["r"][0].get<double>(), 0.05, 1e-12);
    const Output modest = DesignStageCommand({"--no", "11", "--wp", "1000", "--qp", "10", "--gain", "1"});
    EXPECT_FALSE(modest.doc["invalid"]);
}

TEST(DesignStageCommand, TakesEngineeringSuffixes) {
    const Output plain =
        DesignStageCommand({"--no", "13", "--wp", "6283", "--qp", "0.707", "--gain", "2", "--c1", "1e-8"});
    const Output suffixed =
        DesignStageCommand({"--no", "13", "--wp", "6.283k", "--qp", "707m", "--gain", "2", "--c1", "10n"});
    ASSERT_EQ(suffixed.status, kDone) << suffixed.err;
    EXPECT_EQ(suffixed.doc["r"], plain.doc["r"]);
    EXPECT_EQ(suffixed.doc["c"], plain.doc["c"]);
    EXPECT_EQ(DesignStageCommand({"--no", "13", "--wp", "6.283 k", "--qp", "1", "--gain", "2"}).status, kFailure);
    EXPECT_EQ(DesignStageCommand({"--no", "13", "--wp", "nan", "--qp", "1", "--gain", "2"}).status, kFailure);
}

TEST(DesignStageCommand, RefusesWhatCannotBeDesigned) {
    EXPECT_EQ(DesignStageCommand({"--no", "58", "--wp", "2000", "--qp", "2", "--gain", "1"}).status, kFailure);
    EXPECT_EQ(DesignStageCommand({"--no", "13", "--wp", "2000", "--qp", "2", "--wz", "4000", "--gain", "1"}).status,
              kFailure);
    EXPECT_EQ(DesignStageCommand({"--no", "4", "--wp", "1", "--qp", "1", "--gain", "1"}).status, kFailure);
    EXPECT_EQ(DesignStageCommand({"--no", "11", "--wc", "1", "--gain", "1"}).status, kFailure);
    EXPECT_EQ(DesignStageCommand({"--no", "11", "--wp", "-1", "--qp", "1", "--gain", "1"}).status, kFailure);
    EXPECT_EQ(DesignStageCommand({"--no", "1", "--wc", "1", "--gain", "1", "--compensate"}).status, kFailure);
}

}  // namespace
}  // namespace tavrel::cli
