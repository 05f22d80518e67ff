#include "io/inventory_file.h"

#include <fstream>
#include <iterator>

namespace tavrel {

namespace {

namespace fs = std::filesystem;

constexpr InventoryList kListsInFileOrder[] = {InventoryList::E96, InventoryList::E24, InventoryList::E12,
                                               InventoryList::Capacitors};

// Reads the fields in file order from the bytes there are.
class FieldReader {
public:
    explicit FieldReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    void Byte(std::uint8_t& field) {
        if (at_ < bytes_.size()) field = bytes_[at_];
        ++at_;
    }
    void Int16(std::int16_t& field) {
        if (at_ + 1 < bytes_.size())
            field = static_cast<std::int16_t>(static_cast<std::uint16_t>(bytes_[at_] | bytes_[at_ + 1] << 8));
        at_ += 2;
    }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t at_ = 0;
};

void PutInt16(std::vector<std::uint8_t>& bytes, std::int16_t value) {
    const auto u = static_cast<std::uint16_t>(value);
    bytes.push_back(static_cast<std::uint8_t>(u & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(u >> 8));
}

}  // namespace

std::vector<std::uint8_t> InventoryBytes(const InventoryBlock& block) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(kInventoryFileBytes);
    for (const InventoryList list : kListsInFileOrder)
        for (int row = 0; row < InventoryRows(list); ++row)
            for (int position = 0; position < InventoryColumns(list); ++position)
                bytes.push_back(InventoryMark(block, list, row, position));
    for (const InventoryList list : kListsInFileOrder) {
        PutInt16(bytes, RangeOf(block, list).First);
        PutInt16(bytes, RangeOf(block, list).End);
    }
    return bytes;
}

InventoryBlock InventoryFromBytes(std::span<const std::uint8_t> bytes) {
    InventoryBlock block = DefaultInventory();
    FieldReader reader(bytes);
    for (const InventoryList list : kListsInFileOrder)
        for (int row = 0; row < InventoryRows(list); ++row)
            for (int position = 0; position < InventoryColumns(list); ++position)
                reader.Byte(InventoryMark(block, list, row, position));
    for (const InventoryList list : kListsInFileOrder) {
        reader.Int16(RangeOf(block, list).First);
        reader.Int16(RangeOf(block, list).End);
    }
    return block;
}

InventoryBlock LoadInventory(const fs::path& file) {
    std::error_code error;
    if (!fs::exists(fs::symlink_status(file, error))) {
        const InventoryBlock block = DefaultInventory();
        SaveInventory(file, block);
        return block;
    }
    return ReadInventoryFile(file).value_or(DefaultInventory());
}

std::optional<InventoryBlock> ReadInventoryFile(const fs::path& file) {
    std::error_code error;
    if (!fs::is_regular_file(file, error)) return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<std::uint8_t> bytes;
    bytes.reserve(kInventoryFileBytes);
    for (std::istreambuf_iterator<char> it(in), end; it != end && bytes.size() < kInventoryFileBytes; ++it)
        bytes.push_back(static_cast<std::uint8_t>(*it));
    return InventoryFromBytes(bytes);
}

std::optional<FileWriteError> SaveInventory(const fs::path& file, const InventoryBlock& block) {
    return WriteFileAtomically(file, InventoryBytes(block));
}

}  // namespace tavrel
