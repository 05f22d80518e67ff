#include "core/real48.h"

#include <cmath>

#include "core/arithmetic_failure.h"

namespace tavrel {

namespace {
constexpr int kFractionBits = 39;
constexpr int kBias = 129;
}  // namespace

void Real48::ThrowOutOfRange(bool invalidOperation) {
    throw ArithmeticFailure(invalidOperation ? kInvalidOperationText : kOverflowText);
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
