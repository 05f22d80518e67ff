#pragma once
#include <array>
#include <cstdint>

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

    // The value x would be stored as.
    static long double Round(long double x);

    static constexpr long double kMax = 0x1.fffffffffep126L;  // (2 - 2^-39) * 2^126
    static constexpr long double kMinNormal = 0x1p-128L;

private:
    long double value_ = 0;
};

}  // namespace tavrel
