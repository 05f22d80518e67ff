#include <gtest/gtest.h>

#include "support/case_name.h"

#include <algorithm>
#include <set>

#include "hand_design.h"
#include "stage_test_support.h"
#include "stages/pairing.h"

namespace tavrel {
namespace {

using test::HandDesign;
using test::MakeHandDesign;

struct Paired {
    DesignState state;
    StageTables tables;
};

Paired PairAutomatic(const HandDesign& hand) {
    Paired p{MakeHandDesign(hand), {}};
    BuildPairingLists(p.state, p.tables);
    PairAutomatically(p.state, p.tables);
    return p;
}

TEST(PairingLists, PolePairsAreListedByDecreasingQ) {
    DesignState state = MakeHandDesign({{{5, 1000}, {0.7L, 800}, {1.3L, 900}}, {}, {}, false});
    StageTables t;
    BuildPairingLists(state, t);
    ASSERT_EQ(t.PoleEntryCount, 3);
    EXPECT_EQ(t.PairPoleList[1].Q, 5);
    EXPECT_EQ(t.PairPoleList[2].Q, Real48(1.3L));
    EXPECT_EQ(t.PairPoleList[3].Q, Real48(0.7L));
    EXPECT_EQ(t.PairPoleList[2].SourceIndex, 3);
    EXPECT_EQ(t.PairPoleList[2].Wp, 900);
    EXPECT_EQ(state.StageCount, 3);
}

TEST(PairingLists, EqualQGoesToTheLowerNumberedPair) {
    DesignState state = MakeHandDesign({{{2, 100}, {2, 200}}, {}, {}, false});
    StageTables t;
    BuildPairingLists(state, t);
    EXPECT_EQ(t.PairPoleList[1].SourceIndex, 1);
    EXPECT_EQ(t.PairPoleList[2].SourceIndex, 2);
}

TEST(PairingLists, ZerosAtTheOriginOfAllPoleBandpassSplitIntoSingleZeros) {
    DesignState state = MakeHandDesign({{{3, 900}, {3, 1100}, {1, 1000}}, {0}, {}, true});
    StageTables t;
    BuildPairingLists(state, t);
    ASSERT_EQ(t.ZeroEntryCount, 3);
    for (int j = 1; j <= 3; ++j) EXPECT_FALSE(t.PairZeroList[j].IsPair) << j;
}

TEST(AutomaticPairing, HighestQPairChoosesItsNearestZeroFirst) {
    // Both pairs are nearest to the zero at 1000; the Q-5 pair gets it.
    Paired p = PairAutomatic({{{1.3L, 990}, {5, 1010}}, {1000, 3000}, {}, false});
    EXPECT_EQ(p.tables.Stage[1].Qp, 5);
    EXPECT_EQ(p.tables.Stage[1].Wz, 1000);
    EXPECT_EQ(p.tables.Stage[1].TypeName, "SHPN");
    EXPECT_EQ(p.tables.Stage[2].Wz, 3000);
    EXPECT_EQ(p.tables.Stage[2].TypeName, "SLPN");
}

TEST(AutomaticPairing, EquallyNearZerosGoToTheOneListedFirst) {
    Paired p = PairAutomatic({{{2, 1000}}, {900, 1100}, {}, false});
    EXPECT_EQ(p.tables.PairZeroList[1].Wz, 1100);  // listed by decreasing wz
    EXPECT_EQ(p.tables.Stage[1].Zero1, 1);
    EXPECT_EQ(p.tables.Stage[1].TypeName, "SLPN");
}

TEST(AutomaticPairing, RealPoleTakesTheLowestZero) {
    Paired p = PairAutomatic({{{2, 1000}}, {400, 50}, {300}, false});
    EXPECT_EQ(p.tables.Stage[1].Wz, 400);
    EXPECT_EQ(p.tables.Stage[2].Wz, 50);
    EXPECT_EQ(p.tables.Stage[2].TypeName, "FHP ");
}

TEST(AutomaticPairing, RealPoleWithTheZeroAtTheOriginIsFirstOrderHighpass) {
    Paired p = PairAutomatic({{{0.7L, 1000}}, {0}, {1000}, true});
    EXPECT_EQ(p.tables.Stage[1].TypeName, "SHP ");
    EXPECT_EQ(p.tables.Stage[2].TypeName, "FHP ");
    EXPECT_EQ(p.tables.Stage[2].Zero1, 2);
}

TEST(AutomaticPairing, PolesLeftWithoutZerosBecomeLowpassStages) {
    Paired p = PairAutomatic({{{4, 1000}, {2, 900}, {0.6L, 700}}, {1500, 1200}, {500}, false});
    EXPECT_EQ(p.tables.Stage[1].Wz, 1200);
    EXPECT_EQ(p.tables.Stage[2].Wz, 1500);
    EXPECT_EQ(p.tables.Stage[3].TypeName, "SLP ");
    EXPECT_EQ(p.tables.Stage[4].TypeName, "FLP ");
    EXPECT_EQ(p.tables.Stage[4].Wc, 500);
    EXPECT_TRUE(PairingComplete(p.tables));
    EXPECT_EQ(p.tables.PairLines, (std::vector<std::int16_t>{1, 2, 3, 4}));
}

TEST(AutomaticPairing, TwoRealPolesShareAStageWithTheLastZero) {
    // More zero pairs than pole pairs: the two real poles (1 and 4, wp 2) take zero 2.
    Paired p = PairAutomatic({{{3, 100}}, {150, 3}, {1, 4}, false});
    EXPECT_EQ(p.state.StageCount, 2);
    const StageRecord& stage = p.tables.Stage[2];
    EXPECT_EQ(stage.Pole1, 2);
    EXPECT_EQ(stage.Pole2, 3);
    EXPECT_EQ(stage.Zero1, 2);
    EXPECT_NEAR(static_cast<double>(stage.Wp), 2, 1e-12);
    EXPECT_NEAR(static_cast<double>(stage.Qp), 0.4, 1e-12);
    EXPECT_EQ(stage.TypeName, "SLPN");  // wz 3 above wp 2
    EXPECT_EQ(p.tables.Stage[1].Wz, 150);
    EXPECT_EQ(p.tables.PairLines, (std::vector<std::int16_t>{1, 2}));
    EXPECT_TRUE(PairingComplete(p.tables));
}

TEST(AutomaticPairing, DiscardsEarlierJoins) {
    Paired p{MakeHandDesign({{{2, 1000}, {1, 500}}, {0}, {}, true}), {}};
    BuildPairingLists(p.state, p.tables);
    ASSERT_EQ(p.tables.ZeroEntryCount, 3);
    ASSERT_FALSE(AddPairing(p.state, p.tables, {{2}, {1, 2}}));  // SHP from two single zeros
    AutoAddAll(p.state, p.tables);
    EXPECT_EQ(p.tables.Stage[1].Zero2, 0);
    EXPECT_EQ(p.tables.Stage[2].Zero2, 0);
    EXPECT_EQ(p.tables.Stage[1].TypeName, "SBP ");
    EXPECT_EQ(p.state.DesignStep, Step::PairingDone);
    EXPECT_TRUE(p.state.Recalculated);
}

// Manual joining: lists of a pair, a second pair, two real poles, a zero pair and two
// single zeros of a hand-made design.
Paired ManualLists() {
    Paired p{MakeHandDesign({{{3, 1000}, {1, 800}}, {}, {1, 4}, false}), {}};
    BuildPairingLists(p.state, p.tables);
    p.tables.ZeroEntryCount = 3;
    p.tables.PairZeroList[1] = {1, 1, 0.0L, 1200.0L};
    p.tables.PairZeroList[2] = {1, 0, 0.0L, 0.0L};
    p.tables.PairZeroList[3] = {1, 0, 0.0L, 0.0L};
    p.state.DesignStep = Step::ApproximationChosen;
    return p;
}

struct AddCase {
    std::vector<int> poles, zeros;
    const char* message;
};

void PrintTo(const AddCase& c, std::ostream* os) {
    *os << "poles";
    for (int p : c.poles) *os << " " << p;
    *os << " zeros";
    for (int z : c.zeros) *os << " " << z;
}

class AddMessages : public ::testing::TestWithParam<AddCase> {};

TEST_P(AddMessages, RefuseWithoutJoining) {
    const AddCase c = GetParam();
    Paired p = ManualLists();
    const auto message = AddPairing(p.state, p.tables, {c.poles, c.zeros});
    ASSERT_TRUE(message);
    EXPECT_EQ(*message, c.message);
    EXPECT_TRUE(p.tables.PairLines.empty());
    EXPECT_EQ(AvailablePoleEntries(p.tables).size(), 4u);
    EXPECT_EQ(AvailableZeroEntries(p.tables).size(), 3u);
}

INSTANTIATE_TEST_SUITE_P(
    Checks, AddMessages,
    ::testing::Values(AddCase{{1, 2, 3}, {}, "Too many poles selected."},
                      AddCase{{1}, {1, 2, 3}, "Too many zeros selected."},
                      AddCase{{}, {1}, "Pole or pole pair not selected"},
                      AddCase{{1, 3}, {}, "Too many poles selected."},
                      AddCase{{3, 4}, {2, 3}, "Too many zeros selected."},
                      AddCase{{1}, {1, 2}, "Too many zeros selected."},
                      AddCase{{3}, {2, 3}, "Too many zeros selected"},
                      AddCase{{3}, {1}, "Too many zeros selected"}),
    testing_support::PrintedName());

TEST(ManualPairing, RealPoleMessageStillSetsTheStep) {
    Paired p = ManualLists();
    p.state.DesignStep = Step::PairingDone;
    EXPECT_TRUE(AddPairing(p.state, p.tables, {{3}, {1}}));
    EXPECT_EQ(p.state.DesignStep, Step::ApproximationChosen);
}

TEST(ManualPairing, JoinsFormStagesAndCompletePairingReachesStepFour) {
    Paired p = ManualLists();
    EXPECT_FALSE(AddPairing(p.state, p.tables, {{1}, {1}}));
    EXPECT_EQ(p.state.DesignStep, Step::ApproximationChosen);
    EXPECT_TRUE(p.state.DesignModified);
    EXPECT_FALSE(AddPairing(p.state, p.tables, {{2}, {2, 3}}));
    EXPECT_FALSE(AddPairing(p.state, p.tables, {{3, 4}, {}}));
    EXPECT_EQ(p.state.DesignStep, Step::PairingDone);
    EXPECT_EQ(p.tables.Stage[1].TypeName, "SLPN");
    EXPECT_EQ(p.tables.Stage[2].TypeName, "SHP ");
    EXPECT_EQ(p.tables.Stage[2].Zero2, 3);
    EXPECT_EQ(p.tables.Stage[3].TypeName, "SN  ");
    EXPECT_NEAR(static_cast<double>(p.tables.Stage[3].Qp), 0.4, 1e-12);
    p.state.AutoCascading = false;
    EXPECT_FALSE(PairingNext(p.state, p.tables));
    EXPECT_EQ(p.state.StageCount, 3);
}

TEST(ManualPairing, UndoListsTheEntriesAgainAndClearsTheStage) {
    Paired p = ManualLists();
    ASSERT_FALSE(AddPairing(p.state, p.tables, {{1}, {1}}));
    const auto none = UndoPairing(p.state, p.tables, std::nullopt);
    ASSERT_TRUE(none);
    EXPECT_EQ(*none, "No pole-zero pair selected.");
    EXPECT_FALSE(UndoPairing(p.state, p.tables, 0));
    EXPECT_TRUE(p.tables.PairLines.empty());
    EXPECT_EQ(AvailablePoleEntries(p.tables), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(AvailableZeroEntries(p.tables), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(p.tables.Stage[1].TypeName, "");
    EXPECT_EQ(p.tables.Stage[1].Pole1, 0);
    EXPECT_EQ(p.tables.Stage[1].Wp, 0);
}

TEST(ManualPairing, AfterUndoNoTwoLinesShareAStageRecord) {
    Paired p = ManualLists();
    ASSERT_FALSE(AddPairing(p.state, p.tables, {{1}, {1}}));     // record 1
    ASSERT_FALSE(AddPairing(p.state, p.tables, {{2}, {}}));      // record 2
    ASSERT_FALSE(AddPairing(p.state, p.tables, {{3, 4}, {2}}));  // record 3
    ASSERT_FALSE(UndoPairing(p.state, p.tables, 0));             // lines now use 2 and 3
    ASSERT_FALSE(AddPairing(p.state, p.tables, {{1}, {1}}));     // lines + 1 = 3 is in use
    const std::set<int> records(p.tables.PairLines.begin(), p.tables.PairLines.end());
    EXPECT_EQ(records.size(), p.tables.PairLines.size());
    EXPECT_EQ(records, (std::set<int>{1, 2, 3}));
    // Each line still points at its own stage.
    EXPECT_EQ(p.tables.Stage[p.tables.PairLines[0]].Pole1, 2);
    EXPECT_EQ(p.tables.Stage[p.tables.PairLines[1]].Pole1, 3);
    EXPECT_EQ(p.tables.Stage[p.tables.PairLines[2]].Pole1, 1);
}

TEST(ManualPairing, NextWithAnEntryStillListedRefuses) {
    Paired p = ManualLists();
    ASSERT_FALSE(AddPairing(p.state, p.tables, {{1}, {1}}));
    const auto message = PairingNext(p.state, p.tables);
    ASSERT_TRUE(message);
    EXPECT_EQ(*message, "Pole-zero pairing not complete!");
}

TEST(ManualPairing, UndoAllRebuildsTheLists) {
    Paired p = ManualLists();
    ASSERT_FALSE(AddPairing(p.state, p.tables, {{2}, {}}));
    UndoAllPairing(p.state, p.tables);
    EXPECT_TRUE(p.tables.PairLines.empty());
    EXPECT_EQ(AvailablePoleEntries(p.tables).size(), 4u);
    EXPECT_EQ(p.tables.Stage[1].Pole1, 0);
}

// Calculated designs: a highpass of odd order pairs its real pole with the zero at the
// origin; the pole pairs take the zero pairs at the origin.
TEST(AutomaticPairing, OddHighpassGivesFirstOrderHighpassStage) {
    DesignState state = test::ForcedOrderDesign(FilterKind::Highpass, 5);
    StageTables t;
    state.ApproxIndex = Butterworth;
    BuildPairingLists(state, t);
    PairAutomatically(state, t);
    ASSERT_EQ(state.StageCount, 3);
    EXPECT_EQ(t.Stage[1].TypeName, "SHP ");
    EXPECT_EQ(t.Stage[2].TypeName, "SHP ");
    EXPECT_EQ(t.Stage[3].TypeName, "FHP ");
}

}  // namespace
}  // namespace tavrel
