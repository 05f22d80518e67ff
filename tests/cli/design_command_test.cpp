#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "cli/cli.h"
#include "design_run.h"
#include "support/cli_run.h"
#include "support/published_series.h"
#include "support/scratch_directory.h"

namespace tavrel::cli {
namespace {

using testing_support::CommandOutput;

double Product(const nlohmann::json& stages, const char* field) {
    double product = 1;
    for (const auto& s : stages) product *= s["realized"][field].get<double>();
    return product;
}

TEST(CliDesign, EveryStageGetsItsCircuitAndTheGainsMultiplyToTheOverallGain) {
    const CommandOutput r = Design({"--gain", "10", "--circuits", "1,13,11"});
    ASSERT_EQ(r.status, kDone) << r.err;
    EXPECT_EQ(r.doc["order"], 5);
    EXPECT_EQ(r.doc["design_step"], 7);
    const auto& stages = r.doc["stages"];
    ASSERT_EQ(stages.size(), 3u);
    EXPECT_EQ(stages[0]["circuit"], 1);
    EXPECT_EQ(stages[1]["circuit"], 13);
    EXPECT_EQ(stages[2]["circuit"], 11);
    EXPECT_NEAR(Product(stages, "gain"), 10, 1e-7);
    EXPECT_NEAR(r.doc["actual_overall_gain"].get<double>(), 10, 1e-7);
    // The values in force realise the stage targets.
    for (size_t s = 1; s < 3; ++s) {
        EXPECT_NEAR(stages[s]["realized"]["wp"].get<double>() / stages[s]["wp"].get<double>(), 1, 1e-9);
        EXPECT_NEAR(stages[s]["realized"]["qp"].get<double>() / stages[s]["qp"].get<double>(), 1, 1e-9);
    }
}


// Each stage carries its tuning report as text: the circuit's tuning sequence, the stage's
// parameters in the design's unit and the instructions of its type.
TEST(CliDesign, EveryStageCarriesItsTuningReport) {
    const CommandOutput r = Design({"--circuits", "3,13,11"});
    ASSERT_EQ(r.status, kDone) << r.err;
    const auto& stages = r.doc["stages"];
    const std::string first = stages[0]["tuning"], second = stages[1]["tuning"], third = stages[2]["tuning"];
    EXPECT_EQ(first.rfind("Tuning Sequence\nR2 fc\n\nStage Parameters\nfc ", 0), 0u) << first;
    EXPECT_NE(first.find(" Adjust for a +135° phase shift at fc."), std::string::npos) << first;  // inverting
    EXPECT_EQ(second.rfind("Tuning Sequence\nR3 fp --> R1 Qp\n\nStage Parameters\nfp: ", 0), 0u) << second;
    EXPECT_EQ(third.rfind("Tuning Sequence\nC2 Qp <-> R1 fp\n", 0), 0u) << third;
    for (const std::string& text : {second, third}) {
        EXPECT_NE(text.find("By magnitude:\nfp\n(1) Determine gain at <0.1*  fp"), std::string::npos) << text;
        EXPECT_NE(text.find("By phase (preferred method):\nfp\n"), std::string::npos) << text;
    }
}

TEST(CliDesign, StandardResistorsAndHandValuesAppearAsTheWindowsLeaveThem) {
    const CommandOutput r =
        Design({"--circuits", "1,13,13", "--resistors", "5", "--user-r", "2:R1=4.99k", "--adjust-c", "3:C1=10.5n"});
    ASSERT_EQ(r.status, kDone) << r.err;
    const auto& stages = r.doc["stages"];
    const auto& fixed = stages[1]["resistors"][0];
    EXPECT_EQ(fixed["user"], 4990.0);
    EXPECT_EQ(fixed["value"], 4990.0);
    // The capacitor set by hand re-solves the resistors of stage 3, which leaves them off the
    // series, and the 4.99k typed for stage 2 is no E24 value; leaving the calculation says so,
    // after the gain change the adjustment reported.
    for (size_t s = 0; s < 2; ++s)
        for (const auto& resistor : stages[s]["resistors"]) {
            if (!resistor["user"].is_null()) continue;
            EXPECT_TRUE(testing_support::InSeries(resistor["value"].get<double>(), testing_support::kE24)) << resistor;
            EXPECT_TRUE(resistor["exact"].is_number()) << resistor;
        }
    EXPECT_NEAR(stages[2]["capacitors"][0]["value"].get<double>(), 10.5e-9, 1e-18);
    EXPECT_EQ(r.doc["warnings"],
              nlohmann::json::array({"Stage gain has decreased by 7.7% from its origional value.",
                                     "Stage 3 does not have all capacitors set to exact values or standard values",
                                     "Stages 2, 3 do not have standard resistor values."}));
    EXPECT_TRUE(stages[0]["resistors"][0]["in_stock"].is_null());
}

// The ngspice netlist of the whole filter, simulated, gives the overall gain at low frequency.
TEST(CliDesign, TheWholeFilterNetlistSimulatesToTheOverallGain) {
    const testing_support::ScratchDirectory dir("tavrel-design-netlist");
    const std::string netlist = (dir / "filter.cir").string();
    const CommandOutput r =
        Design({"--gain", "4", "--circuits", "2,14,11", "--netlist", netlist, "--dialect", "ngspice", "--range", "10,10k"});
    ASSERT_EQ(r.status, kDone) << r.err;
    const std::string command = "cd '" + dir.path().string() + "' && ngspice -b filter.cir > ngspice.log 2>&1";
    [[maybe_unused]] const int status = std::system(command.c_str());
    std::ifstream data(r.doc["netlist_data"].get<std::string>());
    std::string row;
    ASSERT_TRUE(std::getline(data, row)) << "no data from ngspice";
    std::istringstream columns(row);
    std::vector<double> x;
    for (double value; columns >> value;) x.push_back(value);
    ASSERT_GE(x.size(), 3u);
    EXPECT_NEAR(x[0], 10, 1e-6);
    const double gain = std::hypot(x[x.size() - 2], x.back());
    EXPECT_NEAR(20 * std::log10(gain / r.doc["actual_overall_gain"].get<double>()), 0, 0.01);
}

struct BadDesign {
    const char* name;
    std::vector<std::string> args;
    int status;
    const char* message;  // in the error document (status 2) or on standard error (status 1)
};
void PrintTo(const BadDesign& c, std::ostream* os) { *os << c.name; }

class CliDesignRefuses : public ::testing::TestWithParam<BadDesign> {};

// Every refusal leaves no netlist behind.
TEST_P(CliDesignRefuses, WithTheReasonAndWritesNothing) {
    const testing_support::ScratchDirectory dir("tavrel-design-refused");
    const std::string netlist = (dir / "filter.cir").string();
    std::vector<std::string> args = GetParam().args;
    args.insert(args.end(), {"--netlist", netlist});
    const CommandOutput r = Design(args);
    EXPECT_EQ(r.status, GetParam().status) << r.err << r.doc;
    const std::string said = r.status == kRejected ? r.doc["error"].get<std::string>() : r.err;
    EXPECT_NE(said.find(GetParam().message), std::string::npos) << said;
    EXPECT_FALSE(std::filesystem::exists(netlist));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliDesignRefuses,
    ::testing::Values(
        BadDesign{"UnknownCircuit", {"--circuits", "1,13,99"}, kFailure, "no circuit number 99"},
        BadDesign{"CircuitOfAnotherType", {"--circuits", "1,13,26"}, kFailure, "circuit 26 is a SHP circuit, stage 3 is SLP"},
        BadDesign{"ListTooShort", {"--circuits", "1,13"}, kFailure, "lists 2 circuits for 3 stages"},
        BadDesign{"UnreadableValue", {"--circuits", "1,13,13", "--user-r", "2:R1=abc"}, kFailure, "not a number"},
        BadDesign{"StageOutOfRange", {"--circuits", "1,13,13", "--adjust-c", "4:C1=10n"}, kFailure, "stages 1 to 3"},
        BadDesign{"NoSuchComponent", {"--circuits", "1,13,13", "--adjust-c", "2:C3=10n"}, kFailure, "has no C3"},
        BadDesign{"OptionNotOffered", {"--circuits", "1,13,13", "--equal", "2"}, kFailure, "does not offer"},
        BadDesign{"BothDesigns", {"--circuits", "1,12,12", "--equal", "2", "--c2-variable", "2"}, kFailure,
                  "cannot take both"},
        BadDesign{"SeriesAgainstTolerance", {"--circuits", "1,13,13", "--resistors", "5", "--r-tol", "1"}, kFailure,
                  "disagree"},
        BadDesign{"CapacitorBeyondTwelvePercent", {"--circuits", "1,13,13", "--adjust-c", "2:C1=11.3n"}, kRejected,
                  "Value does not fall within required range!"},
        BadDesign{"ResistorTooLow", {"--circuits", "1,13,13", "--user-r", "2:R1=0.005"}, kRejected,
                  "Resistance value is unacceptably low"}),
    [](const ::testing::TestParamInfo<BadDesign>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tavrel::cli
