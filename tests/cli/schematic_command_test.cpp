#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/cli.h"

namespace tavrel::cli {
namespace {

struct Result {
    int status;
    nlohmann::json doc;
};

Result Schematic(std::vector<std::string> args) {
    args.insert(args.begin(), "schematic");
    std::ostringstream out, err;
    const int status = Run(args, out, err, TAVREL_BIN_DIR);
    return {status, out.str().empty() ? nlohmann::json() : nlohmann::json::parse(out.str())};
}

// The Sallen-Key lowpass I as its drawing connects it, in the numbering of its template
// [SLP01]: R1 1 3, R2 3 4, C1 4 0, C2 2 3, XA1 4 2 2.
TEST(CliSchematic, PrintsTheDrawnCircuitInTheTemplatesNumbering) {
    const Result r = Schematic({"--no", "11"});
    ASSERT_EQ(r.status, kDone);
    EXPECT_EQ(r.doc["code"], "SLP01");
    EXPECT_FALSE(r.doc["compensated"]);
    EXPECT_EQ(r.doc["elements"], nlohmann::json::parse(R"([
        {"name": "R1", "nodes": [1, 3]}, {"name": "R2", "nodes": [3, 4]}, {"name": "C1", "nodes": [4, 0]},
        {"name": "C2", "nodes": [2, 3]}, {"name": "XA1", "nodes": [4, 2, 2]}])"));
    EXPECT_FALSE(r.doc.contains("problems"));
    const Result compensated = Schematic({"--no", "56", "--compensated"});
    ASSERT_EQ(compensated.status, kDone);
    EXPECT_EQ(compensated.doc["elements"].size(), 13u);
}

TEST(CliSchematic, RefusesCircuitsThatDoNotExist) {
    EXPECT_EQ(Schematic({"--no", "4"}).status, kFailure);
    EXPECT_EQ(Schematic({"--no", "15", "--compensated"}).status, kFailure);
}

}  // namespace
}  // namespace tavrel::cli
