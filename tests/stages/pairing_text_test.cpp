#include <gtest/gtest.h>

#include "hand_design.h"
#include "stages/pairing.h"
#include "stages/pairing_text.h"
#include "stages/stage_types.h"

namespace tavrel {
namespace {

using test::HandDesign;
using test::MakeHandDesign;

struct Listed {
    DesignState state;
    StageTables tables;
};

Listed ListsOf(const HandDesign& hand) {
    Listed l{MakeHandDesign(hand), {}};
    BuildPairingLists(l.state, l.tables);
    return l;
}

// A pair of Q 5 at 1000 rad/s lies at -100 +- j 994.99; 1000 rad/s is 159.15 Hz and
// 3000 rad/s is 477.46 Hz.
TEST(PairingText, PoleAndZeroListLines) {
    const Listed l = ListsOf({{{5, 1000}}, {3000}, {250}, false});
    EXPECT_EQ(PoleListLine(l.tables, 1, false), " PAIR   -1.000E+2   \u00B1 j   9.950E+2 rad/s   wp: 1.000E+3 rad/s   Q: 5.00");
    EXPECT_EQ(PoleListLine(l.tables, 1, true), " PAIR   -1.000E+2   \u00B1 j   9.950E+2 rad/s   fp: 1.592E+2 Hz   Q: 5.00");
    EXPECT_EQ(PoleListLine(l.tables, 2, false), " SNGL   -2.500E+2   + j   0.000E+0 rad/s");
    EXPECT_EQ(ZeroListLine(l.tables, 1, false), " PAIR\twz: 3.000E+3 rad/s");
    EXPECT_EQ(ZeroListLine(l.tables, 1, true), " PAIR\tfz: 4.775E+2 Hz");
}

struct PairsCase {
    const char* name;
    HandDesign design;
    int stage;
    const char* radians;
};

void PrintTo(const PairsCase& c, std::ostream* os) { *os << c.name; }

class PairsLine : public ::testing::TestWithParam<PairsCase> {};

TEST_P(PairsLine, AfterAutomaticPairing) {
    Listed l = ListsOf(GetParam().design);
    PairAutomatically(l.state, l.tables);
    EXPECT_EQ(PairsListLine(l.tables, GetParam().stage, false), GetParam().radians);
}

INSTANTIATE_TEST_SUITE_P(
    Stages, PairsLine,
    ::testing::Values(
        PairsCase{"notch", {{{5, 1000}}, {3000}, {250}, false}, 1,
                  "SLPN\tPOLE PAIR\twp: 1.000E+3 rad/s\tQ: 5.00\tZERO PAIR\twz: 3.000E+3 rad/s"},
        PairsCase{"realPoleWithoutZero", {{{5, 1000}}, {3000}, {250}, false}, 2, "FLP \tSNGL POLE"},
        // Two real poles sigma 1 and 4 share a stage: wp 2, Qp 0.4.
        PairsCase{"twoRealPoles", {{}, {2}, {1, 4}, false}, 1,
                  "SN  \tTWO SNGL\twp: 2.000E+0 rad/s\tQ: 0.40\tZERO PAIR\twz: 2.000E+0 rad/s"},
        // The zero pair at the origin of an all-pole bandpass splits into single zeros.
        PairsCase{"bandpass", {{{3, 1000}, {3, 1100}}, {0}, {}, false}, 2,
                  "SBP \tPOLE PAIR\twp: 1.100E+3 rad/s\tQ: 3.00\tSNGL ZERO\twz: 0.000E+0 rad/s"},
        PairsCase{"realZero", {{}, {}, {300}, true}, 1, "FHP \tSNGL POLE\tSNGL ZERO\twz: 0.000E+0 rad/s"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PairingText, TwoSingleZerosShowAsAZeroPairInHz) {
    Listed l = ListsOf({{{3, 1000}, {3, 1100}}, {0}, {}, false});
    ASSERT_FALSE(AddPairing(l.state, l.tables, {{1}, {1, 2}}));
    const PairsLineFields fields = PairsListFields(l.tables, 1, true);
    EXPECT_EQ(fields[0], "SHP ");
    EXPECT_EQ(fields[2], "fp: 1.592E+2 Hz");
    EXPECT_EQ(fields[4], "ZERO PAIR");
    EXPECT_EQ(fields[5], "fz: 0.000E+0 Hz");
}

TEST(PairingText, FlatnessWithTwoDecimals) {
    StageRecord stage;
    stage.Flatness = 1.2351L;
    EXPECT_EQ(FlatnessLine(stage), "1.24");
    stage.Flatness = 12.5L;
    EXPECT_EQ(FlatnessLine(stage), "12.50");
}

TEST(PairingText, EveryStageTypeIsExplainedUnderItsCode) {
    for (int type = 0; type < static_cast<int>(kStageTypes.size()); ++type) {
        std::string code = kStageTypes[static_cast<size_t>(type)].typeName;
        while (code.back() == ' ') code.pop_back();
        EXPECT_EQ(StageTypeExplanation(type).rfind(code + ": ", 0), 0u) << type;
    }
    EXPECT_EQ(StageTypeExplanation(8), "");
}

TEST(PairingText, DesignTitle) {
    DesignState state;
    state.FilterKind = FilterKind::Lowpass;
    state.ApproxIndex = Butterworth;
    state.Approx[Butterworth].Order = 5;
    EXPECT_EQ(DesignTitle(state), "Butterworth Lowpass Filter  N=5");
    state.FilterKind = FilterKind::Bandstop;
    state.ApproxIndex = Elliptic;
    state.Approx[Elliptic].Order = 8;
    EXPECT_EQ(DesignTitle(state), "Elliptic Bandstop Filter  N=8");
    state.ApproxIndex = Bessel;
    state.Approx[Bessel].Order = 4;
    state.FilterKind = FilterKind::Highpass;
    EXPECT_EQ(DesignTitle(state), "Bessel (Thompson) Highpass Filter  N=4");
    state.FilterKind = FilterKind::UserDefined;
    state.ApproxIndex = 0;
    state.Approx[0].Order = 3;
    EXPECT_EQ(DesignTitle(state), "User Defined Filter  N=3");
}

}  // namespace
}  // namespace tavrel
