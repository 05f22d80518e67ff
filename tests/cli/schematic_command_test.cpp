#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/cli.h"
#include "support/cli_run.h"

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

namespace tavrel::cli {
namespace {

std::string DesignFixture(const std::string& name) { return std::string(TAVREL_FIXTURES) + "/designs/" + name; }

// The schematic of a saved design's stage is its circuit's drawing with the values the design
// command reports for that stage.
TEST(CliSchematicOfADesign, DrawsTheStageCircuitWithItsValues) {
    const auto design = testing_support::RunCommand("design", {"--open", DesignFixture("components.tv3")});
    ASSERT_EQ(design.status, kDone) << design.err;
    const auto& stages = design.doc["stages"];
    for (size_t s = 0; s < stages.size(); ++s) {
        const auto r = testing_support::RunCommand(
            "schematic", {"--open", DesignFixture("components.tv3"), "--stage", std::to_string(s + 1)});
        ASSERT_EQ(r.status, kDone) << r.err;
        const int no = stages[s]["circuit"];
        EXPECT_EQ(r.doc["no"], no);
        EXPECT_EQ(r.doc["elements"], Schematic({"--no", std::to_string(no)}).doc["elements"]);
        for (const auto& resistor : stages[s]["resistors"])
            EXPECT_EQ(r.doc["values"][resistor["name"].get<std::string>()], resistor["value"]);
        for (const auto& capacitor : stages[s]["capacitors"])
            EXPECT_EQ(r.doc["values"][capacitor["name"].get<std::string>()], capacitor["value"]);
    }
}

TEST(CliSchematicOfADesign, RefusesWhatItCannotDraw) {
    const auto components = DesignFixture("components.tv3");
    for (const auto& [args, reason] : std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{"--open", components, "--stage", "9"}, "stages 1 to"},
             {{"--open", components}, "--stage"},
             {{"--open", DesignFixture("stages.tv3"), "--stage", "1"}, "no circuits yet"},
             {{"--open", "/nonexistent/x.tv3", "--stage", "1"}, "cannot read"},
             {{"--no", "11", "--open", components, "--stage", "1"}, "excludes"},
             {{}, "--no or --open is required"}}) {
        const auto r = testing_support::RunCommand("schematic", args);
        EXPECT_EQ(r.status, kFailure) << reason;
        EXPECT_NE(r.err.find(reason), std::string::npos) << r.err;
    }
}

}  // namespace
}  // namespace tavrel::cli
