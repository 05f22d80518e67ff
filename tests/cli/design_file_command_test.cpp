#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "cli/cli.h"
#include "support/case_name.h"
#include "support/cli_run.h"
#include "support/scratch_directory.h"

namespace tavrel::cli {
namespace {

using testing_support::CommandOutput;
using testing_support::ReadWholeFile;
using testing_support::RunCommand;
using testing_support::ScratchDirectory;

// A Chebyshev lowpass of order 5 with its three circuits.
const std::vector<std::string> kDesign{"--apb", "0.5", "--asb", "40", "--f1", "1k", "--f2", "2.5k", "--unit", "hz",
                                       "--approx", "chebyshev", "--circuits", "1,13,11", "--gain", "4"};

std::string Fixture(const std::string& name) { return std::string(TAVREL_FIXTURES) + "/designs/" + name; }

// Position 21 of the option string: the modified flag, cleared by opening.
constexpr std::size_t kModifiedFlagByte = 34;
// The centre-frequency entry: a lowpass keeps the default "2" there, which opening takes for
// the placeholder of an old file and recomputes from the centre frequency, 0 for a lowpass.
constexpr std::size_t kF0EntryBytes = 132;

// Where two files part, for a readable failure.
std::string FirstDifference(const std::string& a, const std::string& b) {
    const auto [x, y] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    if (x == a.end() && y == b.end()) return "same";
    return "first difference at offset " + std::to_string(x - a.begin());
}

TEST(CliDesignFile, AnOpenedDesignIsTheDesignThatWasSaved) {
    ScratchDirectory dir;
    std::vector<std::string> args = kDesign;
    args.insert(args.end(), {"--save", (dir / "a.tv3").string(), "--ascii", (dir / "a.dat").string(), "--netlist",
                             (dir / "a.cir").string()});
    const CommandOutput saved = RunCommand("design", args);
    ASSERT_EQ(saved.status, kDone) << saved.err;
    EXPECT_EQ(ReadWholeFile(dir / "a.tv3").size(), 224u + 3 + 7492 + 3 * 548 + 24);

    const CommandOutput opened =
        RunCommand("design", {"--open", (dir / "a.tv3").string(), "--save", (dir / "b.tv3").string(), "--ascii",
                              (dir / "b.dat").string(), "--netlist", (dir / "b.cir").string()});
    ASSERT_EQ(opened.status, kDone) << opened.err;
    nlohmann::json openedDoc = opened.doc, savedDoc = saved.doc;
    openedDoc.erase("netlist");  // the file names
    savedDoc.erase("netlist");
    EXPECT_EQ(openedDoc, savedDoc);
    EXPECT_EQ(ReadWholeFile(dir / "b.cir"), ReadWholeFile(dir / "a.cir"));
    // The data files differ in their date line only.
    const std::string before = ReadWholeFile(dir / "a.dat"), after = ReadWholeFile(dir / "b.dat");
    ASSERT_GT(before.size(), 20000u);
    EXPECT_EQ(after.substr(after.find('\n')), before.substr(before.find('\n')));
    std::string first = ReadWholeFile(dir / "a.tv3");
    first[kModifiedFlagByte] = '0';
    first.replace(kF0EntryBytes, 6, 6, '\0');
    EXPECT_EQ(FirstDifference(ReadWholeFile(dir / "b.tv3"), first), "same");
}

TEST(CliDesignFile, HandTypedResistorsOfTheFileAreInForce) {
    ScratchDirectory dir;
    const CommandOutput r =
        RunCommand("design", {"--open", Fixture("components.tv3"), "--netlist", (dir / "c.cir").string()});
    ASSERT_EQ(r.status, kDone) << r.err;
    EXPECT_TRUE(r.doc.contains("netlist"));
    EXPECT_NE(ReadWholeFile(dir / "c.cir").find(".SUBCKT SLP1"), std::string::npos);
    EXPECT_EQ(r.doc["design_step"], 7);
    EXPECT_EQ(r.doc["stages"][0]["circuit"], 14);
    EXPECT_EQ(r.doc["stages"][0]["resistors"][1]["user"], 12000.0);
    EXPECT_EQ(r.doc["stages"][0]["resistors"][1]["value"], 12000.0);
}

struct RefusedOpen {
    std::string name;
    std::vector<std::string> args;
    std::string reason;  // found in standard error
};
void PrintTo(const RefusedOpen& c, std::ostream* os) { *os << c.name; }

class CliDesignFileRefusal : public ::testing::TestWithParam<RefusedOpen> {};

TEST_P(CliDesignFileRefusal, ExitsWithTheReason) {
    const CommandOutput r = RunCommand("design", GetParam().args);
    EXPECT_EQ(r.status, kFailure);
    EXPECT_TRUE(r.doc.is_null());
    EXPECT_NE(r.err.find(GetParam().reason), std::string::npos) << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliDesignFileRefusal,
    ::testing::Values(
        RefusedOpen{"not a design file", {"--open", std::string(TAVREL_FIXTURES) + "/designs/../designs"},
                    "cannot read"},
        RefusedOpen{"missing file", {"--open", "/nonexistent/x.tv3"}, "cannot read"},
        RefusedOpen{"no circuits yet", {"--open", Fixture("stages.tv3")}, "no circuits yet"},
        RefusedOpen{"circuits with open", {"--open", Fixture("components.tv3"), "--circuits", "14,1"}, "excludes"},
        RefusedOpen{"specification with open", {"--open", Fixture("components.tv3"), "--asb", "30"}, "excludes"},
        RefusedOpen{"no approximation", {"--asb", "40", "--circuits", "1"}, "--approx is required"},
        RefusedOpen{"save into a missing folder",
                    {"--open", Fixture("components.tv3"), "--save", "/nonexistent/x.tv3"},
                    "/nonexistent/x.tv3"}),
    testing_support::PrintedName());

TEST(CliDesignFile, AFileThatIsNotADesignIsRefusedByName) {
    ScratchDirectory dir;
    std::ofstream(dir / "x.tv3") << std::string(400, 'x');
    const CommandOutput r = RunCommand("design", {"--open", (dir / "x.tv3").string()});
    EXPECT_EQ(r.status, kFailure);
    EXPECT_NE(r.err.find("Invalid Tavrel design file"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace tavrel::cli
