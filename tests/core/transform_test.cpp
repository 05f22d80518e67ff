#include "core/transform.h"

#include <gtest/gtest.h>

#include <cmath>

#include "calc_fixture.h"
#include "core/math_helpers.h"
#include "core/responses.h"

namespace tavrel {
namespace {

using testing::Calculated;

TEST(Transform, LowpassButterworthScalesEveryPoleByTheEdge) {
    DesignState state = Calculated({});
    const long double r = std::pow(std::pow(10.0L, 0.05L) - 1, -1.0L / 14);
    for (int k = 1; k <= 3; ++k)
        EXPECT_NEAR(state.PolePair[Butterworth][k].W0p / (2000 * kPi * r), 1, 1e-11L) << k;
    // The text carries GainConstN * Wpb^7 as mantissa and exponent.
    const long double k = std::pow(2000 * kPi * r, 7.0L);
    const int exponent = static_cast<int>(std::floor(std::log10(k)));
    const std::string text = state.Approx[Butterworth].GainText;
    EXPECT_EQ(text.substr(text.find('E')), "E+" + std::to_string(exponent));
    EXPECT_NEAR(std::stold(text.substr(0, text.find(' '))), k / std::pow(10.0L, exponent), 6e-6L);
}

TEST(Transform, TwentiethOrderAt100MHzStaysInRange) {
    CalcOutcome outcome;
    DesignState state = Calculated({.f1 = "100000", .forced = "20"}, &outcome);  // 100 MHz
    ASSERT_FALSE(outcome.error);
    ASSERT_TRUE(state.GainAccepted);
    EXPECT_EQ(state.Approx[Butterworth].Order, 20);
    const std::string text = state.Approx[Butterworth].GainText;
    EXPECT_NE(text.find("E+17"), std::string::npos) << text;  // (2 pi 1e8)^20 ~ 1e177
    // Unity gain at the low end of the grid, Apb at the edge.
    EXPECT_NEAR(state.IdealResponse[Butterworth][0].GainDb, 0, 1e-9);
    EXPECT_NEAR(state.IdealResponse[Butterworth][175].GainDb, -0.5, 1e-9);
}

TEST(Transform, OddHighpassHasZerosAtTheOrigin) {
    DesignState state = Calculated({.kind = FilterKind::Highpass});
    const ApproxRecord& record = state.Approx[Butterworth];
    ASSERT_EQ(record.Order, 7);
    EXPECT_EQ(record.HasRealZero, 1);
    EXPECT_EQ(record.RealZero, 0);
    EXPECT_EQ(record.ZeroPairCount, 3);
    EXPECT_EQ(record.RealZeroCount, 7);
    for (int k = 1; k <= 3; ++k) EXPECT_EQ(state.ZeroPair[Butterworth][k].Wz2, 0);
    // Stored phase lag at the low end of the grid: -(P * 180 + 90) degrees.
    EXPECT_NEAR(IdealResponseAt(state, Butterworth, 1e-9L).phaseDeg, -(3 * 180 + 90), 1e-6);
    EXPECT_NEAR(state.IdealResponse[Butterworth][175].GainDb, -0.5, 1e-9);  // the edge
}

TEST(Transform, BandpassChebyshevOrder3) {
    DesignState state = Calculated({.kind = FilterKind::Bandpass, .forced = "6"});
    const ApproxRecord& record = state.Approx[Chebyshev];
    ASSERT_EQ(record.Order, 6);
    ASSERT_EQ(record.PolePairCount, 3);
    const auto& pairs = state.PolePair[Chebyshev];
    const long double w0 = 4000 * kPi, bpb = 2000 * kPi;
    EXPECT_NEAR(pairs[1].W0p * pairs[2].W0p / (w0 * w0), 1, 1e-11L);
    EXPECT_NEAR(pairs[1].Qp / pairs[2].Qp, 1, 1e-11L);
    EXPECT_NEAR(pairs[3].C0 / (w0 * w0), 1, 1e-11L);
    const long double sh = std::sinh(std::asinh(1 / std::sqrt(std::pow(10.0L, 0.05L) - 1)) / 3);
    EXPECT_NEAR(pairs[3].B0 / (sh * bpb), 1, 1e-11L);
    EXPECT_EQ(record.HasRealPole, 0);
    EXPECT_EQ(record.HasRealZero, 1);
    EXPECT_EQ(record.RealZeroCount, 3);  // the real zero and the zero pair at the origin
    // Passband edges W0 -+ Bpb/2 around the geometric center have the ripple attenuation.
    const long double lower = -bpb / 2 + std::sqrt(bpb * bpb / 4 + w0 * w0);
    EXPECT_NEAR(IdealResponseAt(state, Chebyshev, lower).gainDb, -0.5, 1e-9);
    EXPECT_NEAR(IdealResponseAt(state, Chebyshev, lower + bpb).gainDb, -0.5, 1e-9);
    EXPECT_NEAR(IdealResponseAt(state, Chebyshev, w0).gainDb, 0, 1e-9);
}

TEST(Transform, BandstopEllipticZeroPairsMultiplyToW0ToTheFourth) {
    DesignState state = Calculated({.kind = FilterKind::Bandstop, .forced = "8"});
    const ApproxRecord& record = state.Approx[Elliptic];
    ASSERT_EQ(record.Order, 8);
    ASSERT_EQ(record.ZeroPairCount, 4);
    const long double w0 = 4000 * kPi;
    for (int k = 1; k <= 2; ++k) {
        const long double product = state.ZeroPair[Elliptic][k].Wz2 * state.ZeroPair[Elliptic][k + 2].Wz2;
        EXPECT_NEAR(product / std::pow(w0, 4), 1, 1e-10L) << k;
    }
    // Gain 1 far from the center (even order elliptic: -Apb at DC), deep inside the stop band.
    EXPECT_NEAR(IdealResponseAt(state, Elliptic, 1).gainDb, -0.5, 1e-6);
    EXPECT_LT(IdealResponseAt(state, Elliptic, w0).gainDb, -20);
}

TEST(Transform, WideBandFromAnOddPrototypeIsTwoRealPoles) {
    // Forced order 2 with Bpb = W0: the prototype's real pole gives a pair with Q < 0.5.
    DesignState state = Calculated({.kind = FilterKind::Bandpass, .f1 = "2", .f0 = "1", .forced = "2"});
    const PolePairRecord& pair = state.PolePair[Butterworth][1];
    ASSERT_LT(pair.Qp, 0.5);
    // Phase and delay of two real poles s1 s2 = C0, s1 + s2 = B0, with the zero at the origin.
    const long double sigma = pair.B0 / 2, root = std::sqrt(sigma * sigma - pair.C0);
    const long double s1 = sigma - root, s2 = sigma + root;
    for (long double w : {100.0L, 3000.0L, 1e5L}) {
        const FrequencyPoint point = IdealResponseAt(state, Butterworth, w);
        EXPECT_NEAR(point.phaseRad, std::atan(w / s1) + std::atan(w / s2) - kPi / 2, 1e-12L);
        EXPECT_NEAR(point.delaySec, s1 / (s1 * s1 + w * w) + s2 / (s2 * s2 + w * w), 1e-15L);
    }
    // Step response of G s / ((s + s1)(s + s2)): G (e^-s1 t - e^-s2 t) / (s2 - s1).
    const long double g = state.OverallGain * state.Approx[Butterworth].GainConst * state.Bpb;
    for (long double t : {1e-5L, 1e-4L, 1e-3L}) {
        const long double expected = g * (std::exp(-s1 * t) - std::exp(-s2 * t)) / (s2 - s1);
        EXPECT_NEAR(IdealTimeResponseAt(state, Butterworth, t).step, expected, 1e-12L);
    }
}

TEST(Transform, EllipticOrderOneIsTheInverseChebyshevFilter) {
    DesignState state = Calculated({.forced = "1"});
    EXPECT_EQ(state.Approx[Elliptic].RealPole, state.Approx[InverseChebyshev].RealPole);
    EXPECT_EQ(state.Approx[Elliptic].GainConst, state.Approx[InverseChebyshev].GainConst);
    DesignState band = Calculated({.kind = FilterKind::Bandpass, .forced = "2"});
    EXPECT_EQ(band.PolePair[Elliptic][1].C0, band.PolePair[InverseChebyshev][1].C0);
    EXPECT_EQ(band.PolePair[Elliptic][1].B0, band.PolePair[InverseChebyshev][1].B0);
}

}  // namespace
}  // namespace tavrel
