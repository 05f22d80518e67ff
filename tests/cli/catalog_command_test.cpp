#include <gtest/gtest.h>

#include <map>

#include "support/cli_run.h"

namespace tavrel::cli {
namespace {

using CatalogResult = testing_support::CommandOutput;

CatalogResult RunCatalogCommand(const std::vector<std::string>& args) {
    return testing_support::RunCommand("catalog", args);
}

// The Sallen-Key lowpass I as the schematic shows it: two resistors, two capacitors, one
// follower-connected op amp, non-inverting, with a compensated variant; tuning "Fair".
TEST(CliCatalog, ListsEveryCircuitWithItsFacts) {
    const CatalogResult r = RunCatalogCommand({});
    ASSERT_EQ(r.status, kDone) << r.err;
    const auto& circuits = r.doc["circuits"];
    ASSERT_EQ(circuits.size(), 71u);
    const nlohmann::json sallenKey = {{"no", 11},
                                      {"type", "SLP "},
                                      {"index", 1},
                                      {"name", "Sallen-Key (SK) Second Order Lowpass I"},
                                      {"resistors", 2},
                                      {"capacitors", 2},
                                      {"op_amps", 1},
                                      {"compensated_variant", true},
                                      {"inverting", false},
                                      {"ease_of_tuning", "FA"},
                                      {"ease_of_tuning_text", "Fair"}};
    EXPECT_EQ(circuits[7], sallenKey);
    // The multiple feedback lowpass I inverts; Friend's notch is not recommended for tuning.
    EXPECT_EQ(circuits[9]["no"], 13);
    EXPECT_TRUE(circuits[9]["inverting"]);
    EXPECT_EQ(circuits[43]["no"], 56);
    EXPECT_EQ(circuits[43]["ease_of_tuning_text"], "Not Recommended");
    int previous = 0;
    for (const auto& c : circuits) {
        EXPECT_GT(c["no"].get<int>(), previous);
        previous = c["no"];
    }
}

TEST(CliCatalog, FiltersByStageType) {
    const std::map<std::string, std::pair<int, int>> types{{"flp", {3, 1}},   {"fhp", {4, 6}},   {"slp", {13, 11}},
                                                           {"shp", {10, 26}}, {"sbp", {13, 41}}, {"slpn", {10, 56}},
                                                           {"shpn", {9, 71}}, {"sn", {9, 86}}};
    for (const auto& [type, countAndFirst] : types) {
        const CatalogResult r = RunCatalogCommand({"--type", type});
        ASSERT_EQ(r.status, kDone) << type;
        ASSERT_EQ(r.doc["circuits"].size(), static_cast<size_t>(countAndFirst.first)) << type;
        EXPECT_EQ(r.doc["circuits"][0]["no"], countAndFirst.second) << type;
        EXPECT_EQ(r.doc["circuits"][0]["index"], 1) << type;
    }
    for (const char* bad : {"SLP", "lp", ""}) {
        const CatalogResult r = RunCatalogCommand({"--type", bad});
        EXPECT_EQ(r.status, kFailure) << bad;
        EXPECT_FALSE(r.err.empty()) << bad;
    }
}

}  // namespace
}  // namespace tavrel::cli
