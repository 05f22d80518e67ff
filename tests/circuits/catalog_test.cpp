#include <gtest/gtest.h>

#include <map>
#include <set>

#include "circuits/catalog/circuit_catalog.h"
#include "circuits/catalog/circuit_definition.h"
#include "circuits/catalog/circuit_descriptors.h"
#include "circuits/catalog/ease_of_tuning.h"
#include "circuits/catalog/topology.h"
#include "stages/stage_record.h"

namespace tavrel {
namespace {

int CountOf(const std::vector<TemplateElement>& elements, char kind) {
    int n = 0;
    for (const TemplateElement& e : elements) n += e.kind == kind;
    return n;
}

TEST(CircuitCatalog, HoldsSeventyOneCircuitsNumberedByTypeBaseAndIndex) {
    ASSERT_EQ(Circuits().size(), 71u);
    const std::map<int, int> perType{{0, 3}, {1, 4}, {2, 13}, {3, 10}, {4, 13}, {5, 10}, {6, 9}, {7, 9}};
    std::map<int, int> seen;
    for (const CircuitDefinition& row : Circuits()) {
        EXPECT_EQ(row.circuitNo, CircuitNumber(row.stageType, row.circuitIndex)) << row.name;
        EXPECT_EQ(row.circuitIndex, ++seen[row.stageType]) << row.name;
        EXPECT_EQ(FindCircuit(row.stageType, row.circuitIndex), &row);
    }
    for (auto [type, count] : perType) {
        EXPECT_EQ(seen[type], count);
        EXPECT_EQ(CircuitsOfType(type), count);
    }
}

TEST(CircuitCatalog, NumbersBetweenTheRangesHaveNoCircuit) {
    for (int no : {0, 4, 5, 10, 24, 25, 36, 40, 54, 55, 66, 70, 80, 85, 95})
        EXPECT_EQ(FindCircuit(no), nullptr) << no;
    EXPECT_EQ(FindCircuit(StageCode::FLP, 4), nullptr);
    EXPECT_EQ(FindCircuit(8, 1), nullptr);
}

TEST(CircuitCatalog, TwoNamesEndInOneBlank) {
    EXPECT_EQ(std::string(FindCircuit(15)->name), "Fliege Second Order Lowpass ");
    EXPECT_EQ(std::string(FindCircuit(23)->name), "Akerberg-Mossberg (AM) Second Order Lowpass ");
    EXPECT_EQ(std::string(FindCircuit(56)->name), "Friend's Single Amplifier Biquad (SAB) Second Order Lowpass Notch");
}

// Every circuit has one of the five codes, and no number outside the catalog has one. A few
// rows read off the table: the first and last of its runs and the odd ones between.
TEST(CircuitCatalog, EveryCircuitHasAnEaseOfTuning) {
    const std::set<std::string> codes{"EX", "GO", "FA", "PO", "NR"};
    for (const CircuitDefinition& row : Circuits()) {
        EXPECT_TRUE(codes.count(row.easeOfTuning)) << row.circuitNo;
        EXPECT_FALSE(EaseOfTuningText(row.easeOfTuning).empty()) << row.circuitNo;
    }
    for (int no = 0; no <= 100; ++no) {
        if (FindCircuit(no) == nullptr) {
            EXPECT_STREQ(EaseOfTuningCode(no), "") << no;
        }
    }
    const std::map<int, std::string> read{{1, "EX"},  {9, "EX"},  {11, "FA"}, {14, "FA"}, {16, "PO"},
                                          {30, "GO"}, {47, "GO"}, {56, "NR"}, {59, "PO"}, {60, "FA"},
                                          {71, "NR"}, {73, "PO"}, {79, "EX"}, {86, "NR"}, {94, "NR"}};
    for (const auto& [no, code] : read) EXPECT_EQ(FindCircuit(no)->easeOfTuning, code) << no;
    EXPECT_EQ(EaseOfTuningText("NR"), "Not Recommended");
    EXPECT_EQ(EaseOfTuningText("GO"), "Good");
}

// The counts of the catalog columns, of the descriptor fields and of the template's element
// lines are three statements of one fact.
TEST(CircuitCatalog, DescriptorCountsAgreeWithColumnsAndTemplates) {
    for (const CircuitDefinition& row : Circuits()) {
        SCOPED_TRACE(row.name);
        ASSERT_EQ(std::string(row.calcDescriptor).size(), 36u);
        ASSERT_EQ(std::string(row.adjustDescriptor).size(), 35u);
        const CalcDescriptor d = ParseCalcDescriptor(row.calcDescriptor);
        EXPECT_EQ(d.resistorCount, row.resistorCount);
        EXPECT_EQ(d.capacitorCount, row.capacitorCount);
        EXPECT_EQ(d.opAmpCount, row.opAmpCount);
        const auto lines = FindTemplate(TemplateLibrary::Plain, TemplateKey(row.stageType, row.circuitIndex));
        ASSERT_TRUE(lines.has_value());
        const auto elements = TemplateElements(*lines);
        EXPECT_EQ(CountOf(elements, 'R'), row.resistorCount);
        EXPECT_EQ(CountOf(elements, 'C'), row.capacitorCount);
        EXPECT_EQ(CountOf(elements, 'X'), row.opAmpCount);
        const AdjustDescriptor a = ParseAdjustDescriptor(row.adjustDescriptor);
        EXPECT_NE(a.field1, 0);
        EXPECT_GE(a.heldCount, 1);
        EXPECT_LE(a.heldCount, 4);
        for (int k = 0; k < a.heldCount; ++k) {
            EXPECT_GE(a.resistors[static_cast<size_t>(k)], 1);
            EXPECT_LE(a.resistors[static_cast<size_t>(k)], row.resistorCount);
        }
    }
}

// Each circuit's definition gathers its facts from every table once: the parsed descriptors,
// the routine, the coefficient row and both topologies.
TEST(CircuitDefinition, GathersEveryTableOfTheCircuit) {
    EXPECT_EQ(CatalogRows().size(), Circuits().size());
    for (const CircuitDefinition& circuit : Circuits()) {
        SCOPED_TRACE(circuit.name);
        EXPECT_NE(circuit.design, nullptr);
        EXPECT_EQ(circuit.plain.topology.key, TemplateKey(circuit.stageType, circuit.circuitIndex));
        EXPECT_EQ(circuit.plain.topology.resistorCount, circuit.resistorCount);
        EXPECT_EQ(circuit.plain.topology.opAmpCount, circuit.opAmpCount);
        EXPECT_EQ(circuit.compensated.has_value(), circuit.calc.compVariant != 0);
        EXPECT_EQ(circuit.plain.schematicScript.size(), 8u);
        if (circuit.compensated) {
            EXPECT_EQ(circuit.compensated->schematicScript.size(), 8u);
        }
        EXPECT_EQ(circuit.calc.resistorCount, ParseCalcDescriptor(circuit.calcDescriptor).resistorCount);
        EXPECT_EQ(circuit.adjust.heldCount, ParseAdjustDescriptor(circuit.adjustDescriptor).heldCount);
        EXPECT_EQ(circuit.thirdOrder, circuit.calc.twinT && !IsFirstOrderStage(circuit.stageType));
        EXPECT_EQ(circuit.Order(), IsFirstOrderStage(circuit.stageType) ? 1 : circuit.thirdOrder ? 3 : 2);
        ASSERT_FALSE(circuit.listedResistors.empty());
        for (int r : circuit.listedResistors) EXPECT_TRUE(r >= 1 && r <= circuit.resistorCount) << r;
    }
    EXPECT_EQ(ResistorListText(*FindCircuit(11)), "02,01,02");
    EXPECT_EQ(ResistorListText(*FindCircuit(22)), "05,05,06,07,08,09");
}

TEST(CircuitCatalog, CompensatedVariantsAreNumberedInCatalogOrder) {
    const std::vector<int> expected{11, 12, 13, 14, 16, 26, 27, 28, 41, 42, 43, 44, 45, 56, 58, 71};
    std::vector<int> found;
    for (const CircuitDefinition& row : Circuits()) {
        const CalcDescriptor d = ParseCalcDescriptor(row.calcDescriptor);
        EXPECT_EQ(d.hasCompVariant, d.compVariant != 0) << row.name;
        if (d.compVariant == 0) continue;
        found.push_back(row.circuitNo);
        EXPECT_EQ(d.compVariant, static_cast<int>(found.size())) << row.name;
    }
    EXPECT_EQ(found, expected);
}

TEST(CircuitCatalog, DescriptorFieldsParseAtTheirPositions) {
    const CalcDescriptor mfb = ParseCalcDescriptor(FindCircuit(13)->calcDescriptor);
    EXPECT_EQ(mfb.capRatio, 100);
    EXPECT_TRUE(mfb.inverting);
    EXPECT_TRUE(mfb.hasCompVariant);
    EXPECT_EQ(mfb.compVariant, 3);
    const CalcDescriptor sk2 = ParseCalcDescriptor(FindCircuit(12)->calcDescriptor);
    EXPECT_TRUE(sk2.c2Adjustable);
    EXPECT_EQ(sk2.capRatio, 10);
    EXPECT_TRUE(sk2.gainPair);
    EXPECT_TRUE(sk2.c2VariableOption);
    EXPECT_TRUE(sk2.gainForced);
    EXPECT_FALSE(ParseCalcDescriptor(FindCircuit(14)->calcDescriptor).gainForced);
    const CalcDescriptor twinT = ParseCalcDescriptor(FindCircuit(60)->calcDescriptor);
    EXPECT_EQ(twinT.capRatio, 2);
    EXPECT_TRUE(twinT.twinT);
    EXPECT_EQ(twinT.capacitorCount, 4);
    const AdjustDescriptor sab = ParseAdjustDescriptor(FindCircuit(56)->adjustDescriptor);
    EXPECT_EQ(sab.heldCount, 4);
    EXPECT_EQ(sab.resistors, (std::array<int, 5>{1, 2, 4, 5, 0}));
    EXPECT_EQ(sab.extraParameters, (std::array<int, 3>{4, 7, 0}));
    EXPECT_FALSE(sab.keepCapRatio);
    EXPECT_TRUE(ParseAdjustDescriptor(FindCircuit(74)->adjustDescriptor).keepCapRatio);
    EXPECT_FALSE(ParseAdjustDescriptor(FindCircuit(12)->adjustDescriptor).keepCapRatio);
    EXPECT_EQ(ParseAdjustDescriptor(FindCircuit(12)->adjustDescriptor).flag34, '1');
    EXPECT_EQ(ParseAdjustDescriptor(FindCircuit(16)->adjustDescriptor).field2, 1);
}

}  // namespace
}  // namespace tavrel
