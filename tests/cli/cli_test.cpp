#include "cli/cli.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <unistd.h>

namespace tavrel::cli {
namespace {

struct Result {
    int status;
    std::string out, err;
    nlohmann::json json() const { return nlohmann::json::parse(out); }
};

Result RunCli(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = Run(args, out, err, TAVREL_BIN_DIR);
    return {status, out.str(), err.str()};
}

TEST(CliCalc, DefaultLowpass) {
    const Result r = RunCli({"calc"});
    ASSERT_EQ(r.status, kDone) << r.err;
    const auto doc = r.json();
    EXPECT_EQ(doc["kind"], "lowpass");
    EXPECT_TRUE(doc["warnings"].empty());
    const auto& list = doc["approximations"];
    ASSERT_EQ(list.size(), 5u);
    const int orders[] = {7, 4, 4, 3, 21};
    const int stages[] = {4, 2, 2, 2, 0};
    const char* names[] = {"butterworth", "chebyshev", "inverse_chebyshev", "elliptic", "bessel"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(list[i]["name"], names[i]);
        EXPECT_EQ(list[i]["order"], orders[i]);
        EXPECT_EQ(list[i]["circuit_stages"], stages[i]);
    }
    EXPECT_TRUE(list[4]["order_too_high"]);
    EXPECT_FALSE(list[4].contains("poles"));
    const auto& butterworth = list[0];
    EXPECT_EQ(butterworth["poles"].size(), 4u);  // three pairs and the real pole
    EXPECT_EQ(butterworth["response"]["gain_db"].size(), 351u);
    EXPECT_NEAR(butterworth["response"]["f_hz"][0].get<double>(), 100, 1e-9);
    EXPECT_NEAR(butterworth["response"]["f_hz"][350].get<double>(), 10000, 1e-6);
    // The exported phase is the negated lag: a lowpass lags, so it is negative.
    EXPECT_LT(butterworth["response"]["phase_deg"][100].get<double>(), 0);
    EXPECT_EQ(list[3]["zeros"].size(), 1u);
}

TEST(CliCalc, RejectedEntriesExitWith2) {
    struct Case {
        std::vector<std::string> args;
        const char *message, *field;
    };
    const Case cases[] = {
        {{"calc", "--apb", "abc"}, "Invalid Number.", "apb"},
        {{"calc", "--f1", "0"}, "Invalid Number.", "f1"},
        {{"calc", "--kind", "bandpass", "--force-order", "7"}, "Order must be an even number.", "force_order"},
        {{"calc", "--force-order", "25"}, "Maximum order is 20.", "force_order"},
        {{"calc", "--force-order", "x"}, "An integer number must be entered.", "force_order"},
        {{"calc", "--gain", "0.05"}, "Minimum allowable overall gain is 0.1V/V.", "gain"},
        {{"calc", "--gain-db", "61"}, "Maximum allowable overall gain is 60dB (1000V/V).", "gain"},
    };
    for (const Case& c : cases) {
        const Result r = RunCli(c.args);
        ASSERT_EQ(r.status, kRejected) << c.message << r.err;
        EXPECT_EQ(r.json()["error"], c.message);
        EXPECT_EQ(r.json()["field"], c.field);
    }
}

TEST(CliCalc, AcceptsGainInDb) {
    const Result r = RunCli({"calc", "--gain-db", "-40"});
    ASSERT_EQ(r.status, kDone);
    const double gain = r.json()["approximations"][0]["response"]["gain_vv"][0];
    EXPECT_NEAR(gain, 0.01, 1e-4);
}

TEST(CliCalc, ArithmeticFailureExitsWith3) {
    const Result r = RunCli({"calc", "--f1", std::string(400, '9')});
    ASSERT_EQ(r.status, kArithmetic) << r.out << r.err;
    const std::string error = r.json()["error"];
    EXPECT_NE(error.find(". Try using smaller numbers."), std::string::npos);
}

TEST(CliCalc, BadUsageExitsWith1) {
    for (const auto& args : std::vector<std::vector<std::string>>{
             {}, {"nonsense"}, {"calc", "--kind", "allpass"}, {"calc", "--unit", "mhz"}, {"calc", "--gain", "1", "--gain-db", "0"},
             {"calc", "--range", "10"}}) {
        const Result r = RunCli(args);
        EXPECT_EQ(r.status, kFailure);
        EXPECT_FALSE(r.err.empty());
    }
}

TEST(CliCalc, RangeOverridesTheGrid) {
    const Result r = RunCli({"calc", "--range", "10,1e5", "--linear"});
    ASSERT_EQ(r.status, kDone) << r.err;
    const auto doc = r.json();
    const auto& f = doc["approximations"][0]["response"]["f_hz"];
    EXPECT_NEAR(f[0].get<double>(), 10, 1e-9);
    EXPECT_NEAR(f[350].get<double>(), 1e5, 1e-6);
    EXPECT_NEAR(f[1].get<double>() - f[0].get<double>(), (1e5 - 10) / 350, 1e-6);
}

TEST(CliCalc, BriefLeavesOutTheResponsesOnly) {
    const Result full = RunCli({"calc", "--kind", "bandpass"});
    const Result brief = RunCli({"calc", "--kind", "bandpass", "--brief"});
    ASSERT_EQ(brief.status, kDone) << brief.err;
    auto withoutResponses = full.json();
    for (auto& a : withoutResponses["approximations"]) a.erase("response");
    EXPECT_EQ(brief.json(), withoutResponses);
    EXPECT_TRUE(full.json()["approximations"][0].contains("response"));
    EXPECT_LT(brief.out.size() * 20, full.out.size());
}

// Frequencies, attenuations and gains take engineering suffixes; what is no number with one
// suffix is refused by the entry check with its own message.
TEST(CliCalc, TakesEngineeringSuffixes) {
    const Result plain = RunCli({"calc", "--f1", "1000", "--f2", "2500", "--unit", "hz", "--range", "10,100000"});
    const Result suffixed = RunCli({"calc", "--f1", "1k", "--f2", "2.5k", "--unit", "hz", "--range", "10,100k"});
    ASSERT_EQ(suffixed.status, kDone) << suffixed.err;
    EXPECT_EQ(suffixed.json(), plain.json());
    const Result milli = RunCli({"calc", "--apb", "500m", "--kind", "bandpass", "--f0", "1.5MEG", "--unit", "hz"});
    const Result written = RunCli({"calc", "--apb", "0.5", "--kind", "bandpass", "--f0", "1500000", "--unit", "hz"});
    ASSERT_EQ(milli.status, kDone) << milli.err;
    EXPECT_EQ(milli.json(), written.json());
    for (const char* bad : {"1 k", "1kk", "k1"}) {
        const Result r = RunCli({"calc", "--f1", bad});
        ASSERT_EQ(r.status, kRejected) << bad;
        EXPECT_EQ(r.json()["error"], "Invalid Number.");
        EXPECT_EQ(r.json()["field"], "f1");
    }
    EXPECT_EQ(RunCli({"calc", "--range", "10,1 k"}).status, kFailure);
}

// A huge Apb once kept the Bessel normalization doubling its search bracket for ever; edges of
// 1e20 Hz gave approximations with an order and no poles. Both end with every approximation
// unusable: failed, of too high an order, or of order 0 (an Apb at or above Asb asks for no
// stopband loss beyond the passband's).
TEST(CliCalc, SpecificationsBeyondTheStoredRangeGiveNoUsableApproximation) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"calc", "--apb", "100000"},
             {"calc", "--apb", "100000", "--force-order", "5"},
             {"calc", "--f1", "1e20", "--f2", "2e20", "--unit", "hz"},
             {"calc", "--kind", "bandstop", "--f0", "1e21", "--f1", "2e20", "--f2", "1e20", "--unit", "hz"}}) {
        const Result r = RunCli(args);
        ASSERT_EQ(r.status, kDone) << ::testing::PrintToString(args) << r.err;
        const nlohmann::json doc = r.json();
        for (const auto& a : doc["approximations"]) {
            EXPECT_TRUE(a["failed"].get<bool>() || a["order_too_high"].get<bool>() || a["order"].get<int>() < 1)
                << a["name"];
            EXPECT_FALSE(a.contains("poles")) << a["name"];
        }
    }
}

