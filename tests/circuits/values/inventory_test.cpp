// The inventory block: which standard values count as in stock, the range rows, the quick
// selection and the count line. Rows and decades follow from the table layout by hand:
// resistor row r holds 10^r .. 10^(r+1) Ohm, capacitor row r 10^r x 10 pF .. 10^(r+1) x 10 pF.
#include <gtest/gtest.h>

#include "circuits/values/inventory.h"
#include "support/case_name.h"

namespace tavrel {
namespace {

TEST(CapacitorStock, TenNanofaradSitsAtRowThree) {
    InventoryBlock block = DefaultInventory();
    const CapacitorStep tenNano{0, 10};
    EXPECT_TRUE(CapacitorInStock(block, tenNano));
    InventoryMark(block, InventoryList::Capacitors, 3, 0) = 0;
    EXPECT_FALSE(CapacitorInStock(block, tenNano));
    EXPECT_TRUE(CapacitorInStock(block, {0, 11}));  // 1 nF, row 2
}

TEST(CapacitorStock, TenMicrofaradAndAboveAreNeverInStockWithTheDefaultRange) {
    const InventoryBlock block = DefaultInventory();
    EXPECT_TRUE(CapacitorInStock(block, {11, 8}));  // 8.2 uF, the last value of row 5
    for (const CapacitorStep step : {CapacitorStep{0, 7}, CapacitorStep{4, 7}, CapacitorStep{0, 6}, CapacitorStep{0, 3}})
        EXPECT_FALSE(CapacitorInStock(block, step)) << step.index << " " << step.decade;
    EXPECT_FALSE(CapacitorInStock(block, {0, 14}));  // 1 pF: below row 0
}

struct ResistorStockCase {
    const char* name;
    ResistorSeries series;
    ResistorStep step;
    InventoryRange range;
    bool inStock;
};

void PrintTo(const ResistorStockCase& c, std::ostream* os) { *os << c.name; }

class ResistorStock : public ::testing::TestWithParam<ResistorStockCase> {};

TEST_P(ResistorStock, CountsTheMarkOfRowDecadePlusTwoWithinTheRange) {
    const ResistorStockCase& c = GetParam();
    InventoryBlock block = DefaultInventory();
    RangeOf(block, InventoryListOf(c.series)) = c.range;
    EXPECT_EQ(ResistorInStock(block, c.series, c.step), c.inStock);
    if (!c.inStock) return;
    // The mark it reads is the one at row decade + 2.
    InventoryMark(block, InventoryListOf(c.series), c.step.decade + 2, c.step.index) = 0;
    EXPECT_FALSE(ResistorInStock(block, c.series, c.step));
}

constexpr InventoryRange kAllRows{0, 7};
constexpr InventoryRange kKiloRows{3, 5};  // "1K" .. "100K": 1 kOhm to 97.6 kOhm

INSTANTIATE_TEST_SUITE_P(
    Values, ResistorStock,
    ::testing::Values(ResistorStockCase{"1 ohm", ResistorSeries::E12, {0, -2}, kAllRows, true},
                      ResistorStockCase{"0.47 ohm", ResistorSeries::E12, {8, -3}, kAllRows, false},
                      ResistorStockCase{"9.76 Mohm", ResistorSeries::E96, {95, 4}, kAllRows, true},
                      ResistorStockCase{"10 Mohm", ResistorSeries::E96, {0, 5}, kAllRows, false},
                      ResistorStockCase{"47k in 1K to 100K", ResistorSeries::E24, {16, 2}, kKiloRows, true},
                      ResistorStockCase{"470k in 1K to 100K", ResistorSeries::E24, {16, 3}, kKiloRows, false},
                      ResistorStockCase{"470 in 1K to 100K", ResistorSeries::E24, {16, 0}, kKiloRows, false},
                      ResistorStockCase{"1k in a damaged range", ResistorSeries::E24, {0, 1}, {-40, 900}, true}),
    testing_support::PrintedName());

TEST(InventoryRange, DamagedRangesSelectOnlyRowsTheTablesHave) {
    InventoryBlock block = DefaultInventory();
    block.CapacitorRange = {-3, 30000};
    EXPECT_EQ(RowsInRange(block, InventoryList::Capacitors).first, 0);
    EXPECT_EQ(RowsInRange(block, InventoryList::Capacitors).end, 6);
    EXPECT_FALSE(CapacitorInStock(block, {0, 7}));  // row 6 does not exist
    block.E12Range = {5, 2};
    EXPECT_EQ(CountInRange(block, InventoryList::E12).total, 0);
}

TEST(InventoryValue, PlacesOfTheTables) {
    EXPECT_DOUBLE_EQ(InventoryValue(InventoryList::E24, 4, 16), 47000);
    EXPECT_DOUBLE_EQ(InventoryValue(InventoryList::E96, 0, 0), 1);
    EXPECT_DOUBLE_EQ(InventoryValue(InventoryList::Capacitors, 0, 0), 10e-12);
    EXPECT_DOUBLE_EQ(InventoryValue(InventoryList::Capacitors, 3, 0), 10e-9);
    EXPECT_DOUBLE_EQ(InventoryValue(InventoryList::Capacitors, 5, 11), 8.2e-6);
}

TEST(QuickSelect, ColumnOneIsTheNextCoarserSeries) {
    InventoryBlock block = DefaultInventory();
    block.E24Range = {3, 5};
    SetMarksInRange(block, InventoryList::E24, true, true, false);
    EXPECT_EQ(CountInRange(block, InventoryList::E24).marked, 0);
    SetMarksInRange(block, InventoryList::E24, true, false, true);
    // Column1 of E24 holds the E12 values: 1.0, 1.2, 1.5 ... 8.2.
    for (int position = 0; position < 24; ++position)
        EXPECT_EQ(InventoryMark(block, InventoryList::E24, 3, position), position % 2 == 0 ? 1 : 0) << position;
    EXPECT_EQ(CountLine(CountInRange(block, InventoryList::E24)), "24 of 48 selected.");
    // Rows outside the range keep their marks.
    EXPECT_EQ(InventoryMark(block, InventoryList::E24, 2, 1), 1);
    EXPECT_EQ(InventoryMark(block, InventoryList::E24, 5, 1), 1);
}

TEST(CountLine, DefaultInventoryHasEverythingSelected) {
    const InventoryBlock block = DefaultInventory();
    EXPECT_EQ(CountLine(CountInRange(block, InventoryList::E96)), "672 of 672 selected.");
    EXPECT_EQ(CountLine(CountInRange(block, InventoryList::Capacitors)), "72 of 72 selected.");
}

TEST(StockBullet, FollowsAValueInStockAfterOneBlank) {
    EXPECT_EQ(WithStockBullet("4.7K", true), "4.7K \u2022");
    EXPECT_EQ(WithStockBullet("4.7K", false), "4.7K");
}

}  // namespace
}  // namespace tavrel
