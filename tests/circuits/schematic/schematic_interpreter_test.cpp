#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "circuits/schematic/schematic_connectivity.h"
#include "circuits/schematic/schematic_interpreter.h"
#include "circuits/schematic/schematic_scripts.h"
#include "circuits/catalog/template_library_text.h"
#include "template_netlists.h"

namespace tavrel::schematic {
namespace {

using testing::CircuitDifference;
using testing::ReadTemplateLibrary;

const std::string kPadding = "XXXXX XXXXX XXXXX XXXXX XXXXX XXXXX XXXXX XXXXX XXXXX XXXXX";

// The script of the first-order lowpass I as the program's circuit list gives it: the
// input terminal, R1, the op amp and its output terminal, C1 to ground, the feedback.
const std::vector<std::string> kFirstOrderLowpass{
    "M1712 D2212 RHRU1 D3912 OURUX D5113 T5113 LRV o T1712 LLV i",
    "J3112 D3117 CVDL1 GXXXX M3914 D3614 D3619 D4719 D4713 XXXXX",
    "J4713 XXXXX XXXXX XXXXX XXXXX XXXXX XXXXX XXXXX XXXXX XXXXX",
    kPadding, kPadding, kPadding, kPadding, kPadding};

const SchematicSymbol* Find(const SchematicDrawing& d, SymbolKind kind, int number) {
    for (const SchematicSymbol& s : d.symbols) {
        if (s.kind == kind && s.number == number) return &s;
    }
    return nullptr;
}

using Points = std::vector<GridPoint>;

TEST(SchematicInterpreter, FirstOrderLowpassScriptDrawsItsTemplateCircuit) {
    const SchematicDrawing d = InterpretSchematicScript(kFirstOrderLowpass);
    EXPECT_TRUE(d.problems.empty());
    const auto library = ReadTemplateLibrary(PlainTemplateLibraryText());
    EXPECT_EQ(CircuitDifference(TraceCircuit(d), library.at("FLP01")), "");
    EXPECT_EQ(StageSchematicScript("FLP01", false), kFirstOrderLowpass);
}

TEST(SchematicInterpreter, FirstOrderLowpassScriptPlacesItsParts) {
    const SchematicDrawing d = InterpretSchematicScript(kFirstOrderLowpass);
    ASSERT_EQ(d.terminals.size(), 2u);
    EXPECT_EQ(d.terminals[0].at, (GridPoint{51, 13}));
    EXPECT_EQ(d.terminals[0].role, TerminalRole::Output);
    EXPECT_EQ(d.terminals[1].at, (GridPoint{17, 12}));
    EXPECT_EQ(d.terminals[1].role, TerminalRole::Input);
    ASSERT_EQ(d.labels.size(), 2u);
    EXPECT_EQ(d.labels[1].text, "V i");
    EXPECT_EQ(d.labels[1].side, Side::Left);
    ASSERT_NE(Find(d, SymbolKind::Resistor, 1), nullptr);
    EXPECT_EQ(Find(d, SymbolKind::Resistor, 1)->pins, (Points{{22, 12}, {28, 12}}));
    ASSERT_NE(Find(d, SymbolKind::OpAmp, 1), nullptr);
    EXPECT_EQ(Find(d, SymbolKind::OpAmp, 1)->pins, (Points{{39, 12}, {39, 14}, {45, 13}}));
    ASSERT_NE(Find(d, SymbolKind::Capacitor, 1), nullptr);
    EXPECT_EQ(Find(d, SymbolKind::Capacitor, 1)->pins, (Points{{31, 17}, {31, 21}}));
    ASSERT_EQ(d.grounds.size(), 1u);
    EXPECT_EQ(d.grounds[0].at, (GridPoint{31, 21}));
    EXPECT_EQ(d.junctions.size(), 2u);
}

TEST(SchematicInterpreter, ZeroAsComponentNumberDrawsComponentTen) {
    const SchematicDrawing d = InterpretSchematicScript({"M1010 RHRU0 CVDL0 XXXXX"});
    EXPECT_TRUE(d.problems.empty());
    ASSERT_EQ(d.symbols.size(), 2u);
    EXPECT_EQ(d.symbols[0].number, 10);
    EXPECT_EQ(d.symbols[1].number, 10);
    EXPECT_EQ(d.symbols[1].pins[0], (GridPoint{16, 10}));
}

TEST(SchematicInterpreter, LineOfTenXTokensDrawsNothing) {
    const SchematicDrawing d = InterpretSchematicScript({kPadding});
    EXPECT_TRUE(d.wires.empty() && d.junctions.empty() && d.terminals.empty() && d.grounds.empty() &&
                d.labels.empty() && d.symbols.empty() && d.problems.empty());
    // "X" silences a token whatever follows it.
    const SchematicDrawing silenced = InterpretSchematicScript({"XM101 XD201 XRHR1 XOURU XT101 XG000 XJ101"});
    EXPECT_TRUE(silenced.wires.empty() && silenced.symbols.empty() && silenced.terminals.empty() &&
                silenced.grounds.empty() && silenced.junctions.empty() && silenced.problems.empty());
}

TEST(SchematicInterpreter, ReadsTokensAtEverySixthCharacter) {
    EXPECT_EQ(InterpretSchematicScript({"M1010 D2010"}).wires.size(), 1u);
    // Shifted by one character, the tokens read " M101" and "0 D20": nothing to draw.
    EXPECT_TRUE(InterpretSchematicScript({" M1010 D2010"}).wires.empty());
}

struct BadToken {
    std::string token;
    std::string reason;
};

class UnreadableToken : public ::testing::TestWithParam<BadToken> {};

TEST_P(UnreadableToken, IsReportedAndSkipped) {
    const SchematicDrawing d = InterpretSchematicScript({"M1010 " + GetParam().token + " D2010"});
    ASSERT_EQ(d.problems.size(), 1u);
    EXPECT_EQ(d.problems[0].token, 2);
    EXPECT_EQ(d.problems[0].text, GetParam().token);
    EXPECT_EQ(d.problems[0].reason, GetParam().reason);
    EXPECT_TRUE(d.symbols.empty());
    ASSERT_EQ(d.wires.size(), 1u);
    EXPECT_EQ(d.wires[0].from, (GridPoint{10, 10}));
}

INSTANTIATE_TEST_SUITE_P(
    Tokens, UnreadableToken,
    ::testing::Values(BadToken{"D1A10", "the grid point is not two two-digit numbers"},
                      BadToken{"RVRU1", "the orientation does not match the drawing direction"},
                      BadToken{"CHXU1", "the drawing direction is not L, R, U or D"},
                      BadToken{"RHRQ1", "the label side is not L, R, U or D"},
                      BadToken{"RHRUA", "the component number is not a digit"},
                      BadToken{"OXRUX", "the input order is neither U nor D"},
                      BadToken{"OUXUX", "the output direction is neither L nor R"},
                      BadToken{"OURXX", "the variant is neither U nor L"},
                      BadToken{"HGRUN", "the colour is neither BLCK nor BLUE"},
                      BadToken{"PXXXX", "the parameter is not a two-digit number"}),
    [](const ::testing::TestParamInfo<BadToken>& info) { return info.param.token; });

struct OpAmpCase {
    std::string token;
    Points pins;  // non-inverting input, inverting input, output
};

class OpAmpToken : public ::testing::TestWithParam<OpAmpCase> {};

TEST_P(OpAmpToken, PlacesPinsFromTheUpperInput) {
    const SchematicDrawing d = InterpretSchematicScript({"M3010 " + GetParam().token + " D5050"});
    ASSERT_EQ(d.symbols.size(), 1u);
    EXPECT_EQ(d.symbols[0].pins, GetParam().pins);
    ASSERT_EQ(d.wires.size(), 1u);
    EXPECT_EQ(d.wires[0].from, GetParam().pins[2]) << "the output becomes the current point";
}

INSTANTIATE_TEST_SUITE_P(Variants, OpAmpToken,
                         ::testing::Values(OpAmpCase{"OURUX", {{30, 10}, {30, 12}, {36, 11}}},
                                           OpAmpCase{"ODRUX", {{30, 12}, {30, 10}, {36, 11}}},
                                           OpAmpCase{"OULUX", {{30, 10}, {30, 12}, {24, 11}}},
                                           OpAmpCase{"ODLUX", {{30, 12}, {30, 10}, {24, 11}}},
                                           OpAmpCase{"OURLX", {{30, 10}, {30, 14}, {38, 12}}},
                                           OpAmpCase{"ODLLX", {{30, 14}, {30, 10}, {22, 12}}}),
                         [](const ::testing::TestParamInfo<OpAmpCase>& info) { return info.param.token.substr(0, 4); });

TEST(SchematicInterpreter, ComponentsRunTheirSpanAndTheParameterChangesIt) {
    const SchematicDrawing d = InterpretSchematicScript({"M2010 RHLD1 RVUL2 P03XX CHRU1 P00XX CVDR2"});
    ASSERT_EQ(d.symbols.size(), 4u);
    EXPECT_EQ(d.symbols[0].pins, (Points{{20, 10}, {14, 10}}));
    EXPECT_EQ(d.symbols[1].pins, (Points{{14, 10}, {14, 6}}));
    EXPECT_EQ(d.symbols[2].pins, (Points{{14, 6}, {17, 6}}));
    EXPECT_EQ(d.symbols[3].pins, (Points{{17, 6}, {17, 10}}));
}

TEST(SchematicInterpreter, PenColourAppliesToWhatFollows) {
    const SchematicDrawing d = InterpretSchematicScript({"M1010 D2010 HBLUE D3010 RHRU1 HBLCK D5010"});
    ASSERT_EQ(d.wires.size(), 3u);
    EXPECT_EQ(d.wires[0].colour, PenColour::Black);
    EXPECT_EQ(d.wires[1].colour, PenColour::Blue);
    EXPECT_EQ(d.symbols[0].colour, PenColour::Blue);
    EXPECT_EQ(d.wires[2].colour, PenColour::Black);
}

// An inverting amplifier around the composite output stage: R1 into the junction before
// the inverting input, R2 from the output junction back to it.
TEST(SchematicInterpreter, OutputStageIsAnInvertingAmplifierWithItsTerminal) {
    const SchematicDrawing d = InterpretSchematicScript({"T0412 LLV i RHRU1 Q1212 D2008 RHLU2 D1008 D1012"});
    EXPECT_TRUE(d.problems.empty());
    const DrawnCircuit c = TraceCircuit(d);
    EXPECT_TRUE(c.problems.empty());
    ASSERT_EQ(c.elements.size(), 3u);
    EXPECT_EQ(c.elements[0].name, "R1");
    EXPECT_EQ(c.elements[0].nodes, (std::vector<int>{1, 3}));
    EXPECT_EQ(c.elements[1].name, "R2");
    EXPECT_EQ(c.elements[1].nodes, (std::vector<int>{2, 3}));
    EXPECT_EQ(c.elements[2].name, "XA1");
    EXPECT_EQ(c.elements[2].nodes, (std::vector<int>{0, 3, 2}));
}

}  // namespace
}  // namespace tavrel::schematic
