#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/real48.h"

namespace tavrel {

// The design file is written and read through one list of fields per record (the *Fields
// templates of the section files), walked by a writer or by a reader. The writer appends each
// field's bytes little-endian; the reader takes them from the file's bytes in the same order,
// so a record's layout is stated once and both directions follow it.

class FieldWriter {
public:
    void Byte(std::uint8_t value) { bytes_.push_back(value); }
    void Flag(bool value) { Byte(value ? 1 : 0); }
    void Int16(std::int16_t value);
    void Int32(std::int32_t value);
    void Real(const Real48& value);
    // A short string of the given capacity: a length byte and `capacity` character bytes, the
    // text cut to the capacity and the unused places written as zeros.
    void ShortString(const std::string& text, std::size_t capacity);
    // Bytes the format leaves unwritten: zeros.
    void Unwritten(std::size_t count) { bytes_.insert(bytes_.end(), count, 0); }

    std::size_t Size() const { return bytes_.size(); }
    std::vector<std::uint8_t> Take() { return std::move(bytes_); }

private:
    std::vector<std::uint8_t> bytes_;
};

// Reads fields in file order. A read past the end of the bytes leaves its field as it was and
// marks the stream short; the caller checks Short() at the end of a section.
class FieldReader {
public:
    explicit FieldReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    void Byte(std::uint8_t& field);
    void Flag(bool& field);
    void Int16(std::int16_t& field);
    void Int32(std::int32_t& field);
    void Real(Real48& field);
    // The text is the first min(length, capacity) characters; the rest of the field is ignored.
    void ShortString(std::string& field, std::size_t capacity);
    void Unwritten(std::size_t count) { Take(count); }

    bool Short() const { return short_; }
    std::size_t Position() const { return at_; }

private:
    // The next `count` bytes, or an empty span (and the stream short) when they are not there.
    std::span<const std::uint8_t> Take(std::size_t count);

    std::span<const std::uint8_t> bytes_;
    std::size_t at_ = 0;
    bool short_ = false;
};

}  // namespace tavrel
