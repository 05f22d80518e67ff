#include "core/real48.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "core/arithmetic_failure.h"

namespace tavrel {
namespace {

using Bytes = Real48::Bytes;

TEST(Real48, EncodesTheKnownExamples) {
    EXPECT_EQ(Real48(1.0L).Encode(), (Bytes{0x81, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Real48(2.0L).Encode(), (Bytes{0x82, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Real48(-1000.0L).Encode(), (Bytes{0x8A, 0, 0, 0, 0, 0xFA}));
    EXPECT_EQ(Real48(0.0L).Encode(), (Bytes{0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(static_cast<long double>(Real48::Decode({0x8A, 0, 0, 0, 0, 0xFA})), -1000.0L);
}

TEST(Real48, ZeroExponentMeansZeroWhateverTheOtherBytes) {
    EXPECT_EQ(static_cast<long double>(Real48::Decode({0, 0xFF, 0x12, 0x34, 0x56, 0xFF})), 0.0L);
}

TEST(Real48, RoundsToNearestWith39FractionBits) {
    const long double ulp = std::ldexp(1.0L, -39);
    EXPECT_EQ(static_cast<long double>(Real48(1 + 0.4L * ulp)), 1.0L);
    EXPECT_EQ(static_cast<long double>(Real48(1 + 0.6L * ulp)), 1 + ulp);
    EXPECT_EQ(static_cast<long double>(Real48(-(1 + 0.6L * ulp))), -(1 + ulp));
    // Rounding up out of the mantissa moves to the next power of two.
    EXPECT_EQ(static_cast<long double>(Real48(2 - 0.4L * ulp)), 2.0L);
    EXPECT_EQ(Real48(2 - 0.4L * ulp).Encode(), (Bytes{0x82, 0, 0, 0, 0, 0}));
}

TEST(Real48, RangeRule) {
    EXPECT_NO_THROW(Real48(1.7e38L));
    EXPECT_THROW(Real48(1.8e38L), ArithmeticFailure);
    EXPECT_THROW(Real48(-1e39L), ArithmeticFailure);
    EXPECT_THROW(Real48::Round(INFINITY), ArithmeticFailure);
    EXPECT_THROW(Real48::Round(NAN), ArithmeticFailure);
    EXPECT_EQ(static_cast<long double>(Real48(2.9e-39L)), 0.0L);  // just below 2^-128
    EXPECT_NE(static_cast<long double>(Real48(2.95e-39L)), 0.0L);
    EXPECT_EQ(static_cast<long double>(Real48(1e-40L)), 0.0L);
    EXPECT_EQ(static_cast<long double>(Real48(-1e-45L)), 0.0L);
    EXPECT_EQ(static_cast<long double>(Real48(Real48::kMinNormal)), Real48::kMinNormal);
    EXPECT_EQ(static_cast<long double>(Real48(Real48::kMax)), Real48::kMax);
}

TEST(Real48, StoringCompoundResultsRounds) {
    Real48 x = 1;
    x /= 3;
    EXPECT_EQ(static_cast<long double>(x), Real48::Round(1.0L / 3));
    EXPECT_NE(static_cast<long double>(x), 1.0L / 3);
    EXPECT_THROW(x *= 1e39L, ArithmeticFailure);
    EXPECT_EQ(static_cast<long double>(x), Real48::Round(1.0L / 3));  // a failed store keeps the value
}

TEST(Real48, DecodeOfEncodeIsTheStoredValueExactly) {
    std::mt19937_64 random(20261210);
    std::uniform_int_distribution<int> exponent(-128, 125);
    std::uniform_real_distribution<double> mantissa(1.0, 2.0);
    for (int i = 0; i < 100000; ++i) {
        const long double x = (i % 2 ? -1 : 1) * std::ldexp(static_cast<long double>(mantissa(random)) + 1e-13L * (i % 7), exponent(random));
        const Real48 stored = x;
        const Real48 back = Real48::Decode(stored.Encode());
        ASSERT_EQ(static_cast<long double>(back), static_cast<long double>(stored)) << static_cast<double>(x);
        ASSERT_LE(std::fabs(static_cast<long double>(stored) - x), std::fabs(x) * std::ldexp(1.0L, -40) + Real48::kMinNormal);
    }
}

}  // namespace
}  // namespace tavrel
