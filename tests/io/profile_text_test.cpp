// The section/key/value text: how names are matched, where a new key goes, and that every line
// a change does not touch stays as it was.
#include "io/profile_text.h"

#include <gtest/gtest.h>

namespace tavrel {
namespace {

using Lines = std::vector<std::string>;

ProfileText Text(const std::string& bytes) { return ProfileFromBytes(bytes); }

TEST(ProfileText, SplitsLinesAtNewlinesWithOrWithoutCarriageReturn) {
    EXPECT_EQ(Text("[A]\r\nx=1\ny=2").lines, (Lines{"[A]", "x=1", "y=2"}));
    EXPECT_EQ(Text("[A]\n\nx=1\n").lines, (Lines{"[A]", "", "x=1"}));
    EXPECT_TRUE(Text("").lines.empty());
}

TEST(ProfileText, MatchesSectionsAndKeysWithoutRegardToCaseOrBlanks) {
    const ProfileText t = Text("[ Settings ]\n  pole-zero PAIRING =  Manual  \nStage cascading=Automatic\n");
    EXPECT_EQ(ProfileValue(t, "settings", "Pole-Zero pairing"), "Manual");
    EXPECT_EQ(ProfileValue(t, "SETTINGS", "stage cascading"), "Automatic");
    EXPECT_FALSE(ProfileValue(t, "Settings", "Frequency units"));
    EXPECT_FALSE(ProfileValue(t, "General", "Stage cascading"));
}

TEST(ProfileText, TheFirstMatchWinsAndKeysOutsideASectionDoNotCount) {
    const ProfileText t = Text("x=0\n[A]\nx=1\nx=2\n[B]\nx=3\n[a]\nx=4\ny=5\n");
    EXPECT_EQ(ProfileValue(t, "A", "x"), "1");
    EXPECT_EQ(ProfileValue(t, "A", "y"), "5");  // in the second section of that name
    EXPECT_EQ(ProfileValue(t, "B", "x"), "3");
}

TEST(ProfileText, AValueMayHoldEqualSignsAndBeEmpty) {
    const ProfileText t = Text("[A]\npath=/a=b/c\nempty=\nno key line\n");
    EXPECT_EQ(ProfileValue(t, "A", "path"), "/a=b/c");
    EXPECT_EQ(ProfileValue(t, "A", "empty"), "");
    EXPECT_FALSE(ProfileValue(t, "A", "no key line"));
}

TEST(ProfileText, SettingAKeyReplacesItsLineOnly) {
    ProfileText t = Text("; kept comment\n[A]\nX = 1\nother=2\n");
    SetProfileValue(t, "a", "x", "3");
    EXPECT_EQ(t.lines, (Lines{"; kept comment", "[A]", "x=3", "other=2"}));
}

TEST(ProfileText, ANewKeyGoesAfterTheLastLineOfItsFirstSection) {
    ProfileText t = Text("[A]\nx=1\n\n[B]\ny=2\n[A]\nz=3\n");
    SetProfileValue(t, "A", "Key with blanks", "v");
    EXPECT_EQ(t.lines, (Lines{"[A]", "x=1", "Key with blanks=v", "", "[B]", "y=2", "[A]", "z=3"}));
    EXPECT_EQ(ProfileValue(t, "A", "key with blanks"), "v");
}

TEST(ProfileText, ANewSectionGoesAtTheEndAfterABlankLine) {
    ProfileText t = Text("[A]\nx=1\n");
    SetProfileValue(t, "B", "y", "2");
    EXPECT_EQ(t.lines, (Lines{"[A]", "x=1", "", "[B]", "y=2"}));
    ProfileText empty;
    SetProfileValue(empty, "B", "y", "2");
    EXPECT_EQ(empty.lines, (Lines{"[B]", "y=2"}));
}

}  // namespace
}  // namespace tavrel
