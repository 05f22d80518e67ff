#include "core/prototypes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "calc_fixture.h"
#include "core/arithmetic_failure.h"
#include "core/math_helpers.h"
#include "core/order_estimate.h"
#include "core/responses.h"

namespace tavrel {
namespace {

using testing::Calculated;
using testing::Spec;

TEST(Prototypes, ButterworthPolesLieOnACircleOfRadiusR) {
    DesignState state = Calculated({});
    const long double r = std::pow(std::pow(10.0L, 0.05L) - 1, -1.0L / 14);
    EXPECT_NEAR(r, 1.1621L, 5e-5L);
    for (int k = 1; k <= 3; ++k) EXPECT_NEAR(state.PolePair[Butterworth][k].C0N, r * r, 1e-11L) << k;
    EXPECT_NEAR(state.Approx[Butterworth].RealPoleN, r, 1e-11L);
    // Pole Q of pair k of a Butterworth filter: 1 / (2 sin((2k-1) pi / 2N)).
    EXPECT_NEAR(state.PolePair[Butterworth][1].Qp, 1 / (2 * std::sin(kPi / 14)), 1e-11L);
}

TEST(Prototypes, EvenChebyshevStartsAtMinusApb) {
    DesignState state = Calculated({.forced = "4"});
    const ApproxRecord& record = state.Approx[Chebyshev];
    long double c0 = 1;
    for (int k = 1; k <= 2; ++k) c0 *= state.PolePair[Chebyshev][k].C0N;
    // GainConst keeps the prototype's constant (GainConstN holds the mantissa of the text).
    EXPECT_NEAR(record.GainConst / c0, std::pow(10.0L, -0.025L), 1e-12L);
    EXPECT_NEAR(IdealResponseAt(state, Chebyshev, 0).gainDb, -0.5L, 1e-10L);
}

TEST(Prototypes, InverseChebyshevEpsilonRules) {
    // Exact integer order: epsilon from Asb, so the stopband has exactly Asb.
    DesignState exact = Calculated({});
    EXPECT_NEAR(InverseChebyshevEpsilon(exact, 4, true), std::sqrt(1 / (std::pow(10.0L, 3.0L) - 1)), 1e-15L);

    // Rounded-up order: epsilon from Apb, so the passband edge 1/S has exactly Apb.
    DesignState rounded = Calculated({});
    const long double p = std::pow(10.0L, 0.05L) - 1;
    EXPECT_NEAR(rounded.Epsilon, 1 / (std::cosh(4 * std::acosh(2.0L)) * std::sqrt(p)), 1e-12L);
    EXPECT_EQ(rounded.Asb, 30);  // unchanged
    EXPECT_NEAR(rounded.IdealResponse[InverseChebyshev][175].GainDb, -0.5L, 1e-9L);  // grid point 175 = Wpb

    // Forced order: epsilon from Apb and the reached stopband attenuation is written to Asb.
    DesignState forced = Calculated({.forced = "3"});
    const long double eps = 1 / (std::cosh(3 * std::acosh(2.0L)) * std::sqrt(p));
    EXPECT_NEAR(forced.Asb, 10 * std::log10(1 / (eps * eps) + 1), 1e-9L);
}

TEST(Prototypes, EllipticOrderOneHasOnlyTheRealPole) {
    DesignState state = Calculated({.apb = "3", .asb = "6"});
    const ApproxRecord& record = state.Approx[Elliptic];
    ASSERT_EQ(record.Order, 1);
    EXPECT_EQ(record.PolePairCount, 0);
    EXPECT_EQ(record.ZeroPairCount, 0);
    EXPECT_GT(record.RealPoleN, 0);
    EXPECT_EQ(record.GainConstN, record.RealPoleN);  // unit gain at DC
}

TEST(Prototypes, EllipticEvenAndOddOrderZeros) {
    // The zeros of an elliptic filter are at sqrt(S)/sn(...) > sqrt(S): above the stopband edge
    // of the prototype, in increasing order for odd (mu = 1, 2, ..) and even (0.5, 1.5, ..) orders.
    for (const char* order : {"4", "5"}) {
        DesignState state = Calculated({.forced = order});
        const int pairs = state.Approx[Elliptic].PolePairCount;
        for (int k = 1; k <= pairs; ++k) {
            EXPECT_GE(state.Zero[Elliptic][k].WzN, std::sqrt(2.0L)) << order << " " << k;
            if (k > 1) {
                EXPECT_LT(state.Zero[Elliptic][k].WzN, state.Zero[Elliptic][k - 1].WzN);
            }
        }
    }
}

TEST(Prototypes, EllipticWithoutAStableRealPoleFails) {
    // Forced order 2 with a tiny ripple puts Lambda beyond -ln(q)/2.
    CalcOutcome outcome;
    DesignState state = Calculated({.apb = "0.001", .forced = "2"}, &outcome);
    EXPECT_TRUE(state.ApproxFailed[Elliptic]);
    EXPECT_TRUE(state.ComputationFailed[Elliptic]);
    EXPECT_FALSE(IsUsable(state, Elliptic));
    EXPECT_TRUE(IsUsable(state, Butterworth));
    EXPECT_TRUE(outcome.nextEnabled);
}

TEST(Prototypes, BesselIsNormalizedToApbAtTheEdge) {
    BesselTable table = *LoadBesselTable(testing::Env().bessRootFile);
    // Within 0.0001 dB of Apb, and within a ten-thousandth of a passband below 1 dB.
    for (const long double apb : {3.0L, 0.5L, 0.001L}) {
        for (int n = 1; n <= 20; ++n) {
            const long double wn = BesselNormalizingFrequency(table, n, apb);
            EXPECT_LE(std::fabs(BesselMagnitudeDb(table, n, wn, apb)), 1e-4L * std::min(1.0L, apb))
                << "order " << n << " Apb " << static_cast<double>(apb);
        }
    }
    DesignState state = Calculated({.apb = "3", .asb = "20", .f2 = "4"});
    ASSERT_FALSE(state.Approx[Bessel].OrderTooHigh);
    EXPECT_NEAR(state.IdealResponse[Bessel][175].GainDb, -3, 1e-4);
}

TEST(Prototypes, BesselSearchesTheLowestOrderAndGivesUpAfter20) {
    DesignState state = Calculated({.apb = "3", .asb = "20", .f2 = "4"});
    const int n = state.Approx[Bessel].Order;
    ASSERT_GT(n, 1);
    BesselTable table = *LoadBesselTable(testing::Env().bessRootFile);
    auto attenuation = [&](int order) {
        const long double wn = BesselNormalizingFrequency(table, order, 3);
        return 3 - BesselMagnitudeDb(table, order, 4 * wn, 3);
    };
    EXPECT_GE(attenuation(n), 20);
    EXPECT_LT(attenuation(n - 1), 20);
    DesignState steep = Calculated({});  // 30 dB one octave from a 0.5 dB edge
    EXPECT_EQ(steep.Approx[Bessel].OrderTooHigh, 1);
    EXPECT_EQ(steep.Approx[Bessel].Order, 21);
}

// A root table the program cannot use: missing, short, or damaged so that a root leaves the
// left half-plane (all bytes 0xFF; one pair of order 20 mirrored into the right half-plane).
TEST(Prototypes, MissingShortOrDamagedRootTableStopsTheCalculation) {
    const auto dir = std::filesystem::temp_directory_path() / "tavrel-bessel-test";
    std::filesystem::create_directories(dir);
    std::string bytes(kBesselTableBytes, '\0');
    std::ifstream(testing::Env().bessRootFile, std::ios::binary).read(bytes.data(), kBesselTableBytes);
    const auto shortFile = dir / "short.dat", filled = dir / "filled.dat", mirrored = dir / "mirrored.dat";
    std::ofstream(shortFile, std::ios::binary).write(bytes.data(), kBesselTableBytes - 1);
    std::ofstream(filled, std::ios::binary) << std::string(kBesselTableBytes, '\xFF');
    {
        BesselTable table{};
        std::copy(bytes.begin(), bytes.end(), table.begin());
        const size_t offset = 19 * 120 + 3 * 12;  // order 20, pair 4: sigma
        const Real48::Bytes flipped = Real48(-BesselTableRoot(table, 20, 3).sigma).Encode();
        std::copy(flipped.begin(), flipped.end(), bytes.begin() + static_cast<long>(offset));
        std::ofstream(mirrored, std::ios::binary).write(bytes.data(), kBesselTableBytes);
    }
    EXPECT_TRUE(LoadBesselTable(testing::Env().bessRootFile));
    for (const auto& path : {shortFile, dir / "absent.dat", filled, mirrored}) {
        EXPECT_FALSE(LoadBesselTable(path)) << path;
        DesignState state;
        const CalcOutcome outcome = Calculate(state, DefaultEntries(FilterKind::Lowpass, false), {path});
        ASSERT_TRUE(outcome.error) << path;
        EXPECT_EQ(*outcome.error, "Unable to open file BessRoot.dat. This file should be in the application directory");
        EXPECT_FALSE(state.ResultsValid);
        EXPECT_FALSE(outcome.nextEnabled);
        EXPECT_EQ(state.Approx[Butterworth].Order, 7);  // the others keep their prototypes
    }
    std::filesystem::remove_all(dir);
}

// Order 1: |H| = s/sqrt(s^2 + w^2), so the attenuation reaches Apb at w = s*sqrt(10^(Apb/10) - 1).
// At 700 dB that is about 1e35*s, still a stored value; at 800 dB it is beyond the stored range,
// and a huge Apb, which once doubled the search bracket for ever, ends the same way.
TEST(Prototypes, BesselNormalizationBeyondTheStoredRangeIsAnOverflow) {
    const BesselTable table = *LoadBesselTable(testing::Env().bessRootFile);
    const long double s = BesselTableRoot(table, 1, 0).sigma;
    const long double wn = BesselNormalizingFrequency(table, 1, 700);
    EXPECT_NEAR(std::log10(wn), std::log10(s * std::sqrt(std::pow(10.0L, 70.0L) - 1)), 1e-5L);
    for (const long double apb : {800.0L, 40000.0L, 100000.0L})
        EXPECT_THROW(BesselNormalizingFrequency(table, 1, apb), ArithmeticFailure) << apb;
}

}  // namespace
}  // namespace tavrel
