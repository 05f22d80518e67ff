// RCInvent.dat: the block laid out at the offsets of the file, short and long files read as far
// as they go, a missing file made with the default block.
#include "io/inventory_file.h"

#include <gtest/gtest.h>

#include <random>

#include "support/case_name.h"
#include "support/scratch_directory.h"

namespace tavrel {
namespace {

namespace fs = std::filesystem;
using testing_support::ReadWholeFile;
using testing_support::ScratchDirectory;
using testing_support::WriteWholeFile;

bool SameBlock(const InventoryBlock& a, const InventoryBlock& b) { return InventoryBytes(a) == InventoryBytes(b); }

TEST(InventoryBytes, FieldsSitAtTheirOffsets) {
    InventoryBlock block = DefaultInventory();
    InventoryMark(block, InventoryList::E96, 2, 5) = 0;         // 2 * 96 + 5
    InventoryMark(block, InventoryList::E24, 6, 23) = 0;        // 672 + 6 * 24 + 23
    InventoryMark(block, InventoryList::E12, 1, 0) = 0;         // 840 + 12
    InventoryMark(block, InventoryList::Capacitors, 5, 11) = 0; // 924 + 5 * 12 + 11
    block.E96Range = {0x0102, 7};
    block.E24Range = {-1, 3};
    block.CapacitorRange = {2, 0x7FFF};
    const std::vector<std::uint8_t> bytes = InventoryBytes(block);
    ASSERT_EQ(bytes.size(), 1012u);
    for (std::size_t at : {197u, 839u, 852u, 995u}) EXPECT_EQ(bytes[at], 0) << at;
    for (std::size_t at : {0u, 196u, 198u, 671u, 672u, 838u, 851u, 853u, 994u}) EXPECT_EQ(bytes[at], 1) << at;
    const std::vector<std::uint8_t> ranges(bytes.begin() + 996, bytes.end());
    EXPECT_EQ(ranges, (std::vector<std::uint8_t>{0x02, 0x01, 7, 0, 0xFF, 0xFF, 3, 0, 0, 0, 7, 0, 2, 0, 0xFF, 0x7F}));
}

TEST(InventoryBytes, ReadBackFieldByField) {
    std::mt19937 random(3);
    std::vector<std::uint8_t> bytes(kInventoryFileBytes);
    for (auto& b : bytes) b = static_cast<std::uint8_t>(random() & 0xFF);
    EXPECT_EQ(InventoryBytes(InventoryFromBytes(bytes)), bytes);
}

struct ShortFile {
    std::size_t size;
};

void PrintTo(const ShortFile& f, std::ostream* os) { *os << f.size << " bytes"; }

class InventoryFileOfAnySize : public ::testing::TestWithParam<ShortFile> {};

// A file of zeros: the fields it reaches are 0 (out of stock, empty ranges), the rest keep the
// defaults; bytes past the block change nothing.
TEST_P(InventoryFileOfAnySize, IsReadAsFarAsItGoes) {
    ScratchDirectory dir;
    const fs::path file = dir / kInventoryFileName;
    WriteWholeFile(file, std::string(GetParam().size, '\0'));
    const std::vector<std::uint8_t> read = InventoryBytes(LoadInventory(file));
    const std::vector<std::uint8_t> defaults = InventoryBytes(DefaultInventory());
    // The range fields from offset 996 on are read whole or not at all.
    std::size_t reached = std::min(GetParam().size, kInventoryFileBytes);
    if (reached > 996 && (reached - 996) % 2 == 1) --reached;
    for (std::size_t at = 0; at < kInventoryFileBytes; ++at)
        ASSERT_EQ(read[at], at < reached ? 0 : defaults[at]) << "byte " << at;
    EXPECT_EQ(ReadWholeFile(file).size(), GetParam().size);  // reading leaves the file alone
}

INSTANTIATE_TEST_SUITE_P(Sizes, InventoryFileOfAnySize,
                         ::testing::Values(ShortFile{0}, ShortFile{500}, ShortFile{1011}, ShortFile{1012},
                                           ShortFile{5000}),
                         testing_support::PrintedName());

TEST(InventoryFile, HalfARangeFieldIsNotRead) {
    std::vector<std::uint8_t> bytes = InventoryBytes(DefaultInventory());
    bytes[996] = 3;
    bytes.resize(997);  // the low byte of the first E96 range field only
    EXPECT_EQ(InventoryFromBytes(bytes).E96Range.First, 0);
}

TEST(InventoryFile, AMissingFileIsMadeWithTheDefaultBlock) {
    ScratchDirectory dir;
    const fs::path file = dir / kInventoryFileName;
    EXPECT_TRUE(SameBlock(LoadInventory(file), DefaultInventory()));
    const std::string bytes = ReadWholeFile(file);
    ASSERT_EQ(bytes.size(), 1012u);
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.end()), InventoryBytes(DefaultInventory()));
}

TEST(InventoryFile, SavedAndLoaded) {
    ScratchDirectory dir;
    const fs::path file = dir / kInventoryFileName;
    InventoryBlock block = DefaultInventory();
    SetMarksInRange(block, InventoryList::E24, false, true, false);
    block.E12Range = {2, 5};
    ASSERT_FALSE(SaveInventory(file, block));
    EXPECT_TRUE(SameBlock(LoadInventory(file), block));
}

TEST(InventoryFile, ADirectoryInItsPlaceGivesTheDefaultsAndIsNotWritten) {
    ScratchDirectory dir;
    const fs::path file = dir / kInventoryFileName;
    fs::create_directory(file);
    EXPECT_TRUE(SameBlock(LoadInventory(file), DefaultInventory()));
    EXPECT_TRUE(fs::is_directory(file));
    EXPECT_TRUE(SaveInventory(file, DefaultInventory()));
}

}  // namespace
}  // namespace tavrel