// A root table whose roots leave the left half-plane is refused like a missing one.
TEST(CliCalc, DamagedRootTableIsRefused) {
    const auto dir = std::filesystem::temp_directory_path() / ("tavrel_cli_bessroot_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "BessRoot.dat", std::ios::binary) << std::string(2400, '\xFF');
    std::ostringstream out, err;
    const int status = cli::Run({"calc"}, out, err, dir);
    std::filesystem::remove_all(dir);
    EXPECT_EQ(status, kFailure);
    EXPECT_EQ(err.str(), "Unable to open file BessRoot.dat. This file should be in the application directory\n");
    EXPECT_TRUE(out.str().empty());
}

// Without a command, or with one the program does not know, the help lists the commands.
TEST(CliHelp, WithoutACommandTheHelpListsTheCommands) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{{}, {"calculate"}, {"--r"}}) {
        const Result r = RunCli(args);
        EXPECT_EQ(r.status, kFailure);
        EXPECT_TRUE(r.out.empty());
        for (const char* command : {"calc", "stages", "catalog", "circuit", "design-stage"})
            EXPECT_NE(r.err.find(std::string("\n  ") + command + " "), std::string::npos) << command;
    }
    EXPECT_EQ(RunCli({"calculate"}).err.rfind("unknown command: calculate\n", 0), 0u);
    EXPECT_EQ(RunCli({"calc", "--kind"}).err.find("Subcommands:"), std::string::npos);
}

