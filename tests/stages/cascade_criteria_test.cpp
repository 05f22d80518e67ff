#include <gtest/gtest.h>

#include "support/case_name.h"

#include "stages/cascade_criteria.h"

namespace tavrel {
namespace {

TEST(CascadeCriteria, EnablingGivesTheNextPriorityAndDisablingRenumbers) {
    StagePreferences prefs = PreferencesFromText("00000000", kDefaultFirstStage);
    TogglePreference(prefs, 2);
    TogglePreference(prefs, 0);
    TogglePreference(prefs, 3);
    EXPECT_EQ(prefs[2].Priority, 1);
    EXPECT_EQ(prefs[0].Priority, 2);
    EXPECT_EQ(prefs[3].Priority, 3);
    TogglePreference(prefs, 2);  // the one with priority 1
    EXPECT_FALSE(prefs[2].On);
    EXPECT_EQ(prefs[0].Priority, 1);
    EXPECT_EQ(prefs[3].Priority, 2);
}

TEST(CascadeCriteria, PriorityClickAdvancesAndWraps) {
    StagePreferences prefs = PreferencesFromText("11120000", kDefaultFirstStage);
    AdvancePriority(prefs, 0);
    EXPECT_EQ(prefs[0].Priority, 2);
    AdvancePriority(prefs, 0);
    EXPECT_EQ(prefs[0].Priority, 1);
    AdvancePriority(prefs, 2);  // off: nothing
    EXPECT_EQ(prefs[2].Priority, 0);
}

TEST(CascadeCriteria, DuplicatePrioritiesKeepTheDialogOpen) {
    CascadeCriteria criteria = DefaultCascadeCriteria();
    EXPECT_FALSE(CheckCriteria(criteria));  // the off last-stage preferences all say 1
    AdvancePriority(criteria.FirstStagePrefs, 0);  // 2, like the second
    ASSERT_TRUE(CheckCriteria(criteria));
    EXPECT_EQ(*CheckCriteria(criteria), "First stage priorities must be unique.");
    criteria = DefaultCascadeCriteria();
    criteria.LastStagePrefs = PreferencesFromText("11110000", kDefaultLastStage);
    ASSERT_TRUE(CheckCriteria(criteria));
    EXPECT_EQ(*CheckCriteria(criteria), "Last stage priorities must be unique.");
}

struct TextCase {
    const char* text;
    const char* read;  // as written back
};

void PrintTo(const TextCase& c, std::ostream* os) { *os << "text " << c.text; }

class PreferenceText : public ::testing::TestWithParam<TextCase> {};

TEST_P(PreferenceText, ReadsOrFallsBackToTheDefault) {
    EXPECT_EQ(PreferencesText(PreferencesFromText(GetParam().text, kDefaultFirstStage)), GetParam().read);
}

INSTANTIATE_TEST_SUITE_P(Settings, PreferenceText,
                         ::testing::Values(TextCase{"11121314", "11121314"}, TextCase{"1112131", "11121314"},
                                           TextCase{"111213140", "11121314"}, TextCase{"11121315", "11121314"},
                                           TextCase{"1x121314", "11121314"}, TextCase{"01020304", "01020304"},
                                           TextCase{"2 1 1 1 ", "00101010"}),
                         testing_support::PrintedName());

TEST(CascadeCriteria, DefaultsAndUseQText) {
    const CascadeCriteria criteria = DefaultCascadeCriteria();
    EXPECT_EQ(PreferencesText(criteria.FirstStagePrefs), "11121314");
    EXPECT_EQ(PreferencesText(criteria.LastStagePrefs), "01010101");
    EXPECT_FALSE(criteria.UseQ);
    EXPECT_TRUE(UseQFromText("TRUE"));
    EXPECT_FALSE(UseQFromText("yes"));
    EXPECT_FALSE(UseQFromText("true"));
    EXPECT_EQ(UseQText(true), "TRUE");
    EXPECT_STREQ(FirstStagePrefCaption(2), "lowpass notch");
    EXPECT_STREQ(LastStagePrefCaption(0), "1st order highpass");
}

}  // namespace
}  // namespace tavrel
