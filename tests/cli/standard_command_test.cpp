// tavrel-cli standard: the document for resistors and capacitors, and refused input. The
// expected values are read off the E96, E24 and E12 tables by hand.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/cli.h"
#include "support/case_name.h"

namespace tavrel::cli {
namespace {

struct Result {
    int status;
    nlohmann::json doc;
    std::string err;
};

Result Standard(std::vector<std::string> args) {
    args.insert(args.begin(), "standard");
    std::ostringstream out, err;
    const int status = Run(args, out, err, TAVREL_BIN_DIR);
    return {status, out.str().empty() ? nlohmann::json() : nlohmann::json::parse(out.str()), err.str()};
}

struct Expected {
    double value;
    bool standard;
    double lower, upper, nearest;
};

struct StandardCase {
    const char* series;
    std::vector<std::string> values;
    std::vector<Expected> expected;
};

void PrintTo(const StandardCase& c, std::ostream* os) {
    *os << "series " << c.series;
    for (const std::string& v : c.values) *os << " " << v;
}

class StandardCommand : public ::testing::TestWithParam<StandardCase> {};

TEST_P(StandardCommand, ListsEachValueWithItsCandidates) {
    const StandardCase& c = GetParam();
    std::vector<std::string> args{"--series", c.series};
    args.insert(args.end(), c.values.begin(), c.values.end());
    const Result r = Standard(args);
    ASSERT_EQ(r.status, kDone) << r.err;
    ASSERT_EQ(r.doc.size(), c.expected.size());
    for (size_t i = 0; i < c.expected.size(); ++i) {
        const nlohmann::json& e = r.doc[i];
        const Expected& x = c.expected[i];
        EXPECT_DOUBLE_EQ(e["value"].get<double>(), x.value) << i;
        EXPECT_EQ(e["standard"].get<bool>(), x.standard) << i;
        EXPECT_DOUBLE_EQ(e["lower"].get<double>(), x.lower) << i;
        EXPECT_DOUBLE_EQ(e["upper"].get<double>(), x.upper) << i;
        EXPECT_DOUBLE_EQ(e["nearest"].get<double>(), x.nearest) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Documents, StandardCommand,
    ::testing::Values(StandardCase{"1", {"47000", "47500"}, {{47000, false, 46400, 47500, 47500}, {47500, true, 47500, 47500, 47500}}},
                      StandardCase{"5", {"49999", "49000", "47000"},
                                   {{49999, false, 47000, 51000, 51000},
                                    {49000, false, 47000, 51000, 51000},
                                    {47000, true, 47000, 47000, 47000}}},
                      StandardCase{"1", {"975", "980"}, {{975, false, 953, 976, 976}, {980, false, 976, 1000, 976}}},
                      StandardCase{"10", {"8.5e6"}, {{8.5e6, false, 8.2e6, 1e7, 8.2e6}}},
                      StandardCase{"c", {"1e-8", "5e-9", "9.5e-7"},
                                   {{1e-8, true, 1e-8, 1e-8, 1e-8},
                                    {5e-9, false, 4.7e-9, 5.6e-9, 4.7e-9},
                                    {9.5e-7, false, 8.2e-7, 1e-6, 1e-6}}}),
    testing_support::PrintedName());

TEST(StandardCommand, GivesThePlaceOfTheNearerValue) {
    const Result r = Standard({"--series", "c", "1e-8"});
    ASSERT_EQ(r.status, kDone);
    EXPECT_EQ(r.doc[0]["position"], 0);
    EXPECT_EQ(r.doc[0]["decade"], 10);
    const Result e96 = Standard({"--series", "1", "47500"});
    EXPECT_EQ(e96.doc[0]["position"], 65);
    EXPECT_EQ(e96.doc[0]["decade"], 2);
}

TEST(StandardCommand, RefusesWhatIsNoPositiveValueOrSeries) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"--series", "2", "100"}, {"--series", "1", "0"}, {"--series", "1", "ten"}, {"--series", "5"}, {"100"}}) {
        const Result r = Standard(args);
        EXPECT_EQ(r.status, kFailure) << args.size();
        EXPECT_FALSE(r.err.empty());
        EXPECT_TRUE(r.doc.is_null());
    }
    const Result huge = Standard({"--series", "1", "1e99999"});
    EXPECT_EQ(huge.status, kArithmetic);
    EXPECT_EQ(huge.doc["error"], "Floating point overflow. Try using smaller numbers.");
}

}  // namespace
}  // namespace tavrel::cli
