// Forming stages does not depend on where the filter sits in frequency: the same specification
// a million times lower or higher gives the same pairs, types, Q values, zero ratios and
// flatness figures. Catches fixed limits in the searches (a largest zero distance, a starting
// minimum) that only bite at very low or very high frequencies.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "stage_test_support.h"
#include "support/case_name.h"

namespace tavrel {
namespace {

struct ScaleCase {
    FilterKind kind;
    int order;
    long double factor;
};

void PrintTo(const ScaleCase& c, std::ostream* os) {
    static const char* const kKinds[] = {"lowpass", "highpass", "bandpass", "bandstop"};
    *os << kKinds[static_cast<int>(c.kind)] << " order " << c.order << (c.factor < 1 ? " a hundred million times lower" : " a million times higher");
}

std::string Scaled(const std::string& text, long double factor) {
    if (text.empty()) return text;
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.17Lg", std::stold(text) * factor);
    return buffer;
}

StageTables FormedStages(const ScaleCase& c, long double factor, int approx, DesignState& state) {
    SpecEntries entries = DefaultEntries(c.kind, false);
    entries.ForceOrder = true;
    entries.ForcedOrder = std::to_string(c.order);
    entries.F1 = Scaled(entries.F1, factor);
    entries.F2 = Scaled(entries.F2, factor);
    entries.F0 = Scaled(entries.F0, factor);
    state = DesignState{};
    state.FilterKind = c.kind;
    const CalcEnvironment env{std::string(TAVREL_BIN_DIR) + "/BessRoot.dat"};
    Calculate(state, entries, env);
    StageTables tables;
    if (IsUsable(state, approx)) test::FormStages(state, tables, approx);
    return tables;
}

// y is x moved by the factor (both 0 for a stage without the frequency).
void ExpectScaled(long double x, long double y, long double factor) {
    if (x == 0) {
        EXPECT_EQ(y, 0);
    } else {
        EXPECT_NEAR(static_cast<double>(y / (x * factor)), 1, 1e-9);
    }
}

class FrequencyScale : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(FrequencyScale, GivesTheSameStages) {
    const ScaleCase c = GetParam();
    for (int approx = 0; approx < kApproxCount; ++approx) {
        DesignState base, moved;
        const StageTables a = FormedStages(c, 1, approx, base);
        const StageTables b = FormedStages(c, c.factor, approx, moved);
        if (!IsUsable(base, approx)) continue;
        SCOPED_TRACE("approximation " + std::to_string(approx));
        ASSERT_TRUE(IsUsable(moved, approx));
        ASSERT_EQ(base.StageCount, moved.StageCount);
        for (int i = 1; i <= base.StageCount; ++i) {
            const StageRecord& x = a.Stage[static_cast<size_t>(i)];
            const StageRecord& y = b.Stage[static_cast<size_t>(i)];
            SCOPED_TRACE("stage " + std::to_string(i));
            EXPECT_EQ(x.StageType, y.StageType);
            ExpectScaled(x.Qp, y.Qp, 1);
            ExpectScaled(x.Wp, y.Wp, c.factor);
            ExpectScaled(x.Wz, y.Wz, c.factor);
            EXPECT_NEAR(static_cast<double>(y.Flatness / x.Flatness), 1, 1e-9);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, FrequencyScale,
                         ::testing::Values(ScaleCase{FilterKind::Lowpass, 12, 1e-8L}, ScaleCase{FilterKind::Lowpass, 12, 1e6L},
                                           ScaleCase{FilterKind::Highpass, 9, 1e-8L}, ScaleCase{FilterKind::Highpass, 9, 1e6L},
                                           ScaleCase{FilterKind::Bandpass, 10, 1e-8L},
                                           ScaleCase{FilterKind::Bandpass, 10, 1e6L},
                                           ScaleCase{FilterKind::Bandstop, 10, 1e-8L},
                                           ScaleCase{FilterKind::Bandstop, 10, 1e6L}),
                         testing_support::PrintedName());

}  // namespace
}  // namespace tavrel
