// The time axis of the step and impulse responses ends after the responses have settled:
// at 1.5 times the last time at which any usable approximation's step response is outside
// 1 % of its final value (1 % of the overall gain for the kinds that settle at zero).
#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

#include "calc_fixture.h"
#include "core/responses.h"
#include "support/case_name.h"

namespace tavrel {
namespace {

using testing::Calculated;
using testing::Spec;

struct SpanCase {
    const char* name;
    Spec spec;
};
void PrintTo(const SpanCase& c, std::ostream* os) { *os << c.name; }

constexpr int kProbes = 3000;

// The step response of the approximation at t, and the band it must stay in once settled,
// both from the point calculator's formula (the residues), not from the settling search.
struct Settling {
    long double final, band;
};
Settling BandOf(const DesignState& state, int approx, long double horizon) {
    const long double final = IdealTimeResponseAt(state, approx, 1e6L * horizon).step;
    // A highpass step starts at the overall gain and falls to 0; so does the reference of
    // the kinds that settle at 0.
    const long double reference = std::fabs(final) > 1e-9L ? std::fabs(final) : static_cast<long double>(state.OverallGain);
    return {final, 0.01L * reference};
}

bool Outside(const DesignState& state, int approx, const Settling& s, long double t) {
    return std::fabs(IdealTimeResponseAt(state, approx, t).step - s.final) > s.band;
}

class TimeSpanTest : public ::testing::TestWithParam<SpanCase> {};

TEST_P(TimeSpanTest, EndsAtOneAndAHalfTimesTheSettling) {
    const DesignState state = Calculated(GetParam().spec);
    const long double span = state.TimeSpan, settled = span / 1.5L;
    ASSERT_GT(span, 0);
    bool someOutsideAtTheSettling = false;
    for (int approx = 0; approx < kApproxCount; ++approx) {
        if (!IsUsable(state, approx)) continue;
        const Settling s = BandOf(state, approx, span);
        // Settled from the settling time to the end of the axis, for every approximation.
        for (int k = 1; k <= kProbes; ++k) {
            const long double t = settled + (span - settled) * k / kProbes;
            ASSERT_FALSE(Outside(state, approx, s, t)) << "approximation " << approx << " at t = " << double(t);
        }
        // One of them is still outside just before it.
        for (int k = 0; k <= 200 && !someOutsideAtTheSettling; ++k)
            someOutsideAtTheSettling = Outside(state, approx, s, settled * (1 - 2e-3L * k / 200));
    }
    EXPECT_TRUE(someOutsideAtTheSettling);
    EXPECT_DOUBLE_EQ(static_cast<double>(state.TimeGrid[kGridPoints - 1]), static_cast<double>(state.TimeSpan));
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, TimeSpanTest,
    ::testing::Values(SpanCase{"default lowpass", {}},
                      SpanCase{"highpass", {.kind = FilterKind::Highpass}},
                      SpanCase{"bandpass", {.kind = FilterKind::Bandpass}},
                      SpanCase{"bandstop", {.kind = FilterKind::Bandstop}},
                      SpanCase{"steep lowpass", {.apb = "0.1", .asb = "60", .f2 = "1.3"}},
                      SpanCase{"third order lowpass", {.forced = "3"}}),
    testing_support::PrintedName());

}  // namespace
}  // namespace tavrel
