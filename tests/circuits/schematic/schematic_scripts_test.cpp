#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "circuits/schematic/schematic_connectivity.h"
#include "circuits/schematic/schematic_interpreter.h"
#include "circuits/schematic/schematic_layout_check.h"
#include "circuits/schematic/schematic_scripts.h"
#include "circuits/catalog/template_library_text.h"
#include "template_netlists.h"

namespace tavrel::schematic {
namespace {

using testing::CircuitDifference;
using testing::ReadTemplateLibrary;
using testing::TemplateNetlist;

std::vector<std::string> Numbered(const std::string& type, int count) {
    std::vector<std::string> codes;
    for (int i = 1; i <= count; ++i) codes.push_back(type + (i < 10 ? "0" : "") + std::to_string(i));
    return codes;
}

std::vector<std::string> Joined(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

// The circuits of each list in the order the list holds them: catalog order for the
// plain circuits, variant-number order for the compensated ones.
const std::map<ScriptSet, std::vector<std::string>>& ExpectedTitles() {
    static const std::map<ScriptSet, std::vector<std::string>> titles{
        {ScriptSet::AllPole, Joined({Numbered("FLP", 3), Numbered("FHP", 4), Numbered("SLP", 13), Numbered("SHP", 10),
                                     Numbered("SBP", 13)})},
        {ScriptSet::Notch, Joined({Numbered("SLPN", 10), Numbered("SHPN", 9), Numbered("SN", 9)})},
        {ScriptSet::Compensated, {"SLP01", "SLP02", "SLP03", "SLP04", "SLP06", "SHP01", "SHP02", "SHP03", "SBP01",
                                  "SBP02", "SBP03", "SBP04", "SBP05", "SLPN01", "SLPN03", "SHPN01"}},
    };
    return titles;
}

TEST(SchematicScriptLists, HoldTitleAndEightLinesOfTenTokensPerCircuitInOrder) {
    for (const auto& [set, titles] : ExpectedTitles()) {
        const std::vector<std::string>& lines = ScriptSetLines(set);
        ASSERT_EQ(lines.size(), titles.size() * (kScriptTokenLines + 1));
        for (size_t c = 0; c < titles.size(); ++c) {
            const size_t title = c * (kScriptTokenLines + 1);
            EXPECT_EQ(lines[title], titles[c]);
            for (int l = 1; l <= kScriptTokenLines; ++l) {
                const std::string& line = lines[title + l];
                ASSERT_EQ(line.size(), 59u) << titles[c] << " line " << l;
                for (size_t blank = 5; blank < line.size(); blank += 6) {
                    EXPECT_EQ(line[blank], ' ') << titles[c] << " line " << l << ": " << line;
                }
            }
        }
    }
}

struct ScriptCase {
    std::string code;
    bool compensated = false;
};

void PrintTo(const ScriptCase& c, std::ostream* out) { *out << c.code << (c.compensated ? " compensated" : ""); }

std::vector<ScriptCase> AllScripts() {
    std::vector<ScriptCase> cases;
    for (const auto& [set, titles] : ExpectedTitles()) {
        for (const std::string& code : titles) cases.push_back({code, set == ScriptSet::Compensated});
    }
    return cases;
}

const TemplateNetlist& TemplateOf(const ScriptCase& c) {
    static const auto plain = ReadTemplateLibrary(PlainTemplateLibraryText());
    static const auto compensated = ReadTemplateLibrary(CompensatedTemplateLibraryText());
    return (c.compensated ? compensated : plain).at(c.code);
}

class SchematicScript : public ::testing::TestWithParam<ScriptCase> {
protected:
    SchematicDrawing Drawing() const {
        const std::vector<std::string> lines = StageSchematicScript(GetParam().code, GetParam().compensated);
        EXPECT_EQ(lines.size(), static_cast<size_t>(kScriptTokenLines));
        return InterpretSchematicScript(lines);
    }
};

TEST_P(SchematicScript, RunsWithoutProblems) {
    for (const ScriptProblem& p : Drawing().problems) {
        ADD_FAILURE() << "line " << p.line << " token " << p.token << " \"" << p.text << "\": " << p.reason;
    }
}

TEST_P(SchematicScript, DrawsItsTemplateCircuit) {
    EXPECT_EQ(CircuitDifference(TraceCircuit(Drawing()), TemplateOf(GetParam())), "");
}

TEST_P(SchematicScript, IsDrawnCleanly) {
    for (const std::string& fault : SchematicLayoutFaults(Drawing())) ADD_FAILURE() << fault;
}

// Compensation additions are drawn in blue and nothing else is: the added op amps and the
// two added resistors where the variant has them.
TEST_P(SchematicScript, DrawsOnlyTheCompensationInBlue) {
    const SchematicDrawing d = Drawing();
    for (const SchematicSymbol& s : d.symbols) {
        const bool blue = s.colour == PenColour::Blue;
        if (!GetParam().compensated) {
            EXPECT_FALSE(blue) << "symbol " << s.number;
            continue;
        }
        if (s.kind == SymbolKind::Capacitor) {
            EXPECT_FALSE(blue) << "C" << s.number;
        } else if (s.kind == SymbolKind::OpAmp) {
            EXPECT_EQ(blue, s.number % 2 == 0) << "op amp " << s.number;
        }
    }
    if (!GetParam().compensated) return;
    const auto resistors = [](const TemplateNetlist& n) {
        return std::count_if(n.begin(), n.end(), [](const auto& element) { return element.first[0] == 'R'; });
    };
    const long plainResistors = resistors(TemplateOf({GetParam().code, false}));
    for (const SchematicSymbol& s : d.symbols) {
        if (s.kind == SymbolKind::Resistor) {
            EXPECT_EQ(s.colour == PenColour::Blue, s.number > plainResistors) << "R" << s.number;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AllCircuits, SchematicScript, ::testing::ValuesIn(AllScripts()),
                         [](const ::testing::TestParamInfo<ScriptCase>& info) {
                             return info.param.code + (info.param.compensated ? "_compensated" : "");
                         });

}  // namespace
}  // namespace tavrel::schematic
