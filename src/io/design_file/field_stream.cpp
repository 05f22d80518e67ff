#include "io/design_file/field_stream.h"

#include <algorithm>

namespace tavrel {

void FieldWriter::Int16(std::int16_t value) {
    const auto u = static_cast<std::uint16_t>(value);
    Byte(static_cast<std::uint8_t>(u & 0xFF));
    Byte(static_cast<std::uint8_t>(u >> 8));
}

void FieldWriter::Int32(std::int32_t value) {
    const auto u = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) Byte(static_cast<std::uint8_t>((u >> shift) & 0xFF));
}

void FieldWriter::Real(const Real48& value) {
    const Real48::Bytes encoded = value.Encode();
    bytes_.insert(bytes_.end(), encoded.begin(), encoded.end());
}

void FieldWriter::ShortString(const std::string& text, std::size_t capacity) {
    const std::size_t length = std::min(text.size(), capacity);
    Byte(static_cast<std::uint8_t>(length));
    bytes_.insert(bytes_.end(), text.begin(), text.begin() + static_cast<std::ptrdiff_t>(length));
    Unwritten(capacity - length);
}

std::span<const std::uint8_t> FieldReader::Take(std::size_t count) {
    if (short_ || bytes_.size() - at_ < count) {
        short_ = true;
        at_ = bytes_.size();
        return {};
    }
    const std::span<const std::uint8_t> taken = bytes_.subspan(at_, count);
    at_ += count;
    return taken;
}

void FieldReader::Byte(std::uint8_t& field) {
    const auto b = Take(1);
    if (!b.empty()) field = b[0];
}

void FieldReader::Flag(bool& field) {
    const auto b = Take(1);
    if (!b.empty()) field = b[0] != 0;
}

void FieldReader::Int16(std::int16_t& field) {
    const auto b = Take(2);
    if (!b.empty()) field = static_cast<std::int16_t>(static_cast<std::uint16_t>(b[0] | b[1] << 8));
}

void FieldReader::Int32(std::int32_t& field) {
    const auto b = Take(4);
    if (b.empty()) return;
    std::uint32_t u = 0;
    for (int i = 3; i >= 0; --i) u = (u << 8) | b[static_cast<std::size_t>(i)];
    field = static_cast<std::int32_t>(u);
}

void FieldReader::Real(Real48& field) {
    const auto b = Take(6);
    if (b.empty()) return;
    Real48::Bytes encoded{};
    std::copy(b.begin(), b.end(), encoded.begin());
    field = Real48::Decode(encoded);
}

void FieldReader::ShortString(std::string& field, std::size_t capacity) {
    const auto b = Take(1 + capacity);
    if (b.empty()) return;
    const std::size_t length = std::min<std::size_t>(b[0], capacity);
    field.assign(reinterpret_cast<const char*>(b.data() + 1), length);
}

}  // namespace tavrel
