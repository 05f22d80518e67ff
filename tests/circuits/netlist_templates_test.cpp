#include <gtest/gtest.h>

#include <set>

#include "circuits/catalog/circuit_definition.h"
#include "circuits/catalog/circuit_descriptors.h"
#include "circuits/catalog/topology.h"
#include "stages/stage_record.h"

namespace tavrel {
namespace {

// Keys, framing lines and element order of one library.
void CheckLibraryShape(TemplateLibrary library, size_t expectedTemplates) {
    const std::vector<std::string> lines = TemplateLibraryLines(library);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), "[END]");
    size_t templates = 0;
    for (size_t i = 0; i + 1 < lines.size(); ++i) {
        if (lines[i][0] != '[') continue;
        ++templates;
        const std::string key = lines[i];
        const auto body = FindTemplate(library, key);
        ASSERT_TRUE(body && body->size() >= 3) << key;
        const std::string type = key.substr(1, key.size() - 4);
        EXPECT_EQ(body->front(), ".SUBCKT " + type + " ") << key;
        EXPECT_EQ(body->back(), ".ENDS " + type + " ") << key;
        // Resistors R1..Rn, then capacitors C1..Cm, then the op amps, each indented.
        char previousKind = 'R';
        int expectedNumber = 1;
        for (size_t j = 1; j + 1 < body->size(); ++j) {
            const std::string& line = (*body)[j];
            EXPECT_EQ(line.substr(0, 7), "       ") << key;
            const char kind = line[7];
            if (kind != previousKind) expectedNumber = 1;
            if (kind != 'X') {
                EXPECT_EQ(line.substr(8, line.find(' ', 8) - 8), std::to_string(expectedNumber++)) << line;
            }
            EXPECT_GE(std::string("RCX").find(kind), std::string("RCX").find(previousKind)) << key;
            if (kind == 'R' || kind == 'C') {
                EXPECT_EQ(line.substr(line.size() - 7), kind == 'R' ? " RMODEL" : " CMODEL") << key;
            }
            previousKind = kind;
        }
        for (const TemplateElement& e : TemplateElements(*body)) {
            for (int n : e.nodes) EXPECT_GE(n, 0) << e.line;
        }
    }
    EXPECT_EQ(templates, expectedTemplates);
}

TEST(NetlistTemplates, PlainLibraryHasOneTemplatePerCircuit) {
    CheckLibraryShape(TemplateLibrary::Plain, 71);
    for (const CircuitDefinition& row : Circuits())
        EXPECT_TRUE(FindTemplate(TemplateLibrary::Plain, TemplateKey(row.stageType, row.circuitIndex))) << row.name;
}

TEST(NetlistTemplates, CompensatedLibraryDoublesTheOpAmps) {
    CheckLibraryShape(TemplateLibrary::Compensated, 16);
    for (const CircuitDefinition& row : Circuits()) {
        const std::string key = TemplateKey(row.stageType, row.circuitIndex);
        const auto compensated = FindTemplate(TemplateLibrary::Compensated, key);
        const bool hasVariant = ParseCalcDescriptor(row.calcDescriptor).compVariant != 0;
        EXPECT_EQ(compensated.has_value(), hasVariant) << key;
        if (!compensated) continue;
        int r = 0, c = 0, x = 0;
        for (const TemplateElement& e : TemplateElements(*compensated)) {
            r += e.kind == 'R';
            c += e.kind == 'C';
            x += e.kind == 'X';
        }
        EXPECT_EQ(x, 2 * row.opAmpCount) << key;
        EXPECT_EQ(c, row.capacitorCount) << key;
        EXPECT_TRUE(r == row.resistorCount || r == row.resistorCount + 2) << key;
    }
}

TEST(NetlistTemplates, KeysCarryTheTypeCodeAndTwoDigits) {
    EXPECT_EQ(TemplateKey(StageCode::SLP, 1), "[SLP01]");
    EXPECT_EQ(TemplateKey(StageCode::SBP, 13), "[SBP13]");
    EXPECT_EQ(TemplateKey(StageCode::SN, 9), "[SN09]");
    EXPECT_FALSE(FindTemplate(TemplateLibrary::Plain, "[SLP14]"));
    EXPECT_FALSE(FindTemplate(TemplateLibrary::Compensated, "[SLP05]"));
}

// Rows of the library as the circuit table lists them, element by element.
TEST(NetlistTemplates, TemplatesReadAsTheCircuitTable) {
    const auto sk = FindTemplate(TemplateLibrary::Plain, "[SLP01]");
    EXPECT_EQ(*sk, (std::vector<std::string>{".SUBCKT SLP ", "       R1 1 3 RMODEL", "       R2 3 4 RMODEL",
                                              "       C1 4 0 CMODEL", "       C2 2 3 CMODEL", "       XA1 4 2 2",
                                              ".ENDS SLP "}));
    const auto am = TemplateElements(*FindTemplate(TemplateLibrary::Plain, "[SLP13]"));
    ASSERT_EQ(am.size(), 11u);
    EXPECT_EQ(am[8].line, "       XA3 0 7 2");
    EXPECT_EQ(am[9].line, "       XA1 3 0 6");
    const auto sab = TemplateElements(*FindTemplate(TemplateLibrary::Compensated, "[SLPN01]"));
    ASSERT_EQ(sab.size(), 13u);
    EXPECT_EQ(sab[7].line, "       R8 6 7 RMODEL");
    EXPECT_EQ(sab[12].nodes, (std::vector<int>{7, 4, 2}));
}

}  // namespace
}  // namespace tavrel
