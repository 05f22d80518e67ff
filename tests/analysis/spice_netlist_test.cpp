#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "analysis/spice_format.h"
#include "analysis/spice_netlist.h"
#include "stages/stage_record.h"

namespace tavrel {
namespace {

SpiceStage SallenKey(long double gbw = 1e6L, long double noise = 12) {
    SpiceStage s;
    s.circuit = FindCircuit(11);
    s.values.R[1] = 10000, s.values.R[2] = 12345.6L;
    s.values.C[1] = 10e-9L, s.values.C[2] = 2.2e-9L;
    s.gbwHz = gbw;
    s.noise = noise;
    return s;
}

std::vector<std::string> Golden(const std::string& name) {
    std::ifstream in(std::string(TAVREL_FIXTURES) + "/netlists/" + name);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

TEST(SpiceNetlist, OneSallenKeyStageWithIdealOpAmps) {
    EXPECT_EQ(SpiceNetlistLines({SallenKey()}, SpiceOptions{}), Golden("sallen_key_ideal.cir"));
}

TEST(SpiceNetlist, SinglePoleModelsAreSharedByEqualGbw) {
    SpiceOptions o;
    o.opAmpModel = SpiceOpAmp::SinglePole;
    o.printTable = o.plot = true;
    o.monteCarlo = true;
    o.monteCarloRuns = 5;
    o.resistorTolerance = "2%";
    o.capacitorTolerance = "10%";
    SpiceStage third = SallenKey(2e6L, 0.5L);
    third.values.R[1] = 1.5e6L, third.values.R[2] = 0;  // 1.5 megohm, and a resistor of value 0 left out
    EXPECT_EQ(SpiceNetlistLines({SallenKey(2e6L, 12), SallenKey(5e6L, 12), third}, o), Golden("three_stages_genop.cir"));
}

TEST(SpiceNetlist, NgspiceForm) {
    SpiceOptions o;
    o.dialect = SpiceDialect::Ngspice;
    o.printTable = true;
    o.monteCarlo = true;
    o.monteCarloRuns = 3;
    EXPECT_EQ(SpiceNetlistLines({SallenKey()}, o), Golden("sallen_key_ngspice.cir"));
}

TEST(SpiceNetlist, NoiseResistorAndItsLimits) {
    SpiceOptions o;
    o.opAmpModel = SpiceOpAmp::SinglePole;
    const auto lines = SpiceNetlistLines({SallenKey(1e6L, 12)}, o);
    EXPECT_EQ(lines[2], "       R1 3 4 RMODEL 9K");
    EXPECT_EQ(SpiceNetlistLines({SallenKey(1e6L, 0.5L)}, o)[2], "       R1 3 4 RMODEL 100");
    EXPECT_EQ(SpiceNetlistLines({SallenKey(1e6L, 10000)}, o)[2], "       R1 3 4 RMODEL 1MEG");
}

TEST(SpiceNetlist, TenthStageNamesAndNodes) {
    std::vector<SpiceStage> stages(10, SallenKey());
    const auto lines = SpiceNetlistLines(stages, SpiceOptions{});
    EXPECT_NE(std::find(lines.begin(), lines.end(), ".SUBCKT SLP10 1 2"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), ".ENDS SLP10"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "X10 10 11 SLP10"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), ".PROBE V(11)"), lines.end());
}

TEST(SpiceNetlist, NoOutputLinesWhenNoneIsChosen) {
    SpiceOptions o;
    o.probe = false;
    for (const std::string& line : SpiceNetlistLines({SallenKey()}, o)) {
        EXPECT_NE(line.rfind(".PROBE", 0), 0u);
        EXPECT_NE(line.rfind(".PRINT", 0), 0u);
        EXPECT_NE(line.rfind(".PLOT", 0), 0u);
    }
}

TEST(SpiceNetlist, CompensatedStageUsesTheSecondLibrary) {
    SpiceStage s = SallenKey();
    s.compensated = true;
    const auto lines = SpiceNetlistLines({s}, SpiceOptions{});
    EXPECT_NE(std::find(lines.begin(), lines.end(), "       XA1 4 5 2 IDEALOP"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "       XA2 2 5 5 IDEALOP"), lines.end());
}

TEST(SpiceNetlist, ElementValuesUseFiveDigitsAndSpiceSuffixes) {
    EXPECT_EQ(SpiceResistance(12345), "12.345K");
    EXPECT_EQ(SpiceResistance(2.2e6L), "2.2MEG");
    EXPECT_EQ(SpiceResistance(4.7e9L), "4.7G");
    EXPECT_EQ(SpiceCapacitance(4.7e-9L), "4.7nF");
    EXPECT_EQ(SpiceCapacitance(1.23456e-7L), "123.46nF");
    EXPECT_EQ(SpiceFrequency(1000), "1.00000E+3");
}

}  // namespace
}  // namespace tavrel
