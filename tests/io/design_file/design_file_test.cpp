#include "io/design_file/design_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <algorithm>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>

#include "analysis/workflow.h"
#include "circuits/calculation/recalculate.h"
#include "io/design_file/expected_file.h"
#include "io/design_file/golden_designs.h"
#include "support/case_name.h"

namespace tavrel {
namespace {

using namespace design_file_testing;
using Bytes = std::vector<std::uint8_t>;

Bytes FixtureBytes(const std::string& name) {
    std::ifstream in(std::filesystem::path(TAVREL_FIXTURES) / "designs" / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::unique_ptr<Design> Opened(const Bytes& bytes) {
    auto design = std::make_unique<Design>();
    NewDesign(*design);
    const auto refused = ReadDesignBytes(bytes, *design);
    EXPECT_EQ(refused, std::nullopt);
    return design;
}

// The file holds no resistor values: the calculation window recomputes them from what the file
// keeps (capacitors, gain-pair resistors, hand-typed values) when a calculated design is opened.
std::unique_ptr<Design> Reopened(const Bytes& bytes) {
    auto design = Opened(bytes);
    if (design->State.DesignStep >= Step::ComponentsCalculated) RecalculateAll(*design, true);
    return design;
}

// Position 21 of the option string is the modified flag: written as the design has it, and
// cleared by opening, so a file saved from a modified design comes back with a "0" there.
constexpr std::size_t kModifiedFlagByte = 13 + 21;

// Where two files part, for a readable failure.
std::string FirstDifference(const Bytes& a, const Bytes& b) {
    const auto [x, y] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    if (x == a.end() && y == b.end()) return "same";
    return "first difference at offset " + std::to_string(x - a.begin()) + " of " + std::to_string(a.size()) + "/" +
           std::to_string(b.size());
}

struct GoldenCase {
    std::string name;
    std::string file;
    std::function<std::unique_ptr<Design>()> make;
    std::size_t stages;
    bool trims;
    // Built from hand-set values alone, so its bytes do not move when the calculation does.
    bool handMade;
};

void PrintTo(const GoldenCase& c, std::ostream* os) { *os << c.name; }

const GoldenCase kGoldenCases[] = {
    {"specification", "specification.tv3", SpecificationDesign, 0, false, true},
    {"stages", "stages.tv3", StagesDesign, 3, false, true},
    {"user defined", "user_defined.tv3", UserDefinedDesign, 2, false, true},
    {"components", "components.tv3", ComponentsDesign, 2, true, false},
};

class GoldenDesign : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(GoldenDesign, WrittenFieldsSitAtTheirOffsets) {
    const auto design = GetParam().make();
    const Bytes written = DesignFileBytes(*design);
    EXPECT_EQ(written.size(), 224 + 3 + 7492 + GetParam().stages * 548 + 24 + (GetParam().trims ? 847 : 0));
    EXPECT_EQ(FirstDifference(written, ExpectedFile(*design)), "same");
}

TEST_P(GoldenDesign, FileReadsToTheFieldsAtItsOffsets) {
    const Bytes file = FixtureBytes(GetParam().file);
    ASSERT_FALSE(file.empty());
    const auto opened = Reopened(file);
    Bytes expected = ExpectedFile(*opened);
    expected[kModifiedFlagByte] = file[kModifiedFlagByte];
    EXPECT_EQ(FirstDifference(file, expected), "same");
}

// Saved straight after opening, and after the calculation window has recalculated the stages.
TEST_P(GoldenDesign, SavingWhatWasOpenedGivesTheFile) {
    Bytes file = FixtureBytes(GetParam().file);
    const Bytes resaved = DesignFileBytes(*Opened(file));
    const Bytes recalculated = DesignFileBytes(*Reopened(file));
    file[kModifiedFlagByte] = '0';
    EXPECT_EQ(FirstDifference(resaved, file), "same");
    EXPECT_EQ(FirstDifference(recalculated, file), "same");
}

TEST_P(GoldenDesign, EveryShorterPrefixIsRefused) {
    const Bytes file = FixtureBytes(GetParam().file);
    auto design = std::make_unique<Design>();
    for (std::size_t length = 0; length < file.size(); ++length) {
        const auto refused = ReadDesignBytes(std::span(file).first(length), *design);
        ASSERT_EQ(refused, std::optional<std::string>(kReadBeyondEnd)) << "prefix of " << length << " bytes";
    }
}

INSTANTIATE_TEST_SUITE_P(Files, GoldenDesign, ::testing::ValuesIn(kGoldenCases), testing_support::PrintedName());

class HandMadeDesign : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(HandMadeDesign, IsWrittenAsItsGoldenFile) {
    EXPECT_EQ(FirstDifference(DesignFileBytes(*GetParam().make()), FixtureBytes(GetParam().file)), "same");
}

INSTANTIATE_TEST_SUITE_P(Files, HandMadeDesign,
                         ::testing::ValuesIn(std::vector<GoldenCase>(std::begin(kGoldenCases), std::end(kGoldenCases) - 1)),
                         testing_support::PrintedName());

TEST(DesignFile, ADesignWithoutStagesIsHeaderStepBytesBlocksAndPreferences) {
    EXPECT_EQ(FixtureBytes("specification.tv3").size(), 224u + 3 + 7492 + 24);
}

TEST(DesignFile, TheResistorTrimBlockFollowsEvenWithoutStages) {
    auto design = SpecificationDesign();
    design->WindowOptionFlags[36] = true;
    const Bytes file = DesignFileBytes(*design);
    EXPECT_EQ(file.size(), 224u + 3 + 7492 + 24 + 847);
    EXPECT_TRUE(Opened(file)->WindowOptionFlags[36]);
    EXPECT_EQ(ReadDesignBytes(std::span(file).first(file.size() - 1), *design),
              std::optional<std::string>(kReadBeyondEnd));
}

// Every field the file holds comes back as it was saved.
TEST(DesignFile, OpeningWhatWasSavedGivesTheDesign) {
    const auto saved = ComponentsDesign();
    const auto opened = Opened(DesignFileBytes(*saved));
    const DesignState& a = saved->State;
    const DesignState& b = opened->State;
    EXPECT_EQ(b.DesignStep, a.DesignStep);
    EXPECT_EQ(b.FilterKind, a.FilterKind);
    EXPECT_EQ(b.StageCount, a.StageCount);
    EXPECT_EQ(b.F1Entry, a.F1Entry);
    EXPECT_EQ(b.Wpb, a.Wpb);
    EXPECT_EQ(b.OverallGain, a.OverallGain);
    EXPECT_FALSE(b.DesignModified);
    EXPECT_FALSE(b.Recalculated);
    for (int s = 1; s <= a.StageCount; ++s) {
        SCOPED_TRACE("stage " + std::to_string(s));
        const StageCircuitRecord& x = saved->Circuit(s);
        const StageCircuitRecord& y = opened->Circuit(s);
        EXPECT_EQ(y.CircuitNo, x.CircuitNo);
        EXPECT_EQ(y.CircuitIndex, x.CircuitIndex);
        EXPECT_EQ(y.DesiredGain, x.DesiredGain);
        EXPECT_EQ(y.ActualGain, x.ActualGain);
        EXPECT_EQ(y.OpAmpGBW, x.OpAmpGBW);
        EXPECT_EQ(y.ScaleFactor, x.ScaleFactor);
        EXPECT_EQ(y.UserGain, x.UserGain);
        EXPECT_EQ(y.UserGainSet, x.UserGainSet);
        EXPECT_EQ(y.ResetValue, x.ResetValue);
        EXPECT_EQ(y.GainPair, x.GainPair);
        for (int j = 0; j < kMaxCapacitors; ++j) EXPECT_EQ(y.Capacitors[j].Value, x.Capacitors[j].Value);
        for (int r = 0; r < kMaxResistors; ++r) {
            EXPECT_EQ(y.Resistors[r].UserValue, x.Resistors[r].UserValue);
            EXPECT_EQ(y.Resistors[r].UserFixed, x.Resistors[r].UserFixed);
        }
        if (x.GainPair) {
            EXPECT_EQ(y.GainResDefault, x.Resistors[x.ResistorCount - 1].Value);
            EXPECT_EQ(y.GainRes2Default, x.Resistors[x.ResistorCount - 2].Value);
        }
        const StageRecord& p = saved->Stage(s);
        const StageRecord& q = opened->Stage(s);
        EXPECT_EQ(q.TypeName, p.TypeName);
        EXPECT_EQ(q.Wp, p.Wp);
        EXPECT_EQ(q.Qp, p.Qp);
        EXPECT_EQ(q.To, p.To);
        EXPECT_EQ(opened->UserEntries[s].Fields, saved->UserEntries[s].Fields);
        EXPECT_EQ(opened->Circuits.CapacitorSets[s].C1Decade, saved->Circuits.CapacitorSets[s].C1Decade);
        EXPECT_EQ(opened->Circuits.CapacitorSetBackup[s].CapRatio, saved->Circuits.CapacitorSets[s].CapRatio);
    }
}

// The summary of a stage is only taken from the file once circuits can have been chosen.
TEST(DesignFile, ACircuitSummaryBeforeCircuitSelectionIsNotTaken) {
    auto design = UserDefinedDesign();
    design->Circuit(1).DesiredGain = 42;
    const auto opened = Opened(DesignFileBytes(*design));
    EXPECT_EQ(opened->Circuit(1).DesiredGain, 0);
    EXPECT_EQ(opened->UserEntries[2].Fields[1], "2000");
}

TEST(DesignFile, PlaceholderFrequencyOneKilohertzInHertzComesBackAsOne) {
    const auto opened = Opened(FixtureBytes("specification.tv3"));
    EXPECT_EQ(opened->State.F1Entry, 1);
}

// Files written before the entries were kept: the entries are taken from the values the
// calculation used, in the unit of their box.
struct RepairCase {
    std::string name;
    std::function<void(Design&)> entries;
    std::function<long double(const DesignState&)> repaired;
    long double expected;
};
void PrintTo(const RepairCase& c, std::ostream* os) { *os << c.name; }

class EntryRepair : public ::testing::TestWithParam<RepairCase> {};

TEST_P(EntryRepair, TakesTheEntryFromTheCalculatedValue) {
    auto design = SpecificationDesign();
    GetParam().entries(*design);
    const auto opened = Opened(DesignFileBytes(*design));
    EXPECT_NEAR(GetParam().repaired(opened->State), GetParam().expected, 1e-9L * GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, EntryRepair,
    ::testing::Values(
        RepairCase{"passband attenuation 0", [](Design& d) { d.State.ApbEntry = 0; d.State.Apb = 0.25L; },
                   [](const DesignState& s) { return s.ApbEntry; }, 0.25L},
        RepairCase{"stopband attenuation 0", [](Design& d) { d.State.AsbEntry = 0; d.State.Asb = 55; },
                   [](const DesignState& s) { return s.AsbEntry; }, 55},
        RepairCase{"stopband 2 in krad per s", [](Design& d) { d.State.HzUnits = false; d.State.F2Entry = 2; d.State.Wsb = 4400; },
                   [](const DesignState& s) { return s.F2Entry; }, 4.4L},
        RepairCase{"center 1 in Hz", [](Design& d) { d.State.F0Entry = 1; d.State.W0 = kTwoPi * 50; },
                   [](const DesignState& s) { return s.F0Entry; }, 50},
        RepairCase{"bandpass bandwidth 0",
                   [](Design& d) { d.State.FilterKind = FilterKind::Bandpass; d.State.F1Entry = 0; d.State.Bpb = kTwoPi * 300; },
                   [](const DesignState& s) { return s.F1Entry; }, 0.3L},
        RepairCase{"bandstop bandwidth 2",
                   [](Design& d) { d.State.FilterKind = FilterKind::Bandstop; d.State.Wpb = 0; d.State.F1Entry = 2; d.State.Bpb = kTwoPi * 700; },
                   [](const DesignState& s) { return s.F1Entry; }, 0.7L}),
    testing_support::PrintedName());

// Contents no design of the program can have, each put into the components file.
struct BadField {
    std::string name;
    std::size_t offset;
    std::vector<std::uint8_t> bytes;
};
void PrintTo(const BadField& c, std::ostream* os) { *os << c.name; }

constexpr std::size_t kStage1 = kFirstStage;

class BadDesignFile : public ::testing::TestWithParam<BadField> {};

TEST_P(BadDesignFile, IsRefusedAsInvalid) {
    Bytes file = FixtureBytes("components.tv3");
    ASSERT_FALSE(file.empty());
    std::copy(GetParam().bytes.begin(), GetParam().bytes.end(), file.begin() + static_cast<std::ptrdiff_t>(GetParam().offset));
    auto design = std::make_unique<Design>();
    EXPECT_EQ(ReadDesignBytes(file, *design), std::optional<std::string>(kInvalidDesignFile));
}

INSTANTIATE_TEST_SUITE_P(
    Fields, BadDesignFile,
    ::testing::Values(BadField{"file mark", 1, {0x95}},
                      BadField{"stage count 32767", 204, {0xFF, 0x7F}},
                      BadField{"stage count -1", 204, {0xFF, 0xFF}},
                      BadField{"stage count 12", 204, {12, 0}},
                      BadField{"pole entry count 4000", 218, {0xA0, 0x0F}},
                      BadField{"zero entry count -3", 220, {0xFD, 0xFF}},
                      BadField{"chosen approximation 5", 206, {5, 0}},
                      BadField{"unit index 2", 212, {2, 0}},
                      BadField{"design step 9", 224, {9}},
                      BadField{"filter kind 5", 225, {5}},
                      BadField{"pole pair count 12", kApproxBlock + 5, {12, 0}},
                      BadField{"zero pair count -1", kApproxBlock + 314 + 7, {0xFF, 0xFF}},
                      BadField{"stage type 8", kStage1 + 129, {8}},
                      BadField{"pole entry number 12", kStage1 + 129 + 257, {12, 0}},
                      BadField{"unused circuit number 4", kStage1 + 1, {4, 0}},
                      BadField{"circuit of another stage type", kStage1 + 1, {26, 0}},
                      BadField{"circuit index beside its number", kStage1 + 3, {3, 0}},
                      BadField{"capacitor place 12", kStage1 + 436, {12, 0}},
                      BadField{"preference priority 7", kStage1 + 2 * 548 + 1, {7, 0}}),
    testing_support::PrintedName());

// A Real48 has no pattern for "not a number": every six bytes are a value (byte 0 zero is 0
// whatever follows; all ones is the largest negative value), and they are read as such.
TEST(DesignFile, EveryRealPatternIsAValue) {
    Bytes file = FixtureBytes("specification.tv3");
    std::fill_n(file.begin() + 138, 6, 0xFF);                // OverallGain
    file[54] = 0;
    std::fill_n(file.begin() + 55, 5, 0xFF);                 // Asb
    const auto opened = Opened(file);
    EXPECT_EQ(opened->State.OverallGain, -Real48::kMax);
    EXPECT_EQ(opened->State.Asb, 0);
}

TEST(DesignFile, AGainPairResistorBeyondTenMegohmsIsDropped) {
    auto design = ComponentsDesign();
    ASSERT_TRUE(design->Circuit(1).GainPair);
    const int n = design->Circuit(1).ResistorCount;
    design->Circuit(1).Resistors[n - 1].Value = 2e7L;
    design->Circuit(1).Resistors[n - 2].Value = -5;
    const auto opened = Opened(DesignFileBytes(*design));
    EXPECT_EQ(opened->Circuit(1).GainResDefault, 0);
    EXPECT_EQ(opened->Circuit(1).GainRes2Default, 0);
}

TEST(DesignFile, AnUnknownVersionIsReadAsTheCurrentLayout) {
    Bytes file = FixtureBytes("components.tv3");
    file[5 + 3] = '4';
    EXPECT_EQ(Opened(file)->Circuit(1).UserGainSet, 1);
}

TEST(DesignFile, VersionTwentyDropsTheUserGains) {
    Bytes file = FixtureBytes("components.tv3");
    file[5 + 3] = '2';
    const auto opened = Opened(file);
    EXPECT_EQ(opened->Circuit(1).UserGainSet, 0);
    EXPECT_EQ(opened->Circuit(1).UserGain, 1.25L);
}

// Version 10 had no calculation options, and one capacitor block per circuit of the stage
// type instead of the capacitor set: the entry of the stage's circuit becomes its set.
TEST(DesignFile, VersionTenTakesTheCapacitorsOfTheStagesCircuit) {
    const auto design = ComponentsDesign();
    const Bytes current = DesignFileBytes(*design);
    Bytes old(current.begin(), current.begin() + static_cast<std::ptrdiff_t>(kFirstStage));
    old[5 + 3] = '1';
    old[5 + 4] = '0';
    std::vector<std::array<long double, 4>> capacitors;
    for (int s = 1; s <= 2; ++s) {
        const std::size_t o = kFirstStage + static_cast<std::size_t>(s - 1) * 548;
        old.insert(old.end(), current.begin() + o, current.begin() + o + 43);
        old.insert(old.end(), current.begin() + o + 129, current.begin() + o + 436);
        Placer block(546);
        const int index = design->Circuit(s).CircuitIndex;
        std::array<long double, 4> values{};
        for (int k = 1; k <= 13; ++k) {
            const std::size_t e = static_cast<std::size_t>(k - 1) * 42;
            block.Int16(e, static_cast<std::int16_t>(k == index ? 5 : 9));
            block.Int32(e + 2, 10);
            block.Real(e + 12, 1.0L + k);
            for (int j = 0; j < 4; ++j) block.Real(e + 18 + j * 6, (k == index ? 1e-9L : 1e-6L) * (j + 1) * s);
        }
        for (int j = 0; j < 4; ++j) values[j] = Real48(1e-9L * (j + 1) * s);
        capacitors.push_back(values);
        old.insert(old.end(), block.bytes_.begin(), block.bytes_.end());
        old.insert(old.end(), current.begin() + o + 502, current.begin() + o + 548);
    }
    old.insert(old.end(), current.begin() + kFirstStage + 2 * 548, current.end());
    const auto opened = Opened(old);
    for (int s = 1; s <= 2; ++s) {
        SCOPED_TRACE("stage " + std::to_string(s));
        const CapacitorSet& set = opened->Circuits.CapacitorSets[s];
        EXPECT_EQ(set.C1Index, 5);
        EXPECT_EQ(set.CapRatio, 1.0L + design->Circuit(s).CircuitIndex);
        EXPECT_EQ(opened->Circuits.CapacitorSetBackup[s].C1Index, 5);
        for (int j = 0; j < 4; ++j) {
            EXPECT_EQ(opened->Circuit(s).Capacitors[j].Value, capacitors[s - 1][j]);
            EXPECT_EQ(opened->Circuit(s).Capacitors[j].PrevValue, capacitors[s - 1][j]);
        }
        EXPECT_EQ(opened->Circuit(s).DesiredGain, design->Circuit(s).DesiredGain);
        EXPECT_EQ(opened->Circuit(s).UserGainSet, 0);
    }
    EXPECT_EQ(opened->Circuit(1).Resistors[1].UserValue, 12000);
}

}  // namespace
}  // namespace tavrel
