#include "circuits/values/inventory.h"

#include <algorithm>
#include <cmath>

namespace tavrel {

namespace {

constexpr std::array<const char*, kResistorRows + 1> kResistorSelector{"1",   "10",   "100", "1K",
                                                                       "10K", "100K", "1M",  "10M"};
constexpr std::array<const char*, kCapacitorRows + 1> kCapacitorSelector{"10pF", "100pF", "1nF", "10nF",
                                                                         "100nF", "1uF",  "10uF"};

// Row 0 of the resistors is 1 Ohm, decade -2 of the tables; capacitor row 0 is 10 pF, the
// decade count 13.
constexpr int kResistorRowOfDecade = 2;
constexpr int kCapacitorRowOfCount = 13;

// The mark and the range of a table, for a block that may be const.
template <typename Block>
auto& MarkOf(Block& block, InventoryList list, int row, int position) {
    const auto r = static_cast<size_t>(row), p = static_cast<size_t>(position);
    switch (list) {
        case InventoryList::E96: return block.E96Marks[r][p];
        case InventoryList::E24: return block.E24Marks[r][p];
        case InventoryList::E12: return block.E12Marks[r][p];
        case InventoryList::Capacitors: break;
    }
    return block.CapacitorMarks[r][p];
}

template <typename Block>
auto& RangeIn(Block& block, InventoryList list) {
    switch (list) {
        case InventoryList::E96: return block.E96Range;
        case InventoryList::E24: return block.E24Range;
        case InventoryList::E12: return block.E12Range;
        case InventoryList::Capacitors: break;
    }
    return block.CapacitorRange;
}

bool InStock(const InventoryBlock& block, InventoryList list, int row, int position) {
    const RowSpan rows = RowsInRange(block, list);
    if (row < rows.first || row >= rows.end) return false;
    if (position < 0 || position >= InventoryColumns(list)) return false;
    return InventoryMark(block, list, row, position) != 0;
}

}  // namespace

InventoryBlock DefaultInventory() {
    InventoryBlock block;
    for (auto& row : block.E96Marks) row.fill(1);
    for (auto& row : block.E24Marks) row.fill(1);
    for (auto& row : block.E12Marks) row.fill(1);
    for (auto& row : block.CapacitorMarks) row.fill(1);
    block.E96Range = block.E24Range = block.E12Range = {0, kResistorRows};
    block.CapacitorRange = {0, kCapacitorRows};
    return block;
}

InventoryList InventoryListOf(ResistorSeries series) {
    switch (series) {
        case ResistorSeries::E96: return InventoryList::E96;
        case ResistorSeries::E24: return InventoryList::E24;
        case ResistorSeries::E12: return InventoryList::E12;
    }
    return InventoryList::E12;
}

int InventoryRows(InventoryList list) { return list == InventoryList::Capacitors ? kCapacitorRows : kResistorRows; }

int InventoryColumns(InventoryList list) {
    switch (list) {
        case InventoryList::E96: return 96;
        case InventoryList::E24: return 24;
        case InventoryList::E12:
        case InventoryList::Capacitors: return kE12Count;
    }
    return 0;
}

std::uint8_t& InventoryMark(InventoryBlock& block, InventoryList list, int row, int position) {
    return MarkOf(block, list, row, position);
}

std::uint8_t InventoryMark(const InventoryBlock& block, InventoryList list, int row, int position) {
    return MarkOf(block, list, row, position);
}

InventoryRange& RangeOf(InventoryBlock& block, InventoryList list) { return RangeIn(block, list); }
const InventoryRange& RangeOf(const InventoryBlock& block, InventoryList list) { return RangeIn(block, list); }

std::span<const char* const> RangeSelectorItems(InventoryList list) {
    if (list == InventoryList::Capacitors) return kCapacitorSelector;
    return kResistorSelector;
}

RowSpan RowsInRange(const InventoryBlock& block, InventoryList list) {
    const InventoryRange& range = RangeOf(block, list);
    const int rows = InventoryRows(list);
    const int first = std::clamp<int>(range.First, 0, rows);
    const int end = std::clamp<int>(range.End, first, rows);
    return {first, end};
}

long double InventoryValue(InventoryList list, int row, int position) {
    if (list == InventoryList::Capacitors) return CapacitorFromStep({position, kCapacitorRowOfCount - row});
    const ResistorSeries series = list == InventoryList::E96   ? ResistorSeries::E96
                                  : list == InventoryList::E24 ? ResistorSeries::E24
                                                               : ResistorSeries::E12;
    return ResistorFromStep(series, {position, row - kResistorRowOfDecade});
}

bool ResistorInStock(const InventoryBlock& block, ResistorSeries series, const ResistorStep& step) {
    return InStock(block, InventoryListOf(series), step.decade + kResistorRowOfDecade, step.index);
}

bool CapacitorInStock(const InventoryBlock& block, const CapacitorStep& step) {
    return InStock(block, InventoryList::Capacitors, kCapacitorRowOfCount - step.decade, step.index);
}

InventoryColumn ColumnOf(int position) { return position % 2 == 0 ? InventoryColumn::Column1 : InventoryColumn::Column2; }

void SetMarksInRange(InventoryBlock& block, InventoryList list, bool column1, bool column2, bool inStock) {
    const RowSpan rows = RowsInRange(block, list);
    for (int row = rows.first; row < rows.end; ++row)
        for (int position = 0; position < InventoryColumns(list); ++position) {
            const bool chosen = ColumnOf(position) == InventoryColumn::Column1 ? column1 : column2;
            if (chosen) InventoryMark(block, list, row, position) = inStock ? 1 : 0;
        }
}

InventoryCount CountInRange(const InventoryBlock& block, InventoryList list) {
    const RowSpan rows = RowsInRange(block, list);
    InventoryCount count;
    for (int row = rows.first; row < rows.end; ++row)
        for (int position = 0; position < InventoryColumns(list); ++position) {
            ++count.total;
            if (InventoryMark(block, list, row, position) != 0) ++count.marked;
        }
    return count;
}

std::string CountLine(const InventoryCount& count) {
    return std::to_string(count.marked) + " of " + std::to_string(count.total) + " selected.";
}

std::string WithStockBullet(const std::string& valueText, bool inStock) {
    return inStock ? valueText + " " + kStockBullet : valueText;
}

}  // namespace tavrel
