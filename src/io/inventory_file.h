#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

#include "circuits/values/inventory.h"
#include "io/atomic_file.h"

namespace tavrel {

inline constexpr const char* kInventoryFileName = "RCInvent.dat";

// RCInvent.dat holds the inventory block and nothing else, 1012 bytes, little-endian:
//    0  672  E96 marks, 7 rows x 96 bytes
//  672  168  E24 marks, 7 rows x 24
//  840   84  E12 resistor marks, 7 rows x 12
//  924   72  E12 capacitor marks, 6 rows x 12
//  996  2+2  int16 range of the E96 resistors: first row, last row + 1
// 1000  2+2  range of the E24 resistors
// 1004  2+2  range of the E12 resistors
// 1008  2+2  range of the capacitors
inline constexpr std::size_t kInventoryFileBytes = 1012;

std::vector<std::uint8_t> InventoryBytes(const InventoryBlock& block);

// The block of the bytes, read field by field as far as they go; the fields they do not reach
// keep their defaults, and bytes past the block are not read. The contents are not checked
// (a range the tables do not have selects the rows they do have).
InventoryBlock InventoryFromBytes(std::span<const std::uint8_t> bytes);

// At start: the file's block, or, when there is no file, the default block, and the file is
// created with it (silently: a file that cannot be made leaves the program on the default).
InventoryBlock LoadInventory(const std::filesystem::path& file);

// The block of an existing file (its first 1012 bytes as InventoryFromBytes reads them);
// nothing when the file cannot be read as a regular file.
std::optional<InventoryBlock> ReadInventoryFile(const std::filesystem::path& file);

// The inventory window's OK: the whole block, replacing the file at once.
std::optional<FileWriteError> SaveInventory(const std::filesystem::path& file, const InventoryBlock& block);

}  // namespace tavrel
