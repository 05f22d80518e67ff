#include "io/design_file/design_commands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "io/design_file/design_file.h"
#include "io/design_file/golden_designs.h"
#include "io/design_file/option_flags.h"
#include "support/case_name.h"
#include "support/scratch_directory.h"

namespace tavrel {
namespace {

using namespace design_file_testing;
using testing_support::ReadWholeFile;
using testing_support::ScratchDirectory;

std::string BytesText(const std::vector<std::uint8_t>& bytes) { return {bytes.begin(), bytes.end()}; }

void WriteText(const std::filesystem::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
}

TEST(WriteDesign, WritesTheFileAndCountsTheDesignAsSaved) {
    ScratchDirectory dir;
    auto design = StagesDesign();
    design->State.DesignModified = true;
    design->State.Recalculated = true;
    const std::string expected = BytesText(DesignFileBytes(*design));
    EXPECT_EQ(WriteDesign(dir / "a.tv3", *design), std::nullopt);
    EXPECT_EQ(ReadWholeFile(dir / "a.tv3"), expected);
    EXPECT_FALSE(design->State.DesignModified);
    EXPECT_FALSE(design->State.Recalculated);
}

// A failed write leaves what was there and the design as it was (not counted as saved).
TEST(WriteDesign, ADirectoryInThePlaceOfTheFileIsRefused) {
    ScratchDirectory dir;
    std::filesystem::create_directory(dir / "a.tv3");
    auto design = StagesDesign();
    design->State.DesignModified = true;
    EXPECT_NE(WriteDesign(dir / "a.tv3", *design), std::nullopt);
    EXPECT_TRUE(design->State.DesignModified);
    EXPECT_TRUE(std::filesystem::is_directory(dir / "a.tv3"));
}

TEST(ReadDesign, ReplacesTheDesignAndNamesIt) {
    ScratchDirectory dir;
    auto saved = ComponentsDesign();
    ASSERT_EQ(WriteDesign(dir / "c.tv3", *saved), std::nullopt);
    auto current = SpecificationDesign();
    EXPECT_EQ(ReadDesign(dir / "c.tv3", *current), std::nullopt);
    EXPECT_EQ(current->State.DesignFileName, (dir / "c.tv3").string());
    EXPECT_EQ(current->State.StageCount, 2);
    EXPECT_EQ(current->Circuit(1).CircuitNo, 14);
    EXPECT_EQ(current->State.Approx[Chebyshev].Order, 0);  // nothing of the old design stays
}

// A file that cannot be read, or is refused, leaves the current design as it was.
struct RefusedFile {
    std::string name;
    std::function<void(const std::filesystem::path&)> make;
    std::string message;  // the start of it
};
void PrintTo(const RefusedFile& c, std::ostream* os) { *os << c.name; }

class ReadDesignRefusal : public ::testing::TestWithParam<RefusedFile> {};

TEST_P(ReadDesignRefusal, KeepsTheCurrentDesign) {
    ScratchDirectory dir;
    const auto file = dir / "x.tv3";
    GetParam().make(file);
    auto current = StagesDesign();
    current->State.DesignFileName = "kept.tv3";
    const auto before = DesignFileBytes(*current);
    const auto refused = ReadDesign(file, *current);
    ASSERT_NE(refused, std::nullopt);
    EXPECT_EQ(refused->rfind(GetParam().message, 0), 0u) << *refused;
    EXPECT_EQ(DesignFileBytes(*current), before);
    EXPECT_EQ(current->State.DesignFileName, "kept.tv3");
}

INSTANTIATE_TEST_SUITE_P(
    Files, ReadDesignRefusal,
    ::testing::Values(
        RefusedFile{"missing", [](const std::filesystem::path&) {}, "cannot read"},
        RefusedFile{"empty", [](const std::filesystem::path& f) { WriteText(f, ""); }, kReadBeyondEnd},
        RefusedFile{"a folder", [](const std::filesystem::path& f) { std::filesystem::create_directory(f); }, "cannot read"},
        RefusedFile{"text", [](const std::filesystem::path& f) { WriteText(f, std::string(300, 'x')); }, kInvalidDesignFile},
        RefusedFile{"cut in the stages",
                    [](const std::filesystem::path& f) {
                        WriteText(f, BytesText(DesignFileBytes(*ComponentsDesign())).substr(0, 8000));
                    },
                    kReadBeyondEnd}),
    testing_support::PrintedName());

struct RecentCase {
    std::string name;
    std::vector<std::string> before;
    std::string opened;
    std::vector<std::string> after;
};
void PrintTo(const RecentCase& c, std::ostream* os) { *os << c.name; }

class RecentFiles : public ::testing::TestWithParam<RecentCase> {};

TEST_P(RecentFiles, PathGoesToTheTopOnceAndTheListKeepsFour) {
    std::vector<std::string> recent = GetParam().before;
    PutRecentFile(recent, GetParam().opened);
    EXPECT_EQ(recent, GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, RecentFiles,
    ::testing::Values(RecentCase{"first", {}, "a", {"a"}},
                      RecentCase{"new on top", {"a", "b"}, "c", {"c", "a", "b"}},
                      RecentCase{"again moves up", {"a", "b", "c"}, "c", {"c", "a", "b"}},
                      RecentCase{"top stays", {"a", "b"}, "a", {"a", "b"}},
                      RecentCase{"fifth drops the oldest", {"a", "b", "c", "d"}, "e", {"e", "a", "b", "c"}},
                      RecentCase{"known of four", {"a", "b", "c", "d"}, "d", {"d", "a", "b", "c"}}),
    testing_support::PrintedName());

TEST(RecentFiles, ASettingsListLosesRepeatsAndBlanksAndKeepsFour) {
    EXPECT_EQ(CleanRecentFiles({"a", "", "b", "a", "c", "d", "e"}), (std::vector<std::string>{"a", "b", "c", "d"}));
}

TEST(SaveDesign, WritesUnderItsNameOrAsksForOne) {
    Design design;
    EXPECT_EQ(SaveDesignAction(design), SaveAction::AskForName);
    design.State.DesignFileName = "x.tv3";
    EXPECT_EQ(SaveDesignAction(design), SaveAction::Write);
}

TEST(SaveDesignAs, NamesWritesAndListsTheDesign) {
    ScratchDirectory dir;
    auto design = StagesDesign();
    std::vector<std::string> recent{"old.tv3"};
    EXPECT_EQ(SaveDesignAs(dir / "s.tv3", *design, recent), std::nullopt);
    EXPECT_EQ(design->State.DesignFileName, (dir / "s.tv3").string());
    EXPECT_EQ(recent, (std::vector<std::string>{(dir / "s.tv3").string(), "old.tv3"}));
    auto opened = std::make_unique<Design>();
    std::vector<std::string> list;
    EXPECT_EQ(OpenDesign(dir / "s.tv3", *opened, list), std::nullopt);
    EXPECT_EQ(list, (std::vector<std::string>{(dir / "s.tv3").string()}));
    EXPECT_EQ(OpenDesign(dir / "none.tv3", *opened, list).has_value(), true);
    EXPECT_EQ(list.size(), 1u);
}

TEST(OptionFlags, TheTableListsEveryPositionInOrder) {
    int expected = 1;
    for (const OptionFlagRow& row : OptionFlagTable()) EXPECT_EQ(row.position, expected++);
}

// A file whose option string is all "1": the flags that opening restores come back set, the
// modified flag is cleared at the end, and the rest keep the program's values.
TEST(OptionFlags, OpeningSetsTheRestoredFlagsOnly) {
    auto saved = StagesDesign();
    std::vector<std::uint8_t> file = DesignFileBytes(*saved);
    std::fill_n(file.begin() + 14, 40, '1');
    file[14 + 35] = '0';  // no resistor-trim block follows
    auto opened = std::make_unique<Design>();
    opened->WindowOptionFlags[27] = false;
    opened->WindowOptionFlags[28] = true;
    ASSERT_EQ(ReadDesignBytes(file, *opened), std::nullopt);
    const DesignState& s = opened->State;
    EXPECT_TRUE(s.AutoPairing && s.AutoCascading && s.DbDisplay && s.LogFrequencyAxis && s.HzUnits && s.ForceOrder &&
                s.AllPole && opened->Stages.Criteria.UseQ && opened->Options.AllCapsStandard);
    EXPECT_FALSE(s.DesignModified);
    for (int k : {5, 7, 9, 10, 11, 13, 14, 15, 16, 17, 18, 20, 22, 23, 24, 26, 29, 30, 31, 32, 34, 35})
        EXPECT_TRUE(opened->WindowOptionFlags[k]) << "position " << k;
    EXPECT_FALSE(opened->WindowOptionFlags[25]);
    EXPECT_FALSE(opened->WindowOptionFlags[27]);
    EXPECT_TRUE(opened->WindowOptionFlags[28]);
    for (int k = 38; k <= 40; ++k) EXPECT_FALSE(opened->WindowOptionFlags[k]) << "position " << k;
    const std::string written = OptionFlagsText(*opened);
    EXPECT_EQ(written[24], '0');
    EXPECT_EQ(written.substr(37), "000");
}

TEST(OptionFlags, AShortOptionStringReadsAsZerosPastItsEnd) {
    std::vector<std::uint8_t> file = DesignFileBytes(*SpecificationDesign());
    file[13] = 2;  // two characters: pairing and cascading automatic, nothing else
    file[14] = file[15] = '1';
    auto opened = std::make_unique<Design>();
    ASSERT_EQ(ReadDesignBytes(file, *opened), std::nullopt);
    EXPECT_TRUE(opened->State.AutoPairing);
    EXPECT_TRUE(opened->State.AutoCascading);
    EXPECT_FALSE(opened->State.HzUnits);
    EXPECT_FALSE(opened->WindowOptionFlags[10]);
}

}  // namespace
}  // namespace tavrel
