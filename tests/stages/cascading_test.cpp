#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "stage_test_support.h"
#include "stages/cascading.h"

namespace tavrel {
namespace {

struct HandStage {
    std::uint8_t type;
    long double wp, qp, wz, wc;
};

struct Cascade {
    DesignState state;
    StageTables tables;
};

Cascade HandCascade(const std::vector<HandStage>& stages, const char* first = "00000000", const char* last = "00000000",
                    bool useQ = false) {
    Cascade c;
    test::UnitStepGrid(c.state, c.tables);
    c.state.StageCount = static_cast<std::int16_t>(stages.size());
    for (size_t i = 0; i < stages.size(); ++i) {
        StageRecord& s = c.tables.Stage[i + 1];
        s.StageType = stages[i].type;
        s.TypeName = StageTypeText(s.StageType);
        s.Wp = stages[i].wp;
        s.Qp = stages[i].qp;
        s.Wz = stages[i].wz;
        s.Wc = stages[i].wc;
        s.Pole1 = static_cast<std::int16_t>(i + 1);  // identifies the stage after reordering
        s.GainFactor = 1;
        ToFromGain(s);
    }
    c.tables.Criteria.FirstStagePrefs = PreferencesFromText(first, kDefaultFirstStage);
    c.tables.Criteria.LastStagePrefs = PreferencesFromText(last, kDefaultLastStage);
    c.tables.Criteria.UseQ = useQ;
    return c;
}

std::vector<int> Order(const Cascade& c) {
    std::vector<int> order;
    for (int i = 1; i <= c.state.StageCount; ++i) order.push_back(c.tables.Stage[static_cast<size_t>(i)].Pole1);
    return order;
}

std::vector<int> Cascaded(Cascade& c) {
    CascadeStages(c.state, c.tables);
    ScaleCascade(c.state, c.tables);
    return Order(c);
}

HandStage Slp(long double wp, long double qp) { return {StageCode::SLP, wp, qp, 0, wp / (2 * qp)}; }

TEST(IncreasingQ, OrdersByQpAndEqualQpByWp) {
    Cascade c = HandCascade({Slp(100, 2.1L), Slp(100, 0.55L), Slp(100, 1.0L)}, "00000000", "00000000", true);
    EXPECT_EQ(Cascaded(c), (std::vector<int>{2, 3, 1}));
    EXPECT_TRUE(c.state.Recalculated);
    Cascade equal = HandCascade({Slp(300, 0.8L), Slp(100, 0.8L), Slp(200, 0.8L)}, "00000000", "00000000", true);
    EXPECT_EQ(Cascaded(equal), (std::vector<int>{2, 3, 1}));
}

TEST(IncreasingQ, FewerThanTwoFreePositionsChangeNothing) {
    Cascade c = HandCascade({Slp(100, 3), {StageCode::FLP, 0, 0, 0, 80}, Slp(150, 0.6L)}, "11000000", "00100000", true);
    // FLP first, SLP with the largest Qp last; one position remains.
    EXPECT_EQ(Cascaded(c), (std::vector<int>{2, 3, 1}));
}

TEST(Preferences, EqualQpGoesToTheLowerNumberedStage) {
    Cascade c = HandCascade({Slp(300, 2), Slp(100, 0.6L), Slp(200, 0.6L)}, "00110000", "00000000", true);
    EXPECT_EQ(Order(c).size(), 3u);
    CascadeStages(c.state, c.tables);
    EXPECT_EQ(c.tables.Stage[1].Pole1, 2);
}

TEST(Preferences, FirstOrderHighpassCanBeFixedLast) {
    Cascade c = HandCascade({{StageCode::FHP, 0, 0, 0, 40}, Slp(100, 2), Slp(150, 0.7L)}, "00000000", "11000000");
    EXPECT_EQ(Cascaded(c).back(), 1);
}

TEST(Preferences, OneBandpassStageChosenFirstAndLastEndsLast) {
    Cascade c = HandCascade({Slp(100, 2), {StageCode::SBP, 120, 3, 0, 20}, Slp(150, 0.7L)}, "00000011", "00000011");
    EXPECT_EQ(Cascaded(c).back(), 2);
}

TEST(Preferences, DefaultCriteriaPutTheRealPoleFirst) {
    DesignState state = test::ForcedOrderDesign(FilterKind::Lowpass, 7);
    StageTables tables;
    test::FormStages(state, tables, Chebyshev);
    ASSERT_EQ(state.StageCount, 4);
    EXPECT_EQ(tables.Stage[1].TypeName, "FLP ");
}

// Independent evaluation: the flatness of the cascade of `stages`, from the biquadratic
// forms, over the grid (w = k) and band (w <= 175) of the hand cascades.
long double CascadeFlatness(const std::vector<StageRecord>& stages) {
    long double peak = 0, low = 1e300L;
    for (int k = 0; k < kGridPoints; ++k) {
        long double m = 1;
        for (const StageRecord& s : stages) m *= std::abs(test::StageTransferAt(s, k));
        peak = std::max(peak, m);
        if (k <= 175) low = std::min(low, m);
    }
    return peak / low;
}

TEST(MaximumFlatness, EachPositionTakesTheFlattestContinuation) {
    Cascade c = HandCascade({Slp(170, 4), Slp(120, 0.9L), {StageCode::FLP, 0, 0, 0, 60}, Slp(160, 1.8L), Slp(60, 0.6L)});
    std::vector<StageRecord> remaining(c.tables.Stage.begin() + 1, c.tables.Stage.begin() + 6), chosen;
    std::vector<int> expected;
    while (!remaining.empty()) {
        size_t best = 0;
        long double bestFlatness = 1e300L;
        for (size_t j = 0; j < remaining.size(); ++j) {
            std::vector<StageRecord> trial = chosen;
            trial.push_back(remaining[j]);
            const long double f = CascadeFlatness(trial);
            if (f < bestFlatness) {
                bestFlatness = f;
                best = j;
            }
        }
        expected.push_back(remaining[best].Pole1);
        chosen.push_back(remaining[best]);
        remaining.erase(remaining.begin() + static_cast<long>(best));
    }
    EXPECT_EQ(Cascaded(c), expected);
    // The stored flatness of the last stage is that of the whole cascade.
    EXPECT_NEAR(static_cast<double>(c.tables.Stage[5].Flatness), static_cast<double>(CascadeFlatness(chosen)), 1e-9);
}

TEST(MaximumFlatness, EquallyFlatCandidatesAreJudgedByTheNextPosition) {
    // Alone, A (SLP wp 100, Q 0.5) and B (FLP) are equally flat: 1 + (175/100)^2.
    const long double ratio = 1 + (175.0L / 100) * (175.0L / 100);
    const HandStage a = Slp(100, 0.5L);
    const HandStage b{StageCode::FLP, 0, 0, 0, 175 / std::sqrt(ratio * ratio - 1)};
    const HandStage peaking = Slp(150, 6);
    Cascade c = HandCascade({peaking, a, b});
    const StageRecord& sa = c.tables.Stage[2];
    const StageRecord& sb = c.tables.Stage[3];
    const StageRecord& sp = c.tables.Stage[1];
    ASSERT_LT(std::fabs(CascadeFlatness({sa}) - CascadeFlatness({sb})), 1e-9L);
    ASSERT_GT(CascadeFlatness({sp}), CascadeFlatness({sa}));
    // Which of A and B allows the flatter cascade with the peaking stage behind it?
    const long double afterA = CascadeFlatness({sa, sp}), afterB = CascadeFlatness({sb, sp});
    const long double both = CascadeFlatness({sa, sb});
    ASSERT_GT(std::fabs(afterA - afterB), 1e-3L);
    std::vector<int> expected;
    if (both < std::min(afterA, afterB))
        expected = {2, 3, 1};
    else
        expected = afterA < afterB ? std::vector<int>{2, 1, 3} : std::vector<int>{3, 1, 2};
    EXPECT_EQ(Cascaded(c), expected);
}

// Every grid point k = 10 of these stages is a notch inside the flatness band.
TEST(MaximumFlatness, StillPlacesEveryStageWhenAllCandidatesAreUnbounded) {
    Cascade c = HandCascade({{StageCode::SN, 10, 2, 10, 2.5L}, {StageCode::SN, 10, 0.7L, 10, 7}, {StageCode::SN, 10, 5, 10, 1}});
    std::vector<int> order = Cascaded(c);
    std::sort(order.begin(), order.end());
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
    for (int i = 1; i <= 3; ++i) {
        const long double f = c.tables.Stage[static_cast<size_t>(i)].Flatness;
        EXPECT_TRUE(std::isfinite(f));
        EXPECT_GE(f, 1e8L);
        EXPECT_NEAR(static_cast<double>(c.tables.CascadeResp[static_cast<size_t>(i)][0]), 1.0, 1e-12);
    }
}

TEST(CascadingWindow, UpAndDownSwapStagesAndAlwaysRescale) {
    Cascade c = HandCascade({Slp(100, 2), Slp(120, 0.7L), Slp(150, 1)});
    c.state.DesignStep = Step::CascadingDone;
    c.state.Recalculated = false;
    EXPECT_EQ(MoveStageUp(c.state, c.tables, 1), 1);  // first stays first
    EXPECT_EQ(Order(c), (std::vector<int>{1, 2, 3}));
    EXPECT_TRUE(c.state.Recalculated);
    EXPECT_GT(c.tables.Stage[3].Flatness, 0);  // the flatness column was recomputed
    EXPECT_EQ(MoveStageDown(c.state, c.tables, 1), 2);
    EXPECT_EQ(Order(c), (std::vector<int>{2, 1, 3}));
    EXPECT_EQ(MoveStageDown(c.state, c.tables, 3), 3);
    EXPECT_TRUE(c.state.DesignModified);
}

TEST(CascadingWindow, OpeningCascadesOnlyAfterANewPairing) {
    Cascade c = HandCascade({Slp(100, 2), Slp(120, 0.7L)});
    c.state.DesignStep = Step::CascadingDone;
    c.state.Recalculated = false;
    EXPECT_FALSE(CascadeWindowOpened(c.state, c.tables));
    c.state.DesignStep = Step::PairingDone;
    EXPECT_TRUE(CascadeWindowOpened(c.state, c.tables));
    CascadingNext(c.state);
    EXPECT_EQ(c.state.DesignStep, Step::CascadingDone);
}

}  // namespace
}  // namespace tavrel
