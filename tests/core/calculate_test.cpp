#include "core/calculate.h"

#include <gtest/gtest.h>

#include <cmath>

#include "calc_fixture.h"
#include "core/arithmetic_failure.h"
#include "core/math_helpers.h"
#include "core/order_estimate.h"
#include "core/responses.h"
#include "core/result_table.h"

namespace tavrel {
namespace {

using testing::Calculated;
using testing::EntriesOf;
using testing::Env;
using testing::Spec;

TEST(Calculate, RejectedEntryKeepsThePreviousResults) {
    DesignState state = Calculated({});
    const long double before = state.PolePair[Butterworth][1].C0;
    SpecEntries bad = EntriesOf({.apb = "x"});
    const CalcOutcome outcome = Calculate(state, bad, Env());
    ASSERT_TRUE(outcome.rejected);
    EXPECT_EQ(outcome.rejected->field, SpecField::Apb);
    EXPECT_FALSE(state.InputRejected);
    EXPECT_EQ(state.PolePair[Butterworth][1].C0, before);
    EXPECT_EQ(state.Approx[Butterworth].Order, 7);
}

TEST(Calculate, TooLargeNumbersAreAnArithmeticFailure) {
    DesignState state = Calculated({});
    const long double before = state.PolePair[Butterworth][1].C0;
    EXPECT_THROW(Calculate(state, EntriesOf({.f1 = "1e400"}), Env()), ArithmeticFailure);
    EXPECT_EQ(state.PolePair[Butterworth][1].C0, before);  // the entry store failed first
}

TEST(Calculate, OverflowInsideOneApproximationLeavesTheOthers) {
    // Wsb^2 of a 1e21 Hz stopband edge overflows Real48 in the inverse Chebyshev scaling
    // only; the entry itself still fits.
    CalcOutcome outcome;
    DesignState state = Calculated({.asb = "20", .f1 = "1e18", .f2 = "2e18", .unit = 0}, &outcome);
    EXPECT_TRUE(state.ComputationFailed[InverseChebyshev]);
    EXPECT_TRUE(state.ApproxFailed[InverseChebyshev]);
    EXPECT_FALSE(state.ComputationFailed[Butterworth]);
    EXPECT_TRUE(state.ResultsValid);
    EXPECT_TRUE(outcome.nextEnabled);
    const ResultTable table = BuildResultTable(state);
    EXPECT_EQ(table[9][2 + InverseChebyshev].text, "---");
    EXPECT_FALSE(table[9][2 + InverseChebyshev].red);
}

// Edges of 1e20 Hz overflow the stored pole data of every approximation: none of them is
// offered as usable, whatever its order.
TEST(Calculate, ApproximationsWhoseComputationFailedAreFailedEvenWhenAllFail) {
    for (const Spec& spec : {Spec{.f1 = "1e20", .f2 = "2e20", .unit = 0},
                             Spec{.kind = FilterKind::Bandpass, .f1 = "1e19", .f2 = "2e19", .f0 = "1e20", .unit = 0}}) {
        CalcOutcome outcome;
        const DesignState state = Calculated(spec, &outcome);
        EXPECT_FALSE(state.ResultsValid);
        EXPECT_FALSE(outcome.nextEnabled);
        for (int approx = 0; approx < kApproxCount; ++approx) {
            EXPECT_FALSE(IsUsable(state, approx)) << approx;
            if (!state.Approx[approx].OrderTooHigh) {
                EXPECT_TRUE(state.ApproxFailed[approx]) << approx;
            }
        }
    }
}

TEST(Calculate, PoleQAbove300IsShownButCannotBeChosen) {
    CalcOutcome outcome;
    DesignState state = Calculated({.kind = FilterKind::Bandpass, .f1 = "0.001", .f0 = "10", .forced = "20"}, &outcome);
    ASSERT_TRUE(state.ResultsValid);
    EXPECT_GT(state.Approx[Chebyshev].MaxPoleQ, 300);
    EXPECT_TRUE(state.ApproxFailed[Chebyshev]);
    const ResultTable table = BuildResultTable(state);
    EXPECT_EQ(table[9][2 + Chebyshev].text, ">300");
    EXPECT_TRUE(table[9][2 + Chebyshev].red);
    EXPECT_EQ(table[3][2 + Chebyshev].text, "---");
    EXPECT_EQ(table[2][2 + Chebyshev].text, "20");
}

TEST(Calculate, AnOrderBelowOneCannotBeChosen) {
    // Apb 40 dB above Asb 30 dB: CheckSpec warns and the calculation goes on. The raw orders
    // (Butterworth ln(0.0999)/(2 ln 2) = -1.66, Chebyshev acosh of 0.316) ask for no filter;
    // every approximation comes out at order 0, is listed, and none can be chosen.
    CalcOutcome outcome;
    DesignState state = Calculated({.apb = "40", .asb = "30"}, &outcome);
    ASSERT_FALSE(outcome.warnings.empty());
    EXPECT_EQ(outcome.warnings.front(), "Stopband attenuation must exceed passband attenuation.");
    EXPECT_LT(RawOrder(state, Butterworth), 0);
    for (int approx = 0; approx < kApproxCount; ++approx) {
        EXPECT_EQ(state.Approx[approx].Order, 0) << approx;
        EXPECT_FALSE(state.ComputationFailed[approx]) << approx;
        EXPECT_FALSE(IsUsable(state, approx)) << approx;
    }
    EXPECT_TRUE(state.ResultsValid);
    EXPECT_FALSE(outcome.nextEnabled);
    const ResultTable table = BuildResultTable(state);
    EXPECT_EQ(table[2][2 + Butterworth].text, "0");
    for (int row = 3; row <= 9; ++row) EXPECT_EQ(table[row][2 + Chebyshev].text, "---") << row;
}

TEST(Calculate, GainRejectionKeepsResultsButNoResponses) {
    CalcOutcome outcome;
    DesignState state = Calculated({.gain = "0.05"}, &outcome);
    ASSERT_TRUE(outcome.gainRejected);
    EXPECT_EQ(outcome.gainRejected->message, "Minimum allowable overall gain is 0.1V/V.");
    EXPECT_TRUE(outcome.nextEnabled);
    EXPECT_TRUE(state.ResultsValid);
    EXPECT_FALSE(state.GainAccepted);
    EXPECT_FALSE(state.Recalculated);
}

TEST(Calculate, ResultTableOfTheDefaultLowpass) {
    DesignState state = Calculated({});
    const ResultTable t = BuildResultTable(state);
    const char* expected[10][7] = {
        {"Approximation:", "", "Butter-", "Cheby-", "Inverse", "Elliptic", "Bessel"},
        {"", "", "worth", "shev", "Cheby.", "", ""},
        {"Order", "", "7", "4", "4", "3", ">20"},
        {"Circuit stages", "", "4", "2", "2", "2", "---"},
        {"Passband ripple", "", "0 dB", "0.5 dB", "0 dB", "0.5 dB", "---"},
        {"Pole pairs", "", "3", "2", "2", "1", "---"},
        {"Single poles", "", "1", "0", "0", "1", "---"},
        {"Zero pairs", "", "0", "0", "2", "1", "---"},
        {"Single zeros", "", "0", "0", "0", "0", "---"},
        {"Max. pole Qp", "", "2.2", "2.9", "1.6", "2.0", "---"},
    };
    for (int r = 0; r < kResultRows; ++r)
        for (int c = 0; c < kResultColumns; ++c) EXPECT_EQ(t[r][c].text, expected[r][c]) << r << "," << c;
}

TEST(Calculate, ResultTableDashRules) {
    // Order 2: no ripple entry; forced order 1: no pole Q.
    const ResultTable two = BuildResultTable(Calculated({.forced = "2"}));
    EXPECT_EQ(two[4][2 + Chebyshev].text, "---");
    const ResultTable one = BuildResultTable(Calculated({.forced = "1"}));
    EXPECT_EQ(one[9][2 + Butterworth].text, "---");
    EXPECT_EQ(one[3][2 + Butterworth].text, "1");
    // A Q of 10 or more has no decimals, below 1 two.
    DesignState sharp = Calculated({.apb = "0.1", .asb = "80", .f2 = "1.2"});
    EXPECT_EQ(BuildResultTable(sharp)[9][2 + Elliptic].text,
              std::to_string(static_cast<int>(std::lround(static_cast<long double>(sharp.Approx[Elliptic].MaxPoleQ)))));
}

TEST(Calculate, BesselDelayIsFlatInThePassband) {
    DesignState state = Calculated({.apb = "3", .asb = "40", .f2 = "8"});
    ASSERT_TRUE(IsUsable(state, Bessel));
    const auto& r = state.IdealResponse[Bessel];
    const long double d0 = r[0].DelaySec;
    // From a decade below the edge up to half the edge the delay moves by well under 1 %.
    for (int j = 0; j <= 122; ++j) EXPECT_NEAR(r[j].DelaySec / d0, 1, 0.005) << j;
    EXPECT_GT(std::fabs(state.IdealResponse[Chebyshev][175].DelaySec / state.IdealResponse[Chebyshev][0].DelaySec - 1), 0.1);
}

TEST(Calculate, ResponsesOfTheDefaultLowpass) {
    DesignState state = Calculated({});
    EXPECT_NEAR(state.FreqLo, 100, 1e-9);
    EXPECT_NEAR(state.FreqHi, 10000, 1e-6);
    EXPECT_NEAR(state.IdealResponse[Butterworth][175].GainDb, -0.5, 1e-9);  // 1 kHz
    EXPECT_NEAR(state.IdealResponse[Butterworth][0].GainDb, 0, 1e-3);
    // Lag tends to N * 90 degrees at high frequency; elliptic phase drops by 180 at its zero.
    EXPECT_NEAR(IdealResponseAt(state, Butterworth, 1e12L).phaseDeg, 630, 1e-3);
    const long double wz = state.Zero[Elliptic][1].Wz;
    EXPECT_NEAR(IdealResponseAt(state, Elliptic, wz * (1 - 1e-9L)).phaseDeg -
                    IdealResponseAt(state, Elliptic, wz * (1 + 1e-9L)).phaseDeg,
                180, 1e-3);
    // The notch nearest grid point is drawn to the bottom.
    const long double position = 350 * std::log10(wz / state.FreqGrid[0].W) / 2;
    const int j = static_cast<int>(std::lround(position));
    EXPECT_EQ(state.IdealResponse[Elliptic][j].GainDb, -200);
    EXPECT_EQ(state.IdealResponse[Elliptic][j].GainVv, 0);
    // Step response settles at the DC gain, the impulse response integrates to it.
    EXPECT_NEAR(state.IdealResponse[Butterworth][350].Step, 1, 1e-3);
    long double area = 0;
    for (int i = 1; i < kGridPoints; ++i)
        area += (state.IdealResponse[Butterworth][i].Impulse + state.IdealResponse[Butterworth][i - 1].Impulse) / 2 *
                (state.TimeGrid[i] - state.TimeGrid[i - 1]);
    EXPECT_NEAR(area, 1, 0.01);
}

}  // namespace
}  // namespace tavrel
