#include "draw/engineering_units.h"

#include <gtest/gtest.h>

#include <ostream>

#include "support/case_name.h"

namespace tavrel::draw {
namespace {

struct UnitCase {
    double value;
    bool time, hz;
    double scale;
    const char* name;
};
void PrintTo(const UnitCase& c, std::ostream* os) {
    *os << c.value << (c.time ? " s" : c.hz ? " Hz" : " rad per s");
}

class EngineeringUnitTest : public ::testing::TestWithParam<UnitCase> {};

TEST_P(EngineeringUnitTest, PrefixPutsTheValueBetweenOneAndAThousand) {
    const UnitCase& c = GetParam();
    const ScaledUnit unit = c.time ? TimeUnit(c.value) : FrequencyUnit(c.value, c.hz);
    EXPECT_EQ(unit.scale, c.scale);
    EXPECT_EQ(unit.name.toStdString(), c.name);
}

INSTANTIATE_TEST_SUITE_P(
    Values, EngineeringUnitTest,
    ::testing::Values(UnitCase{4.2e-3, true, false, 1e-3, "ms"}, UnitCase{2, true, false, 1, "s"},
                      UnitCase{0.8, true, false, 1e-3, "ms"}, UnitCase{3.5e-5, true, false, 1e-6, "us"},
                      UnitCase{1e-3, true, false, 1e-3, "ms"}, UnitCase{2e-10, true, false, 1e-9, "ns"},
                      UnitCase{12566, false, false, 1e3, "krad/s"}, UnitCase{999, false, true, 1, "Hz"},
                      UnitCase{2e6, false, true, 1e6, "MHz"}, UnitCase{0.5, false, true, 1, "Hz"},
                      UnitCase{-3000, false, true, 1e3, "kHz"}),
    tavrel::testing_support::PrintedName());

}  // namespace
}  // namespace tavrel::draw
