#pragma once
#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "circuits/values/e12_series.h"
#include "circuits/values/resistor_series.h"

namespace tavrel {

// The user's component inventory: which standard values are on the shelf, per series and
// decade row, and the rows in use. Held for the whole run and kept in RCInvent.dat.
//
// A mark byte is 1 when the value is in stock. Resistor row r holds the values from 10^r Ohm
// up to 10^(r+1) Ohm (r = 0..6, 1 Ohm to 9.76 MOhm); capacitor row r holds 10^r x 10 pF up to
// 10^(r+1) x 10 pF (r = 0..5, 10 pF to 8.2 uF). A range is the first row and the last row + 1
// as the window's selectors count them.
struct InventoryRange {
    std::int16_t First = 0;
    std::int16_t End = 0;  // last row + 1
};

inline constexpr int kResistorRows = 7;
inline constexpr int kCapacitorRows = 6;

struct InventoryBlock {
    std::array<std::array<std::uint8_t, 96>, kResistorRows> E96Marks{};
    std::array<std::array<std::uint8_t, 24>, kResistorRows> E24Marks{};
    std::array<std::array<std::uint8_t, 12>, kResistorRows> E12Marks{};
    std::array<std::array<std::uint8_t, 12>, kCapacitorRows> CapacitorMarks{};
    InventoryRange E96Range;
    InventoryRange E24Range;
    InventoryRange E12Range;
    InventoryRange CapacitorRange;
};

// Every value in stock, every row in use: what a program without an inventory file starts with.
InventoryBlock DefaultInventory();

// The four mark tables of the block.
enum class InventoryList { E96, E24, E12, Capacitors };
InventoryList InventoryListOf(ResistorSeries series);

int InventoryRows(InventoryList list);
int InventoryColumns(InventoryList list);  // entries of the series
std::uint8_t& InventoryMark(InventoryBlock& block, InventoryList list, int row, int position);
std::uint8_t InventoryMark(const InventoryBlock& block, InventoryList list, int row, int position);
InventoryRange& RangeOf(InventoryBlock& block, InventoryList list);
const InventoryRange& RangeOf(const InventoryBlock& block, InventoryList list);

// The items of the range selectors ("Rmin:"/"Rmax+1:" or "Cmin:"/"Cmax+1:"): positions
// 0..rows, each the lowest value of its row ("1" .. "10M", "10pF" .. "10uF").
std::span<const char* const> RangeSelectorItems(InventoryList list);

// The rows of the range that the tables have, first and end: a range read from a damaged file
// is cut to the table, and an empty or reversed one gives no row.
struct RowSpan {
    int first = 0;
    int end = 0;
};
RowSpan RowsInRange(const InventoryBlock& block, InventoryList list);

// The standard value at a place of a table: resistors in ohm, capacitors in farad.
long double InventoryValue(InventoryList list, int row, int position);

// Whether a standard value, as IsStandardResistor / IsStandardCapacitor place it, is in
// stock: its row (resistors: decade + 2, 1 Ohm being decade -2; capacitors: 13 - decade count)
// lies in the selected range and its mark is set. Values of 10 MOhm and above, and of 10 uF
// and above, have no row.
bool ResistorInStock(const InventoryBlock& block, ResistorSeries series, const ResistorStep& step);
bool CapacitorInStock(const InventoryBlock& block, const CapacitorStep& step);

// The quick selection of the inventory window: the grid shows each decade in two columns,
// Column1 the odd places of the list (1st, 3rd, ...: the next coarser series, E48 from E96,
// E12 from E24, E6 from E12), Column2 the values between them.
enum class InventoryColumn { Column1, Column2 };
InventoryColumn ColumnOf(int position);

// Sets or clears the marks of the chosen columns in every row of the range.
void SetMarksInRange(InventoryBlock& block, InventoryList list, bool column1, bool column2, bool inStock);

// The count line of the window: marks in the range, " of ", values in the range, " selected.".
struct InventoryCount {
    int marked = 0;
    int total = 0;
};
InventoryCount CountInRange(const InventoryBlock& block, InventoryList list);
std::string CountLine(const InventoryCount& count);

// A value text as the resistor displays show it with the inventory check on: in stock, it is
// followed by a blank and the bullet.
std::string WithStockBullet(const std::string& valueText, bool inStock);
inline constexpr const char* kStockBullet = "\u2022";

}  // namespace tavrel
