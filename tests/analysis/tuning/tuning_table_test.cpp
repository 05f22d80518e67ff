#include <gtest/gtest.h>

#include <ostream>
#include <stdexcept>
#include <string>

#include "circuits/catalog/circuit_definition.h"
#include "circuits/catalog/tuning_table.h"
#include "support/case_name.h"

namespace tavrel {
namespace {

struct EntryCase {
    const char* entry;
    const char* steps;  // "component parameter" pairs joined by the link's digit
};

void PrintTo(const EntryCase& c, std::ostream* os) { *os << c.entry; }

const char* ParameterCode(TunedParameter p) {
    switch (p) {
        case TunedParameter::Corner: return "";
        case TunedParameter::PoleFrequency: return "WP";
        case TunedParameter::PoleQ: return "QP";
        case TunedParameter::ZeroFrequency: return "WZ";
        case TunedParameter::ZeroQ: return "QZ";
    }
    return "?";
}

std::string Written(const TuningSequence& s) {
    std::string text = s.rating + ":";
    for (size_t i = 0; i < s.steps.size(); ++i) {
        text += s.steps[i].component + ParameterCode(s.steps[i].parameter);
        if (i < s.links.size()) text += std::to_string(static_cast<int>(s.links[i]));
    }
    return text;
}

class TuningEntries : public ::testing::TestWithParam<EntryCase> {};

TEST_P(TuningEntries, AreTakenApartIntoStepsAndLinks) {
    EXPECT_EQ(Written(ParseTuningEntry(GetParam().entry)), GetParam().steps);
}

INSTANTIATE_TEST_SUITE_P(Entries, TuningEntries,
                         ::testing::Values(EntryCase{"EX R1", "EX:R1"}, EntryCase{"FA C2QP01 R1WP", "FA:C2QP1R1WP"},
                                           EntryCase{"GO R1WP00 R4QP{SLP07}", "GO:R1WP0R4QP"},
                                           EntryCase{"EX R1WP00 R4QP00 R7WZ00 XXXX", "EX:R1WP0R4QP0R7WZ"},
                                           EntryCase{"FA R3QZ02 R1WP02 C3WZ00 R4QP", "FA:R3QZ2R1WP2C3WZ0R4QP"},
                                           EntryCase{"NR", "NR:"}),
                         testing_support::PrintedName());

TEST(TuningEntries, MalformedEntriesAreFaultsOfTheTable) {
    for (const char* entry : {"XX R1", "GO R1WP03 R4QP", "GO R1WP00", "NR R1", "GO R1XX00 R4QP", "GO X1WP00 R4QP", "EX"})
        EXPECT_THROW(ParseTuningEntry(entry), std::logic_error) << entry;
}

// Every circuit's entry names components the circuit has and parameters its type has, in the
// number of steps its order needs; its rating is the circuit's ease of tuning.
TEST(TuningEntries, EveryCircuitsEntryFitsTheCircuit) {
    int entries = 0;
    for (const CircuitDefinition& circuit : Circuits()) {
        SCOPED_TRACE(circuit.Code());
        const TuningSequence s = ParseTuningEntry(circuit.tuningEntry);
        ++entries;
        EXPECT_EQ(s.rating, circuit.easeOfTuning);
        if (s.rating == "NR") continue;
        const bool notch = IsNotchStage(circuit.stageType);
        // Circuits 06 and 07 of the notch types have no zero-Q trimmer: their fourth step is absent.
        const bool absentStep = std::string(circuit.tuningEntry).find("XXXX") != std::string::npos;
        EXPECT_EQ(s.steps.size(), circuit.Order() == 1 ? 1u : notch ? (absentStep ? 3u : 4u) : 2u) << circuit.tuningEntry;
        for (const TuningStep& step : s.steps) {
            const int n = step.component[1] - '0';
            EXPECT_LE(n, step.component[0] == 'R' ? circuit.resistorCount : circuit.capacitorCount) << step.component;
            const bool zeroParameter =
                step.parameter == TunedParameter::ZeroFrequency || step.parameter == TunedParameter::ZeroQ;
            EXPECT_TRUE(!zeroParameter || notch);
            EXPECT_EQ(step.parameter == TunedParameter::Corner, circuit.Order() == 1);
        }
    }
    EXPECT_EQ(entries, 71);
}

}  // namespace
}  // namespace tavrel
