#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "circuits/schematic/schematic_connectivity.h"
#include "circuits/schematic/schematic_interpreter.h"

namespace tavrel::schematic {
namespace {

// The nodes of an element of the traced circuit; empty when it is not drawn.
std::vector<int> NodesOf(const DrawnCircuit& c, const std::string& name) {
    for (const DrawnElement& e : c.elements) {
        if (e.name == name) return e.nodes;
    }
    return {};
}

DrawnCircuit Trace(const std::string& line, const std::string& next = "") {
    return TraceCircuit(InterpretSchematicScript({line, next}));
}

// A wire from the input terminal (5,10) to R2 and on to the output; R1 hangs from a second
// wire that meets the first at (15,10) and runs down to R1's top at (15,15).
const std::string kTee = "T0510 LLV i D2510 RHRU2 T3110 LRV o M1510 D1515 RVDL1 GXXXX";

TEST(SchematicConnectivity, WireEndingOnAnotherWireJoinsOnlyAtADot) {
    EXPECT_EQ(NodesOf(Trace(kTee), "R1"), (std::vector<int>{3, 0}));
    EXPECT_EQ(NodesOf(Trace(kTee, "J1510"), "R1"), (std::vector<int>{1, 0}));
}

TEST(SchematicConnectivity, CrossingWiresJoinOnlyAtADot) {
    // The branch to R1 starts above the input wire and crosses it at (15,10).
    const std::string crossing = "T0510 LLV i D2510 RHRU2 T3110 LRV o M1506 D1515 RVDL1 GXXXX";
    EXPECT_EQ(NodesOf(Trace(crossing), "R1"), (std::vector<int>{3, 0}));
    EXPECT_EQ(NodesOf(Trace(crossing, "J1510"), "R1"), (std::vector<int>{1, 0}));
}

TEST(SchematicConnectivity, PinOnAPassingWireJoinsOnlyAtADot) {
    // R1's top pin (15,10) lies on the input wire.
    const std::string pinOnWire = "T0510 LLV i D2510 RHRU2 T3110 LRV o M1510 RVDL1 GXXXX";
    EXPECT_EQ(NodesOf(Trace(pinOnWire), "R1"), (std::vector<int>{3, 0}));
    EXPECT_EQ(NodesOf(Trace(pinOnWire, "J1510"), "R1"), (std::vector<int>{1, 0}));
}

TEST(SchematicConnectivity, EveryGroundSymbolIsNodeZero) {
    // R1 and R2 from the input, one to each kind of ground.
    const DrawnCircuit c = Trace("T0510 LLV i D1010 RVDL1 GXXXX M1010 RHRU2 D2010 RVDL3 Z2018", "T2010 LRV o");
    EXPECT_TRUE(c.problems.empty());
    EXPECT_EQ(NodesOf(c, "R1"), (std::vector<int>{1, 0}));
    EXPECT_EQ(NodesOf(c, "R3"), (std::vector<int>{2, 3}));
    // R3 reaches (20,14), and the signal ground sits at (20,18): not joined.
    const DrawnCircuit joined = Trace("T0510 LLV i D1010 RVDL1 GXXXX M1010 RHRU2 D2010 RVDL3 Z2014", "T2010 LRV o");
    EXPECT_EQ(NodesOf(joined, "R3"), (std::vector<int>{2, 0}));
}

TEST(SchematicConnectivity, ReportsWhatMakesTheDrawingNoCircuit) {
    EXPECT_EQ(Trace("T0510 LLV i RHRU1").problems, (std::vector<std::string>{"the drawing has 0 output terminals (\"V o\")"}));
    EXPECT_EQ(Trace("T0510 LLV i RHRU1 T1110 LRV o").problems,
              (std::vector<std::string>{}));
    EXPECT_EQ(Trace("T0510 LLV i GXXXX RHRU1 T1110 LRV o").problems,
              (std::vector<std::string>{"the input terminal is wired to another fixed node"}));
    EXPECT_EQ(Trace("T0510 LLV i RHRU1 RHRU1 T1710 LRV o T3010").problems,
              (std::vector<std::string>{"a terminal has neither \"V i\" nor \"V o\"", "R1 is drawn twice"}));
}

}  // namespace
}  // namespace tavrel::schematic
