// Over many designs the stages realize exactly the chosen approximation.
#include <gtest/gtest.h>

#include "support/case_name.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "stage_test_support.h"

namespace tavrel {
namespace {

using test::Complex;

struct InvariantCase {
    FilterKind kind;
    bool useQ;
};

void PrintTo(const InvariantCase& c, std::ostream* os) {
    constexpr const char* kKinds[] = {"Lowpass", "Highpass", "Bandpass", "Bandstop", "UserDefined"};
    *os << kKinds[static_cast<int>(c.kind)] << (c.useQ ? " by Q" : "");
}

class StageInvariant : public ::testing::TestWithParam<InvariantCase> {};

void ExpectEntriesUsedOnce(const StageTables& tables, int stageCount, const std::string& where) {
    std::vector<int> poles(static_cast<size_t>(tables.PoleEntryCount) + 1), zeros(static_cast<size_t>(tables.ZeroEntryCount) + 1);
    for (int i = 1; i <= stageCount; ++i) {
        const StageRecord& stage = tables.Stage[static_cast<size_t>(i)];
        ASSERT_NE(stage.Pole1, 0) << where << " stage " << i;
        for (int p : {stage.Pole1, stage.Pole2})
            if (p != 0) ++poles.at(static_cast<size_t>(p));
        for (int z : {stage.Zero1, stage.Zero2})
            if (z != 0) ++zeros.at(static_cast<size_t>(z));
    }
    for (size_t p = 1; p < poles.size(); ++p) EXPECT_EQ(poles[p], 1) << where << " pole entry " << p;
    for (size_t z = 1; z < zeros.size(); ++z) EXPECT_EQ(zeros[z], 1) << where << " zero entry " << z;
}

struct Deviation {
    long double stored = 0;    // against the stored W0p, Qp, Wz
    long double response = 0;  // against B0, C0, Wz2
};

// The product of the stage functions over the ideal function: one constant at every
// grid frequency. Against B0, C0 and Wz2 the Real48 rounding of sqrt(C0) and sqrt(Wz2)
// is magnified near notches and sharp poles, hence the wider bound there.
template <typename Ideal>
void ExpectSameTransfer(const DesignState& state, const StageTables& tables, const std::string& where,
                        Ideal ideal_at, long double bound, long double& worst) {
    Complex reference = 0;
    for (int k = 0; k < kGridPoints; ++k) {
        const long double w = tables.ResponseGrid[static_cast<size_t>(k)];
        const Complex ideal = ideal_at(w);
        if (std::abs(ideal) == 0) continue;  // the grid point is a zero of the filter
        Complex product = 1;
        for (int i = 1; i <= state.StageCount; ++i) product *= test::StageTransferAt(tables.Stage[static_cast<size_t>(i)], w);
        const Complex ratio = product / ideal;
        if (reference == Complex(0)) {
            reference = ratio;
            continue;
        }
        const long double deviation = std::abs(ratio - reference) / std::abs(reference);
        worst = std::max(worst, deviation);
        ASSERT_LT(deviation, bound) << where << " at w = " << static_cast<double>(w);
    }
}

void ExpectCascadePeaksAtOne(const DesignState& state, const StageTables& tables, const std::string& where) {
    for (int i = 1; i <= state.StageCount; ++i) {
        const ResponseArray& cascade = tables.CascadeResp[static_cast<size_t>(i)];
        long double peak = *std::max_element(cascade.begin() + kFirstResponsePoint,
                                             cascade.begin() + kFirstResponsePoint + kGridPoints);
        // A highpass reaches its passband gain beyond the grid, at infinite frequency.
        if (state.FilterKind == FilterKind::Highpass) peak = std::max<long double>(peak, cascade[kAtInfinity]);
        EXPECT_NEAR(static_cast<double>(peak), 1.0, 1e-10) << where << " stage " << i;
        EXPECT_NEAR(static_cast<double>(cascade[0]), 1.0, 1e-10) << where << " stage " << i;
    }
}

TEST_P(StageInvariant, StagesRealizeTheApproximation) {
    const InvariantCase c = GetParam();
    const bool band = c.kind == FilterKind::Bandpass || c.kind == FilterKind::Bandstop;
    Deviation worst;
    int designs = 0;
    for (int order = band ? 2 : 1; order <= kMaxOrder; order += band ? 2 : 1) {
        const DesignState calculated = test::ForcedOrderDesign(c.kind, order);
        ASSERT_TRUE(calculated.ResultsValid) << "order " << order;
        for (int approx = 0; approx < kApproxCount; ++approx) {
            if (!IsUsable(calculated, approx)) continue;
            DesignState state = calculated;
            StageTables tables;
            tables.Criteria.UseQ = c.useQ;
            test::FormStages(state, tables, approx);
            const std::string where = "order " + std::to_string(order) + " approx " + std::to_string(approx);
            ExpectEntriesUsedOnce(tables, state.StageCount, where);
            ExpectSameTransfer(
                state, tables, where, [&](long double w) { return test::IdealTransferFromStoredValues(state, approx, w); },
                1e-9L, worst.stored);
            ExpectSameTransfer(
                state, tables, where, [&](long double w) { return test::IdealTransferAt(state, approx, w); }, 1e-7L,
                worst.response);
            ExpectCascadePeaksAtOne(state, tables, where);
            // Butterworth and Bessel highpass filters rise monotonically: their gain at
            // infinite frequency is the one the whole filter is scaled to.
            const bool monotonic = approx == 0 || approx == kApproxCount - 1;
            if (c.kind == FilterKind::Highpass && monotonic) {
                const ResponseArray& last = tables.CascadeResp[static_cast<size_t>(state.StageCount)];
                EXPECT_NEAR(static_cast<double>(last[kAtInfinity]), 1.0, 1e-10) << where;
            }
            ++designs;
        }
    }
    EXPECT_GT(designs, band ? 40 : 80);
    RecordProperty("worst_deviation_stored", ::testing::PrintToString(static_cast<double>(worst.stored)));
    RecordProperty("worst_deviation_response", ::testing::PrintToString(static_cast<double>(worst.response)));
}

INSTANTIATE_TEST_SUITE_P(AllKinds, StageInvariant,
                         ::testing::Values(InvariantCase{FilterKind::Lowpass, false}, InvariantCase{FilterKind::Lowpass, true},
                                           InvariantCase{FilterKind::Highpass, false},
                                           InvariantCase{FilterKind::Highpass, true},
                                           InvariantCase{FilterKind::Bandpass, false},
                                           InvariantCase{FilterKind::Bandpass, true},
                                           InvariantCase{FilterKind::Bandstop, false},
                                           InvariantCase{FilterKind::Bandstop, true}),
                         testing_support::PrintedName());

}  // namespace
}  // namespace tavrel
