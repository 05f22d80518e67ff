#include <gtest/gtest.h>

#include "circuits/equations/buildable_values.h"
#include "support/case_name.h"

namespace tavrel {
namespace {

// One value just inside or just outside the ranges a stage can be built from: 0.1 ohm to
// 1 Gohm and 0.1 pF to 1 F.
struct BuildableCase {
    const char* name;
    long double r, c;
    bool buildable;
};

void PrintTo(const BuildableCase& c, std::ostream* os) { *os << c.name; }

class Buildable : public ::testing::TestWithParam<BuildableCase> {};

TEST_P(Buildable, EveryValueWithinTheRanges) {
    StageCircuitRecord record;
    record.ResistorCount = 3;
    record.CapacitorCount = 2;
    for (ComponentEntry& e : record.Resistors) e.Value = 10000;
    for (ComponentEntry& e : record.Capacitors) e.Value = 10e-9L;
    record.Resistors[2].Value = GetParam().r;
    record.Capacitors[1].Value = GetParam().c;
    EXPECT_EQ(HasBuildableValues(record), GetParam().buildable);
}

INSTANTIATE_TEST_SUITE_P(
    Limits, Buildable,
    ::testing::Values(BuildableCase{"typical", 4700, 1e-9L, true}, BuildableCase{"R 0.1001 ohm", 0.1001L, 1e-9L, true},
                      BuildableCase{"R 0.0999 ohm", 0.0999L, 1e-9L, false},
                      BuildableCase{"R 0.999 Gohm", 0.999e9L, 1e-9L, true},
                      BuildableCase{"R 1.001 Gohm", 1.001e9L, 1e-9L, false}, BuildableCase{"R zero", 0, 1e-9L, false},
                      BuildableCase{"C 0.1001 pF", 4700, 0.1001e-12L, true},
                      BuildableCase{"C 0.0999 pF", 4700, 0.0999e-12L, false},
                      BuildableCase{"C 0.999 F", 4700, 0.999L, true}, BuildableCase{"C 40000 F", 4700, 4e4L, false}),
    testing_support::PrintedName());

// Slots beyond the counts hold no component of this circuit and are not looked at.
TEST(Buildable, OnlyTheCircuitsOwnComponentsCount) {
    StageCircuitRecord record;
    record.ResistorCount = 2;
    record.CapacitorCount = 1;
    record.Resistors[0].Value = record.Resistors[1].Value = 1000;
    record.Capacitors[0].Value = 1e-9L;
    EXPECT_TRUE(HasBuildableValues(record));
    record.ResistorCount = 3;
    EXPECT_FALSE(HasBuildableValues(record));
}

}  // namespace
}  // namespace tavrel
