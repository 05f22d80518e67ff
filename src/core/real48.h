#pragma once
#include <array>
#include <bit>
#include <cstdint>
#include <limits>

namespace tavrel {

// The 6-byte real of every stored value: byte 0 is the exponent biased by 129
// (0 means zero), bytes 1..5 hold 39 fraction bits and the sign bit.
// Assigning rounds to nearest; a magnitude beyond the range throws
// ArithmeticFailure, a magnitude below it stores 0. Arithmetic is done in long double.
class Real48 {
public:
    using Bytes = std::array<std::uint8_t, 6>;

    Real48() = default;
    Real48(long double x) : value_(Round(x)) {}  // NOLINT: stores convert implicitly
    operator long double() const { return value_; }  // NOLINT

    Real48& operator+=(long double x) { return *this = value_ + x; }
    Real48& operator-=(long double x) { return *this = value_ - x; }
    Real48& operator*=(long double x) { return *this = value_ * x; }
    Real48& operator/=(long double x) { return *this = value_ / x; }

    Bytes Encode() const;
    static Real48 Decode(const Bytes& bytes);

    // The value x would be stored as. Every store goes through here, so it is inline.
    static long double Round(long double x);

    static constexpr long double kMax = 0x1.fffffffffep126L;  // (2 - 2^-39) * 2^126
    static constexpr long double kMinNormal = 0x1p-128L;

private:
    [[noreturn]] static void ThrowOutOfRange(bool invalidOperation);

    long double value_ = 0;
};

inline long double Real48::Round(long double x) {
    // The extended format keeps 64 mantissa bits with an explicit leading one and a
    // 15-bit exponent biased by 16383; Real48 keeps 40 mantissa bits. The 24 dropped bits
    // are rounded to nearest (ties to even) on the integer.
    static_assert(sizeof(long double) == 16 && std::numeric_limits<long double>::digits == 64);
    struct Bits {
        std::uint64_t mantissa;
        std::uint64_t signExponent;  // low 16 bits; the rest is padding
    };
    constexpr int kExtendedBias = 16383;
    constexpr int kLowest = kExtendedBias - 128;   // 2^-128, the smallest Real48
    constexpr int kHighest = kExtendedBias + 126;  // below 2^127
    constexpr int kDropped = 64 - 40;
    Bits bits = std::bit_cast<Bits>(x);
    int exponent = static_cast<int>(bits.signExponent & 0x7FFF);
    const std::uint64_t sign = bits.signExponent & 0x8000;
    if (exponent == 0x7FFF) ThrowOutOfRange((bits.mantissa << 1) != 0);
    if (exponent < kLowest - 1) return 0;
    const std::uint64_t half = std::uint64_t{1} << (kDropped - 1);
    const std::uint64_t dropped = bits.mantissa & ((half << 1) - 1);
    std::uint64_t mantissa = bits.mantissa & ~((half << 1) - 1);
    if (dropped > half || (dropped == half && (mantissa >> kDropped) & 1)) {
        mantissa += half << 1;
        if (mantissa == 0) {  // carried out of the top bit: the next power of two
            mantissa = std::uint64_t{1} << 63;
            ++exponent;
        }
    }
    if (exponent > kHighest) ThrowOutOfRange(false);
    if (exponent < kLowest) return 0;
    return std::bit_cast<long double>(Bits{mantissa, sign | static_cast<std::uint64_t>(exponent)});
}

}  // namespace tavrel
