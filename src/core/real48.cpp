#include "core/real48.h"

#include <cmath>
#include <bit>
#include <limits>

#include "core/arithmetic_failure.h"

namespace tavrel {

namespace {
constexpr int kFractionBits = 39;
constexpr int kBias = 129;
}  // namespace

long double Real48::Round(long double x) {
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
    constexpr int kDropped = 64 - (kFractionBits + 1);
    Bits bits = std::bit_cast<Bits>(x);
    int exponent = static_cast<int>(bits.signExponent & 0x7FFF);
    const std::uint64_t sign = bits.signExponent & 0x8000;
    if (exponent == 0x7FFF)
        throw ArithmeticFailure((bits.mantissa << 1) != 0 ? kInvalidOperationText : kOverflowText);
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
    if (exponent > kHighest) throw ArithmeticFailure(kOverflowText);
    if (exponent < kLowest) return 0;
    return std::bit_cast<long double>(Bits{mantissa, sign | static_cast<std::uint64_t>(exponent)});
}

Real48::Bytes Real48::Encode() const {
    Bytes bytes{};
    if (value_ == 0) return bytes;
    int exponent = 0;
    const long double mantissa = std::frexp(std::fabs(value_), &exponent);  // value = m * 2^exponent
    // value = (1 + f/2^39) * 2^(e - 129) with 1 + f/2^39 = 2m, so e = exponent - 1 + 129.
    bytes[0] = static_cast<std::uint8_t>(exponent - 1 + kBias);
    const auto fraction =
        static_cast<std::uint64_t>(std::ldexp(2 * mantissa - 1, kFractionBits));
    std::uint64_t bits = fraction | (std::signbit(value_) ? (std::uint64_t{1} << 39) : 0);
    for (int i = 1; i <= 5; ++i) {
        bytes[i] = static_cast<std::uint8_t>(bits & 0xFF);
        bits >>= 8;
    }
    return bytes;
}

Real48 Real48::Decode(const Bytes& bytes) {
    Real48 r;
    if (bytes[0] == 0) return r;
    std::uint64_t bits = 0;
    for (int i = 5; i >= 1; --i) bits = (bits << 8) | bytes[i];
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 39) - 1);
    const bool negative = (bits >> 39) & 1;
    const long double magnitude =
        std::ldexp(1.0L + std::ldexp(static_cast<long double>(fraction), -kFractionBits),
                   bytes[0] - kBias);
    r.value_ = negative ? -magnitude : magnitude;
    return r;
}

}  // namespace tavrel
