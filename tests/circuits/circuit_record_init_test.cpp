#include <gtest/gtest.h>

#include "support/case_name.h"

#include "circuits/catalog/circuit_definition.h"
#include "circuits/records/circuit_record_init.h"

namespace tavrel {
namespace {

StageCircuitRecord& Select(CircuitTable& table, int stage, int circuitNo) {
    StageCircuitRecord& r = table.Record[static_cast<size_t>(stage)];
    r.CircuitNo = static_cast<std::int16_t>(circuitNo);
    r.CircuitIndex = static_cast<std::int16_t>(FindCircuit(circuitNo)->circuitIndex);
    r.NewlySelected = 1;
    return r;
}

TEST(ResetCircuitTable, AppliesTheDefaultsToAllElevenStages) {
    CircuitTable table;
    table.Record[11].Invalid = 1;
    table.Record[4].Resistors[9].UserFixed = 1;
    table.SavedC2Variable[3] = 1;
    table.AllResistorsStandard = true;
    ResetCircuitTable(table);
    for (int stage = 1; stage <= kMaxStages; ++stage) {
        const StageCircuitRecord& r = table.Record[static_cast<size_t>(stage)];
        for (const ComponentEntry& e : r.Resistors) {
            EXPECT_EQ(e.Value, Real48::Round(0.001L));
            EXPECT_EQ(e.Marked, 0);
            EXPECT_EQ(e.UserFixed, 0);
        }
        for (const ComponentEntry& e : r.Capacitors) {
            EXPECT_EQ(e.Value, Real48::Round(0.001L));
            EXPECT_EQ(e.Marked, 1);
        }
        EXPECT_EQ(r.Invalid, 0);
        EXPECT_EQ(r.GainResDefault, 0);
    }
    EXPECT_EQ(table.SavedC2Variable[3], 0);
    EXPECT_FALSE(table.AllResistorsStandard);
}

struct CapacitorCase {
    int circuitNo;
    long double wp;
    long double c1, c2;
};

void PrintTo(const CapacitorCase& c, std::ostream* os) {
    *os << "circuit " << c.circuitNo << " at " << static_cast<double>(c.wp) << " rad s";
}

class InitCapacitors : public testing::TestWithParam<CapacitorCase> {};

TEST_P(InitCapacitors, StartFromTheFirstE12Step) {
    const CapacitorCase& c = GetParam();
    CircuitTable table;
    ResetCircuitTable(table);
    StageCircuitRecord& r = Select(table, 1, c.circuitNo);
    InitCircuitRecord(table, 1, c.wp);
    EXPECT_NEAR(r.Capacitors[0].Value, c.c1, c.c1 * 1e-9);
    EXPECT_NEAR(r.Capacitors[1].Value, c.c2, c.c1 * 1e-9);
    if (c.c2 != 0) {
        EXPECT_NEAR(r.CapRatio, c.c2 / c.c1, 1e-9);
    }
}

INSTANTIATE_TEST_SUITE_P(Circuits, InitCapacitors,
                         testing::Values(CapacitorCase{11, 1000, 10e-9L, 10e-9L},    // ratio 1
                                         CapacitorCase{11, 31000, 10e-9L, 10e-9L},   // 31000 rad/s still 10 nF
                                         CapacitorCase{11, 31001, 1e-9L, 1e-9L},     // above: 1 nF
                                         CapacitorCase{12, 1000, 10e-9L, 100e-9L},   // ratio 10
                                         CapacitorCase{13, 1000, 10e-9L, 1e-6L},     // ratio 100
                                         CapacitorCase{60, 1000, 10e-9L, 20e-9L},    // ratio 2 kept as 2 x C1
                                         CapacitorCase{3, 1000, 10e-9L, 0}),         // ratio 0
                         testing_support::PrintedName());

TEST(InitCircuitRecord, CopiesTheDescriptorFields) {
    CircuitTable table;
    ResetCircuitTable(table);
    StageCircuitRecord& r = Select(table, 2, 88);
    InitCircuitRecord(table, 2, 5000);
    EXPECT_EQ(r.ResistorCount, 5);
    EXPECT_EQ(r.CapacitorCount, 3);
    EXPECT_EQ(r.OpAmpCount, 2);
    EXPECT_EQ(r.TwinT, 1);
    EXPECT_EQ(r.GainPair, 1);
    EXPECT_EQ(r.GainForced, 1);
    EXPECT_EQ(r.Inverting, 0);
    EXPECT_EQ(r.GainResIndex, 0);
    EXPECT_EQ(r.GainResDecade, 3);
    EXPECT_DOUBLE_EQ(r.GainResDefault, 10000);
    EXPECT_DOUBLE_EQ(r.Resistors[4].Value, 10000);
    EXPECT_DOUBLE_EQ(r.ScaleFactor, 1);
}

TEST(InitCircuitRecord, KeepsAUserGainResistorOnceSelected) {
    CircuitTable table;
    ResetCircuitTable(table);
    StageCircuitRecord& r = Select(table, 1, 12);
    InitCircuitRecord(table, 1, 5000);
    r.NewlySelected = 0;
    r.GainResDefault = 4700;
    r.Resistors[3].Value = 4700;
    InitCircuitRecord(table, 1, 5000);
    EXPECT_DOUBLE_EQ(r.Resistors[3].Value, 4700);
}

TEST(InitCircuitRecord, OffersEqualComponentsOnlyForCircuits12And27) {
    for (const CircuitDefinition& row : Circuits()) {
        CircuitTable table;
        ResetCircuitTable(table);
        Select(table, 1, row.circuitNo);
        InitCircuitRecord(table, 1, 1000);
        EXPECT_EQ(table.EqualOption[1] != 0, row.circuitNo == 12 || row.circuitNo == 27) << row.name;
    }
}

TEST(InitCircuitRecord, OpAmpSettingsSurviveReinitialisation) {
    CircuitTable table;
    ResetCircuitTable(table);
    StageCircuitRecord& r = Select(table, 3, 20);
    r.OpAmpGBW = 3e6L;
    r.OpAmpNoise = 12;
    InitCircuitRecord(table, 3, 1000);
    r.NewlySelected = 0;
    r.OpAmpGBW = 1;
    r.OpAmpNoise = 1;
    InitCircuitRecord(table, 3, 1000);
    EXPECT_DOUBLE_EQ(r.OpAmpGBW, 3e6);
    EXPECT_DOUBLE_EQ(r.OpAmpNoise, 12);
}

TEST(InitCircuitRecord, LeavesARecordWithoutCircuitAlone) {
    CircuitTable table;
    ResetCircuitTable(table);
    table.Record[1].CircuitNo = 24;
    InitCircuitRecord(table, 1, 1000);
    EXPECT_EQ(table.Record[1].ResistorCount, 0);
    EXPECT_EQ(table.Record[1].Capacitors[0].Value, Real48::Round(0.001L));
}

}  // namespace
}  // namespace tavrel
