#include "core/order_estimate.h"

#include <gtest/gtest.h>

#include <cmath>

#include "calc_fixture.h"

namespace tavrel {
namespace {

using testing::Calculated;
using testing::Spec;

TEST(OrderEstimate, WorkedExampleOfTheDefaultLowpass) {
    DesignState state = Calculated({});
    EXPECT_NEAR(RawOrder(state, Butterworth), 6.50, 0.005);
    EXPECT_NEAR(RawOrder(state, Chebyshev), 3.95, 0.005);
    EXPECT_NEAR(RawOrder(state, InverseChebyshev), 3.95, 0.005);
    EXPECT_NEAR(RawOrder(state, Elliptic), 2.93, 0.005);
    const long double a = std::pow(10.0L, 3.0L) - 1, p = std::pow(10.0L, 0.05L) - 1;
    EXPECT_NEAR(a / p, 8187, 1);
    EXPECT_EQ(state.Approx[Butterworth].Order, 7);
    EXPECT_EQ(state.Approx[Chebyshev].Order, 4);
    EXPECT_EQ(state.Approx[InverseChebyshev].Order, 4);
    EXPECT_EQ(state.Approx[Elliptic].Order, 3);
    EXPECT_EQ(state.Approx[Butterworth].PolePairCount, 3);
    EXPECT_EQ(state.Approx[Butterworth].HasRealPole, 1);
    EXPECT_EQ(state.Approx[Elliptic].ZeroPairCount, 1);
}

TEST(OrderEstimate, AnExactIntegerIsNotRaised) {
    EXPECT_EQ(CeilOrder(3.0L), 3);
    EXPECT_EQ(CeilOrder(3.0000001L), 4);
    EXPECT_EQ(CeilOrder(2.93L), 3);
    EXPECT_EQ(CeilOrder(1e-9L), 1);
}

TEST(OrderEstimate, ForcedOrderOfBandFiltersIsHalved) {
    DesignState state = Calculated({.kind = FilterKind::Bandpass, .forced = "8"});
    for (int approx = 0; approx < kApproxCount; ++approx) {
        EXPECT_EQ(state.Approx[approx].Order, 8) << approx;  // 2 x prototype order 4
        EXPECT_EQ(state.Approx[approx].PolePairCount, 4) << approx;
    }
}

TEST(OrderEstimate, BandpassPrototypeOfOrder11IsTooHigh) {
    // Butterworth needs ln(A/P) / (2 ln S) = 10.49 here: prototype order 11.
    DesignState state = Calculated({.kind = FilterKind::Bandpass, .apb = "0.5", .asb = "54", .f1 = "1", .f2 = "2"});
    EXPECT_EQ(CeilOrder(RawOrder(state, Butterworth)), 11);
    EXPECT_EQ(state.Approx[Butterworth].OrderTooHigh, 1);
    EXPECT_EQ(state.Approx[Butterworth].PolePairCount, 5);
    EXPECT_EQ(state.PolePair[Butterworth][1].C0N, 0);  // no poles computed
    // The same prototype order is fine for a lowpass.
    DesignState lowpass = Calculated({.apb = "0.5", .asb = "54"});
    EXPECT_EQ(lowpass.Approx[Butterworth].Order, 11);
    EXPECT_EQ(lowpass.Approx[Butterworth].OrderTooHigh, 0);
}

TEST(OrderEstimate, UnreachableStopbandsAreTooHigh) {
    // Stopband edge inside the passband: no order meets it (the warning was shown).
    DesignState inside = Calculated({.f1 = "2", .f2 = "1"});
    for (int approx = 0; approx < kApproxCount; ++approx) EXPECT_EQ(inside.Approx[approx].OrderTooHigh, 1) << approx;
    EXPECT_FALSE(inside.ResultsValid);
    // A stopband attenuation below the passband's asks for no filter: order 0 for every
    // approximation, shown in the table but not offered.
    DesignState easy = Calculated({.apb = "3", .asb = "1"});
    for (int approx = 0; approx < kApproxCount; ++approx) {
        EXPECT_EQ(easy.Approx[approx].Order, 0) << approx;
        EXPECT_FALSE(IsUsable(easy, approx)) << approx;
    }
    EXPECT_TRUE(easy.ResultsValid);
}

}  // namespace
}  // namespace tavrel