// Every command's help shows its defaults and ends with an example that runs as it stands.
TEST(CliHelp, EveryCommandHasAnExampleThatRuns) {
    for (const char* command : {"calc", "stages", "catalog", "circuit", "design-stage"}) {
        const Result help = RunCli({command, "--help"});
        ASSERT_EQ(help.status, kDone) << command;
        const auto at = help.out.find("Example:\n  tavrel-cli ");
        ASSERT_NE(at, std::string::npos) << command;
        std::istringstream line(help.out.substr(at + std::string("Example:\n  tavrel-cli ").size()));
        std::string example;
        std::getline(line, example);
        std::istringstream words(example);
        std::vector<std::string> args;
        for (std::string word; words >> word;) args.push_back(word);
        ASSERT_FALSE(args.empty());
        EXPECT_EQ(args.front(), command);
        const Result run = RunCli(args);
        EXPECT_EQ(run.status, kDone) << example << "\n" << run.err;
    }
    const Result calc = RunCli({"calc", "--help"});
    EXPECT_NE(calc.out.find("(default lowpass 1, highpass 2, bandpass 1, bandstop 2)"), std::string::npos);
    EXPECT_NE(calc.out.find("(default khz)"), std::string::npos);
    EXPECT_NE(calc.out.find("(default 0.5)"), std::string::npos);
}

// Random argument lists made of the program's own words and of hostile values: every
// run must end with one of the four statuses, never a crash or a hang.
TEST(CliFuzz, NeverCrashes) {
    const std::vector<std::string> words = {
        "calc", "stages", "circuit", "design-stage", "--kind", "lowpass", "highpass", "bandpass", "bandstop", "--apb",
        "--asb", "--f1", "--f2", "--f0", "--unit", "hz", "khz", "rad/s", "krad/s", "--force-order", "--gain",
        "--gain-db", "--range", "--linear", "--help", "0", "1", "2", "7", "8", "20", "21", "-1", "0.001", "1e400",
        "1e-400", "nan", "inf", "-inf", "", " ", "1,2", "5,1", "abc", "99999999999999999999", "-40", "700", "3", "0.5",
        "30", "1e38", "1e-38", "--approx", "--no", "11", "-", "--",
        // circuit arguments; --netlist stays out, so that no run writes a file
        "--r", "--c", "--f-hz", "--compensated", "--dialect", "ngspice", "pspice", "10000,10000", "1e-8,2e-8", "13",
        "52", "1e39,1",
        // catalog and the engineering suffixes
        "catalog", "--type", "slp", "sn", "--brief", "1k", "4.7K", "10n", "1MEG", "1 k", "1kk", "2e3k", "1e4930G"};
    std::mt19937 random(7);
    std::uniform_int_distribution<size_t> pick(0, words.size() - 1);
    std::uniform_int_distribution<int> length(0, 10);
    for (int run = 0; run < 400; ++run) {
        std::vector<std::string> args;
        const int n = length(random);
        if (run % 2 == 0) args.push_back("calc");
        for (int i = 0; i < n; ++i) args.push_back(words[pick(random)]);
        const Result r = RunCli(args);
        ASSERT_GE(r.status, 0);
        ASSERT_LE(r.status, 3);
        const bool help = std::find(args.begin(), args.end(), "--help") != args.end();
        if (r.status != kFailure && !help) {
            ASSERT_TRUE(nlohmann::json::accept(r.out)) << r.out.substr(0, 200);
        }
    }
}

}  // namespace
}  // namespace tavrel::cli
