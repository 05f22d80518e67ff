#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "analysis/report/report_markup.h"

namespace tavrel {
namespace {

std::vector<ReportLine> Read(std::vector<std::string> stored, const ReportSlots& slots = {}) {
    return ParseReportMarkup(stored, slots);
}

ReportRun Plain(std::string text) { return ReportRun{std::move(text)}; }

// A section as the tuning texts store it: the heading drawn underlined in blue, the slots
// filled, and the one blank after each code taken as its end.
TEST(ReportMarkup, ReadsAStoredSectionIntoStyledLines) {
    const auto lines = Read({"\\und \\blu \\d01 \\unf \\blk ",
                             "\\par (1) Determine gain at <0.1* \\bsp \\d01  (theoretical gain = \\d02 ).",
                             "\\par  Adjust for a \\d03 \\186  phase shift at \\d01 . "},
                            {{1, "fp"}, {2, "2"}, {3, "-90"}});
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], (ReportLine{{ReportRun{"fp", true, true, false}}}));
    EXPECT_EQ(lines[1], (ReportLine{{Plain("(1) Determine gain at <0.1*  fp (theoretical gain = 2).")}}));
    EXPECT_EQ(lines[2], (ReportLine{{Plain(" Adjust for a -90° phase shift at fp. ")}}));
    EXPECT_EQ(PlainText(lines),
              "fp\n(1) Determine gain at <0.1*  fp (theoretical gain = 2).\n Adjust for a -90° phase shift at fp.\n");
}

TEST(ReportMarkup, StylesSplitRunsAndStoredLinesRunOn) {
    const auto lines = Read({"a \\und b\\unf c", "d\\blu e\\blk \\xx1 w\\xx0 f"});
    ASSERT_EQ(lines.size(), 1u);
    const std::vector<ReportRun> expected{Plain("a "),        ReportRun{"b", true, false, false}, Plain("cd"),
                                          ReportRun{"e", false, true, false}, ReportRun{"w", false, false, true},
                                          Plain("f")};
    EXPECT_EQ(lines[0].runs, expected);
    EXPECT_EQ(PlainText(lines[0]), "a bcdeωf");
}

TEST(ReportMarkup, CharacterCodesAreThoseOfTheWindowsPage) {
    const auto lines = Read({"\\177 1\\186 \\128 \\233 \\065 "});
    EXPECT_EQ(PlainText(lines[0]), "±1°€éA");
}

TEST(ReportMarkup, SymbolFontLettersReadAsGreek) {
    EXPECT_EQ(UnicodeText(ReportRun{"wDsp1", false, false, true}), "ωΔσπ1");
    EXPECT_EQ(UnicodeText(ReportRun{"wD", false, false, false}), "wD");
}

TEST(ReportMarkup, AnOpeningParStartsTheFirstLine) {
    EXPECT_EQ(Read({"\\par x", "\\par y"}).size(), 2u);
    EXPECT_EQ(Read({"x\\par \\par y"}).size(), 3u);  // an empty line between two is kept
}

TEST(ReportMarkup, FaultsOfTheStoredTextThrow) {
    EXPECT_THROW(Read({"\\zzz "}), std::logic_error);
    EXPECT_THROW(Read({"gain \\d05 "}, {{4, "1"}}), std::logic_error);
    EXPECT_THROW(Read({"cut \\d0"}), std::logic_error);
    EXPECT_THROW(Read({"\\129 "}), std::logic_error);  // unassigned in the page
}

}  // namespace
}  // namespace tavrel
