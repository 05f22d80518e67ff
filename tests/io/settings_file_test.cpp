// The settings file: every key with its default and its rule, the order of writing, the
// template shipped beside the executable, and files that are not settings at all.
#include "io/settings_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <random>

#include "support/case_name.h"
#include "support/scratch_directory.h"

namespace tavrel {
namespace {

namespace fs = std::filesystem;
using testing_support::ReadWholeFile;
using testing_support::ScratchDirectory;
using testing_support::WriteWholeFile;
using Lines = std::vector<std::string>;

Settings Read(const std::string& bytes) { return ReadSettings(ProfileFromBytes(bytes)); }

// The settings as the file would write them: two settings are equal when they write alike.
Lines Written(const Settings& s) {
    ProfileText text;
    WriteSettings(s, text);
    return text.lines;
}

void ExpectDefaultCharacteristics(const ComponentCharacteristics& c) {
    EXPECT_EQ(c.RTolerance, 1);
    EXPECT_EQ(c.CTolerance, 1);
    EXPECT_EQ(c.OpTolerance, 30);
    EXPECT_EQ(c.Noise, 12);
    EXPECT_EQ(c.RTempCoeff, Real48(100e-6L));
    EXPECT_EQ(c.CTempCoeff, Real48(20e-6L));
    EXPECT_EQ(c.OpTempCoeff, Real48(2e-3L));
    EXPECT_EQ(c.TempRange, 20);
}

// What a program writes that starts without a file: the keys in the order of the file, the
// frequency unit joining its section after the cascading mode, no recent files.
const Lines kDefaultFile{"[General]",
                         "Mainposn=110,10",
                         "Mainsize=0,0",
                         "Maximized=FALSE",
                         "ZoomX=4",
                         "ZoomY=4",
                         "VZoomX=4",
                         "VZoomY=4",
                         "",
                         "[Settings]",
                         "Pole-Zero pairing=Automatic",
                         "Stage cascading=Automatic",
                         "Frequency units=hertz",
                         "",
                         "[Cascade Criteria]",
                         "First stage=11121314",
                         "Last stage=01010101",
                         "UseQ=FALSE",
                         "",
                         "[Component inventory]",
                         "Usecap=FALSE",
                         "Useres=FALSE",
                         "",
                         "[Component Characteristics]",
                         "RTolerance=1",
                         "CTolerance=1",
                         "AllCapsStnd=FALSE",
                         "OpTolerance=30",
                         "Noise=1.2E+1",
                         "RTempCoeff=1E-4",
                         "CTempCoeff=2E-5",
                         "TempRange=20",
                         "OpTempCoeff=2E-3"};

TEST(SettingsWriting, AnEmptyFileGetsEveryKeyInTheOrderOfTheFile) {
    EXPECT_EQ(Written(Settings{}), kDefaultFile);
}

TEST(SettingsTemplate, ReadsAsTheDefaultsAndIsWrittenBackUnchanged) {
    const std::string bytes = ReadWholeFile(fs::path(TAVREL_BIN_DIR) / kSettingsFileName);
    ASSERT_FALSE(bytes.empty()) << "the template beside the executables";
    ProfileText text = ProfileFromBytes(bytes);
    const Lines before = text.lines;
    const Settings settings = ReadSettings(text);
    EXPECT_EQ(Written(settings), kDefaultFile);
    ExpectDefaultCharacteristics(settings.Characteristics);
    WriteSettings(settings, text);
    EXPECT_EQ(text.lines, before);
}

TEST(SettingsReading, WithoutComponentCharacteristicsTheDefaultsHold) {
    const Settings s = Read("[General]\nMainposn=5,6\n[Settings]\nFrequency units=rad/s\n");
    ExpectDefaultCharacteristics(s.Characteristics);
    EXPECT_FALSE(s.Options.AllCapsStandard);
    EXPECT_EQ(s.MainLeft, 5);
    EXPECT_EQ(s.MainTop, 6);
    EXPECT_FALSE(s.HzUnits);
}

TEST(SettingsReading, ASevenCharacterFirstStageIsReadAsTheDefault) {
    const Settings s = Read("[Cascade Criteria]\nFirst stage=1112131\nLast stage=11100000\n");
    EXPECT_EQ(PreferencesText(s.Criteria.FirstStagePrefs), "11121314");
    EXPECT_EQ(PreferencesText(s.Criteria.LastStagePrefs), "11100000");
    EXPECT_EQ(PreferencesText(Read("[Cascade Criteria]\nLast stage=01010109\n").Criteria.LastStagePrefs), "01010101");
}

TEST(SettingsReading, OnlyAutomaticAsWrittenMeansAutomatic) {
    EXPECT_FALSE(Read("[Settings]\nPole-Zero pairing=automatic\n").AutoPairing);
    EXPECT_TRUE(Read("[Settings]\nPole-Zero pairing=Automatic\n").AutoPairing);
    EXPECT_FALSE(Read("[Settings]\nStage cascading=AUTOMATIC\n").AutoCascading);
    EXPECT_TRUE(Read("").AutoCascading);
    EXPECT_FALSE(Read("[Settings]\nFrequency units=Hertz\n").HzUnits);
}

TEST(SettingsReading, YesTurnsAllCapsStandardOnButLeavesUseQOff) {
    const Settings s = Read(
        "[Cascade Criteria]\nUseQ=yes\n[Component inventory]\nUsecap=yes\nUseres=TRUE\n"
        "[Component Characteristics]\nAllCapsStnd=yes\n");
    EXPECT_TRUE(s.Options.AllCapsStandard);
    EXPECT_FALSE(s.Criteria.UseQ);
    EXPECT_FALSE(s.Options.UseCapInventory);
    EXPECT_TRUE(s.Options.UseResInventory);
    EXPECT_TRUE(Read("[Cascade Criteria]\nUseQ=TRUE\n").Criteria.UseQ);
}

TEST(SettingsReading, SectionAndKeyNamesMatchWithoutRegardToCase) {
    const Settings s = Read("[component characteristics]\nrtolerance = 5\n[SETTINGS]\npole-zero pairing=Manual\n");
    EXPECT_EQ(s.Characteristics.RTolerance, 5);
    EXPECT_FALSE(s.AutoPairing);
}

// One key's text and the value it is read as.
struct NumberCase {
    const char* key;
    const char* text;
    long double read;
};

void PrintTo(const NumberCase& c, std::ostream* os) { *os << c.key << " " << c.text; }

class NumberRules : public ::testing::TestWithParam<NumberCase> {};

long double CharacteristicOf(const Settings& s, const std::string& key) {
    const ComponentCharacteristics& c = s.Characteristics;
    if (key == "RTolerance") return c.RTolerance;
    if (key == "CTolerance") return c.CTolerance;
    if (key == "OpTolerance") return c.OpTolerance;
    if (key == "Noise") return c.Noise;
    if (key == "RTempCoeff") return c.RTempCoeff;
    if (key == "CTempCoeff") return c.CTempCoeff;
    if (key == "TempRange") return c.TempRange;
    return c.OpTempCoeff;
}

TEST_P(NumberRules, ReplaceWhatTheKeyDoesNotAccept) {
    const NumberCase& c = GetParam();
    const Settings s = Read(std::string("[Component Characteristics]\n") + c.key + "=" + c.text + "\n");
    EXPECT_EQ(CharacteristicOf(s, c.key), Real48(c.read));
}

INSTANTIATE_TEST_SUITE_P(
    Keys, NumberRules,
    ::testing::Values(NumberCase{"RTolerance", "0.25", 0.25L}, NumberCase{"RTolerance", "0.1", 0.1L},
                      NumberCase{"RTolerance", "0.05", 1}, NumberCase{"RTolerance", "20", 20},
                      NumberCase{"RTolerance", "20.5", 1}, NumberCase{"RTolerance", "five", 1},
                      NumberCase{"CTolerance", "-2", 1}, NumberCase{"CTolerance", "10", 10},
                      NumberCase{"OpTolerance", "9", 30}, NumberCase{"OpTolerance", "50", 50},
                      NumberCase{"OpTolerance", "51", 30}, NumberCase{"Noise", "0", 12},
                      NumberCase{"Noise", "", 12}, NumberCase{"Noise", "4.5", 4.5L},
                      NumberCase{"RTempCoeff", "100E-6", 100e-6L}, NumberCase{"RTempCoeff", "0", 100e-6L},
                      NumberCase{"CTempCoeff", "-3E-5", -3e-5L}, NumberCase{"CTempCoeff", "1e-60", 20e-6L},
                      NumberCase{"TempRange", "0", 20}, NumberCase{"TempRange", "1e99999", 20},
                      NumberCase{"OpTempCoeff", "1e40", 2e-3L}, NumberCase{"OpTempCoeff", "5E-3", 5e-3L}),
    testing_support::PrintedName());

TEST(SettingsReading, MainPositionNeedsTwoIntegers) {
    for (const char* text : {"12", "a,b", "1,2,3", "", "99999999999,1"}) {
        const Settings s = Read(std::string("[General]\nMainposn=") + text + "\n");
        EXPECT_EQ(s.MainLeft, 110) << text;
        EXPECT_EQ(s.MainTop, 10) << text;
    }
    EXPECT_EQ(Read("[General]\nMainposn=-20,300\n").MainLeft, -20);
    EXPECT_EQ(Read("[General]\nZoomX=7\nVZoomY=x\n").ZoomX, 7);
    EXPECT_EQ(Read("[General]\nVZoomY=x\n").VZoomY, 4);
}

TEST(SettingsReading, RecentFilesInOrderWithoutTheEmptyOnes) {
    const Settings s = Read("[Recent file list]\nFile1=/a.tv3\nFile2=\nFile3=/c d.tv3\nFile5=/e.tv3\n");
    EXPECT_EQ(s.RecentFiles, (Lines{"/a.tv3", "/c d.tv3"}));
}

TEST(SettingsWriting, TolerancesKeepTheirDecimalsAcrossARestart) {
    Settings s;
    s.Characteristics.RTolerance = 0.25L;
    s.Characteristics.CTolerance = 0.1L;
    s.Characteristics.RTempCoeff = 25e-6L;
    s.Characteristics.Noise = 4.5L;
    s.Options.UseCapInventory = true;
    s.AutoCascading = false;
    s.HzUnits = false;
    s.Criteria.UseQ = true;
    s.MainLeft = -4;
    const Lines lines = Written(s);
    const auto has = [&](const std::string& line) { return std::find(lines.begin(), lines.end(), line) != lines.end(); };
    for (const char* line : {"RTolerance=0.25", "CTolerance=0.1", "RTempCoeff=2.5E-5", "Noise=4.5E+0", "Usecap=TRUE",
                             "Stage cascading=Manual", "Frequency units=rad/s", "UseQ=TRUE", "Mainposn=-4,10"})
        EXPECT_TRUE(has(line)) << line;
    EXPECT_EQ(Written(ReadSettings(ProfileText{lines})), lines);
}

TEST(SettingsWriting, RecentFileKeysOfMissingEntriesStayAsTheyAre) {
    ProfileText text = ProfileFromBytes("[Recent file list]\nFile1=/old1\nFile2=/old2\nFile3=/old3\n[Other]\nkept=1\n");
    Settings s;
    s.RecentFiles = {"/new1", "/new2"};
    WriteSettings(s, text);
    EXPECT_EQ(ProfileValue(text, "Recent file list", "File1"), "/new1");
    EXPECT_EQ(ProfileValue(text, "Recent file list", "File2"), "/new2");
    EXPECT_EQ(ProfileValue(text, "Recent file list", "File3"), "/old3");
    EXPECT_EQ(ProfileValue(text, "Other", "kept"), "1");
}

TEST(SettingsOfTheDesign, GoInAndComeBack) {
    Settings s;
    s.AutoPairing = false;
    s.HzUnits = false;
    s.Criteria.UseQ = true;
    s.Characteristics.RTolerance = 5;
    s.Options.AllCapsStandard = true;
    Design design;
    ApplySettings(s, design);
    EXPECT_FALSE(design.State.AutoPairing);
    EXPECT_FALSE(design.State.HzUnits);
    EXPECT_TRUE(design.Stages.Criteria.UseQ);
    EXPECT_EQ(design.Characteristics.RTolerance, 5);
    EXPECT_TRUE(design.Options.AllCapsStandard);
    Settings back;
    TakeSettings(design, back);
    EXPECT_EQ(Written(back), Written(s));
}

// ---- Files that are no settings files ---------------------------------------------------

struct BadFile {
    const char* name;
    std::string bytes;
};

void PrintTo(const BadFile& f, std::ostream* os) { *os << f.name; }

std::string RandomBytes(std::size_t size) {
    std::mt19937 random(15);
    std::string bytes(size, '\0');
    for (char& b : bytes) b = static_cast<char>(random() & 0xFF);
    return bytes;
}

std::string ManyKeys(int count) {
    std::string text = "[Component Characteristics]\n";
    for (int i = 0; i < count; ++i) text += "Key" + std::to_string(i) + "=" + std::to_string(i) + "\n";
    return text + "RTolerance=5\n";
}

std::string LongLine() {
    return "[Component Characteristics]\nNoise=" + std::string(1 << 20, '7') + "\n" + std::string(1 << 20, '[') +
           "\nRTolerance=5\n";
}

class BadSettingsFiles : public ::testing::TestWithParam<BadFile> {};

// Whatever the file holds, every key reads as a value its rule accepts, and writing the
// settings back gives a text that reads as what was written.
TEST_P(BadSettingsFiles, ReadAsFarAsTheyMakeSenseAndTakeTheSettingsBack) {
    ScratchDirectory dir;
    const fs::path file = dir / kSettingsFileName;
    WriteWholeFile(file, GetParam().bytes);
    const auto started = std::chrono::steady_clock::now();
    SettingsFileText read = ReadSettingsFile(file);
    ASSERT_FALSE(read.problem);
    const Settings s = ReadSettings(read.text);
    EXPECT_GE(s.Characteristics.RTolerance, 0.1L);
    EXPECT_LE(s.Characteristics.RTolerance, 20);
    EXPECT_GE(s.Characteristics.OpTolerance, 10);
    EXPECT_NE(s.Characteristics.Noise, 0);
    WriteSettings(s, read.text);
    ASSERT_FALSE(WriteSettingsFile(file, read.text));
    EXPECT_EQ(Written(ReadSettings(ReadSettingsFile(file).text)), Written(s));
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(20));
}

INSTANTIATE_TEST_SUITE_P(Files, BadSettingsFiles,
                         ::testing::Values(BadFile{"random bytes", RandomBytes(64 << 10)}, BadFile{"empty", ""},
                                           BadFile{"ten thousand keys", ManyKeys(10000)},
                                           BadFile{"a line of one megabyte", LongLine()}),
                         testing_support::PrintedName());

TEST(BadSettingsFiles, KeysAfterManyOthersAndAfterAVeryLongLineAreRead) {
    EXPECT_EQ(Read(ManyKeys(10000)).Characteristics.RTolerance, 5);
    const Settings s = Read(LongLine());
    EXPECT_EQ(s.Characteristics.RTolerance, 5);
    EXPECT_EQ(s.Characteristics.Noise, 12);  // a number of a million digits is no number here
}

TEST(BadSettingsFiles, ADirectoryIsNotRead) {
    ScratchDirectory dir;
    const fs::path file = dir / kSettingsFileName;
    fs::create_directory(file);
    const SettingsFileText read = ReadSettingsFile(file);
    ASSERT_TRUE(read.problem);
    EXPECT_EQ(*read.problem, "not a regular file");
    EXPECT_TRUE(read.text.lines.empty());
    EXPECT_TRUE(WriteSettingsFile(file, read.text));
}

TEST(SettingsFile, AMissingFileReadsAsEmpty) {
    ScratchDirectory dir;
    const SettingsFileText read = ReadSettingsFile(dir / "none.ini");
    EXPECT_FALSE(read.problem);
    EXPECT_TRUE(read.text.lines.empty());
}

}  // namespace
}  // namespace tavrel
