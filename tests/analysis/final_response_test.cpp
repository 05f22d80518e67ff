// The final responses: which component values each version takes, the plot ranges worked by
// hand, and the behaviour of the curves on whole designs (one version without substitutions,
// an empty stage range, a unity-gain Sallen-Key stage, notch marking, inverting stages, a
// single stage, predistortion, the delay cut-off).
#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>
#include <vector>

#include "analysis/final_response/final_axes.h"
#include "analysis/final_response/final_grid.h"
#include "analysis/final_response/final_response.h"
#include "analysis/final_response/inverting_note.h"
#include "circuits/adjustment/adjust_capacitor.h"
#include "circuits/calculation/compensation_choice.h"
#include "circuits/calculation/recalculate.h"
#include "circuits/selection/select_circuit.h"
#include "core/math_helpers.h"
#include "support/case_name.h"
#include "support/whole_filter_design.h"

namespace tavrel {
namespace {

// --- The values of the versions, on one resistor and one capacitor worked by hand -----------

// R1: calculated 1000 ohm for the standard capacitor, 1100 after exact capacitors, 1050 kept as
// the exact value when standard resistors came in (or none); the user assigned 1.2 times it.
// C1: standard 1 nF, exact 1.1 nF.
struct VersionCase {
    const char* name;
    VersionAvailability available;
    VersionChoice choice;
    bool userFixed;
    long double exactValue;
    std::array<bool, 3> computed;
    std::array<long double, 3> r, c;  // per version; 0 where not computed
};

void PrintTo(const VersionCase& c, std::ostream* os) { *os << c.name; }

StageCircuitRecord HandRecord(const VersionCase& c) {
    StageCircuitRecord r;
    r.ResistorCount = 1;
    r.CapacitorCount = 1;
    r.CapsAdjusted = 1;
    ComponentEntry& r1 = r.Resistors[0];
    r1.PrevValue = 1000;
    r1.Value = 1100;
    r1.ExactValue = c.exactValue;
    r1.UserFixed = c.userFixed;
    r1.UserValue = 1320;
    r1.UserRatio = 1.2L;
    r.Capacitors[0].PrevValue = 1e-9L;
    r.Capacitors[0].Value = 1.1e-9L;
    return r;
}

class VersionValues : public ::testing::TestWithParam<VersionCase> {};

TEST_P(VersionValues, FollowTheRulesOfEachVersion) {
    const VersionCase& c = GetParam();
    EXPECT_EQ(ComputedVersions(c.available, c.choice), c.computed);
    const auto values = StageVersionValues(HandRecord(c), c.available, c.choice);
    for (size_t v = 0; v < 3; ++v) {
        EXPECT_NEAR(static_cast<double>(values[v].R[1]), static_cast<double>(c.r[v]), 1e-9) << "version " << v + 1;
        EXPECT_NEAR(static_cast<double>(values[v].C[1]), static_cast<double>(c.c[v]), 1e-21) << "version " << v + 1;
    }
}

constexpr VersionAvailability kNone{false, false, true};
constexpr VersionAvailability kExactC{true, false, true};
constexpr VersionAvailability kStandardR{false, true, true};
constexpr VersionAvailability kBoth{true, true, true};
constexpr VersionChoice kBoxOff{false, false};
constexpr VersionChoice kBoxOn{true, false};
constexpr VersionChoice kPrinting{false, true};

const VersionCase kVersionCases[] = {
    {"no substitutions", kNone, kBoxOff, true, 0, {true, false, false}, {1000, 0, 0}, {1e-9L, 0, 0}},
    {"no substitutions user values", kNone, kBoxOn, true, 0, {true, false, false}, {1200, 0, 0}, {1e-9L, 0, 0}},
    {"exact C user values", kExactC, kBoxOn, true, 0, {true, true, false}, {1000, 1320, 0}, {1e-9L, 1.1e-9L, 0}},
    {"exact C not fixed", kExactC, kBoxOn, false, 0, {true, true, false}, {1000, 1100, 0}, {1e-9L, 1.1e-9L, 0}},
    {"both substitutions", kBoth, kBoxOff, false, 1050, {true, true, true}, {1000, 1050, 1100},
     {1e-9L, 1.1e-9L, 1.1e-9L}},
    {"both no exact value keeps version 1", kBoth, kBoxOff, false, 0, {true, true, true}, {1000, 1000, 1100},
     {1e-9L, 1.1e-9L, 1.1e-9L}},
    {"both fixed resistor box off", kBoth, kBoxOff, true, 0, {true, true, true}, {1000, 1320, 1100},
     {1e-9L, 1.1e-9L, 1.1e-9L}},
    {"both fixed resistor box on", kBoth, kBoxOn, true, 0, {true, true, true}, {1000, 1320, 1320},
     {1e-9L, 1.1e-9L, 1.1e-9L}},
    {"standard R only user values", kStandardR, kBoxOn, true, 0, {true, false, true}, {1000, 0, 1320},
     {1e-9L, 0, 1e-9L}},
    {"printing both", kBoth, kPrinting, false, 1050, {false, false, true}, {0, 0, 1100}, {0, 0, 1.1e-9L}},
    {"printing standard R", kStandardR, kPrinting, false, 1050, {false, false, true}, {0, 0, 1100}, {0, 0, 1e-9L}},
    {"printing exact C", kExactC, kPrinting, false, 0, {false, true, false}, {0, 1100, 0}, {0, 1.1e-9L, 0}},
    {"printing none", kNone, kPrinting, false, 0, {true, false, false}, {1000, 0, 0}, {1e-9L, 0, 0}},
};
INSTANTIATE_TEST_SUITE_P(Rules, VersionValues, ::testing::ValuesIn(kVersionCases), testing_support::PrintedName());

// --- Grid and plot ranges ------------------------------------------------------------------

TEST(FinalGrid, SpansTheAxisInEitherUnitAndSpacing) {
    const auto log = FinalGrid({10, 1000, true, true, 350});
    ASSERT_EQ(log.size(), 351u);
    EXPECT_NEAR(static_cast<double>(log[175].F), 100, 1e-9);
    EXPECT_NEAR(static_cast<double>(log[175].W), 200 * kPi, 1e-7);
    EXPECT_NEAR(static_cast<double>(log[350].F), 1000, 1e-9);
    const auto linear = FinalGrid({100, 1100, false, false, 100});
    ASSERT_EQ(linear.size(), 101u);
    EXPECT_NEAR(static_cast<double>(linear[25].W), 350, 1e-9);
    EXPECT_NEAR(static_cast<double>(linear[25].F), 350 / (2 * kPi), 1e-9);
}

struct GainAxisCase {
    long double peak;
    bool forced;
    long double linearTop, dbTop, dbBottom;
};
void PrintTo(const GainAxisCase& c, std::ostream* os) {
    *os << "peak " << static_cast<double>(c.peak) << (c.forced ? " forced" : "");
}

class GainAxisRange : public ::testing::TestWithParam<GainAxisCase> {};

TEST_P(GainAxisRange, RoundsAboveThePeak) {
    const GainAxisCase& c = GetParam();
    DesignState state;
    state.Asb = 30;
    state.ForceOrder = c.forced;
    const GainAxis axis = GainAxisOf(c.peak, state);
    EXPECT_NEAR(static_cast<double>(axis.linearTop), static_cast<double>(c.linearTop), 1e-9 * static_cast<double>(c.linearTop));
    EXPECT_NEAR(static_cast<double>(axis.dbTop), static_cast<double>(c.dbTop), 1e-9);
    EXPECT_NEAR(static_cast<double>(axis.dbBottom), static_cast<double>(c.dbBottom), 1e-9);
    EXPECT_NEAR(static_cast<double>(axis.level), static_cast<double>(c.peak / std::sqrt(2.0L)), 1e-12);
}

// 1.05·peak in tenths rounded up: 10.5 -> 11 -> 12 (even up to 20); 31.5 -> 32 -> 35 (fives up
// to 50); 52.5 -> 53 -> 60 (tens). The dB top is the next 10 dB line above the linear top.
const GainAxisCase kGainAxisCases[] = {
    {1, false, 1.2L, 10, -40},  {3, false, 3.5L, 20, -40},    {0.5L, false, 0.6L, 10, -40},
    {100, false, 120, 50, -40}, {0.05L, true, 0.06L, -10, -50}, {3, true, 3.5L, 20, -20},
};
INSTANTIATE_TEST_SUITE_P(HandWorked, GainAxisRange, ::testing::ValuesIn(kGainAxisCases), testing_support::PrintedName());

TEST(DelayAxisRange, RoundsAboveTheLargestDelay) {
    struct Case {
        long double largest, top;
        int exponent;
    };
    // 3.2e-4: 3.2 in steps of 0.5 -> 3.5; 1.5e-4: steps of 0.2 -> 1.6; 7.3e-3: steps of 1 -> 8;
    // 4.2 s needs no scaling.
    for (const Case c : {Case{3.2e-4L, 3.5e-4L, -4}, Case{1.5e-4L, 1.6e-4L, -4}, Case{7.3e-3L, 8e-3L, -3}, Case{4.2L, 4.5L, 0}}) {
        const DelayAxis axis = DelayAxisOf(c.largest);
        EXPECT_NEAR(static_cast<double>(axis.top), static_cast<double>(c.top), 1e-9 * static_cast<double>(c.top));
        EXPECT_EQ(axis.exponent, c.exponent);
        EXPECT_EQ(axis.label, "Delay (X1e" + std::to_string(c.exponent) + " s)");
    }
    const PhaseAxis degrees = PhaseAxisOf(-kPi, kPi / 2, true);
    EXPECT_NEAR(static_cast<double>(degrees.low), -180, 1e-12);
    EXPECT_NEAR(static_cast<double>(degrees.high), 90, 1e-12);
}

// --- Whole designs -------------------------------------------------------------------------

using testing_support::ApproxFixture;
using testing_support::CircuitTurns;
using testing_support::DesignedFilter;
using testing_support::SubstituteExactCapacitorsAndStandardResistors;

// The design of a fixture's approximation: the stages of each type take the circuits of the
// type in turn from `offset` on, or every stage of a type the same circuit.
std::unique_ptr<Design> Designed(const char* fixture, int approx, std::map<int, int> circuitOfType = {}, int offset = 0) {
    CircuitTurns turns;
    for (int type = 0; type < StageCode::Count; ++type) turns.next[type] = offset;
    std::vector<std::string> invalid;
    auto design = DesignedFilter(ApproxFixture(fixture), approx, 1, turns, invalid, fixture);
    if (!design || circuitOfType.empty()) return design;
    for (int s = 1; s <= design->State.StageCount; ++s) {
        const auto chosen = circuitOfType.find(design->Stage(s).StageType);
        if (chosen != circuitOfType.end()) SelectCircuit(*design, s, chosen->second);
    }
    RecalculateAll(*design, false);
    return design;
}

std::vector<GridPoint> GridOf(const Design& design, bool logarithmic = true) {
    FinalAxis axis = FinalAxisOf(design.State);
    axis.logarithmic = logarithmic;
    return FinalGrid(axis);
}

bool ColumnIsZero(const FinalResponseTable& table, size_t v) {
    for (const FinalResponsePoint& p : table)
        if (p.gain[v] != 0) return false;
    return true;
}

TEST(FinalResponseVersions, OnlyVersionOneWithoutSubstitutions) {
    const auto design = Designed("lp_default", ApproxIndex::Chebyshev);
    ASSERT_TRUE(design);
    const auto grid = GridOf(*design);
    FinalResponseTable table;
    ASSERT_TRUE(ComputeGainCurves(*design, AllStages(*design), {}, grid, table));
    EXPECT_FALSE(ColumnIsZero(table, 0));
    EXPECT_TRUE(ColumnIsZero(table, 1));
    EXPECT_TRUE(ColumnIsZero(table, 2));
    const VersionAvailability available = AvailabilityOf(*design);
    EXPECT_FALSE(available.exactCapacitors);
    EXPECT_FALSE(available.standardResistors);
    SubstituteExactCapacitorsAndStandardResistors(*design);
    ASSERT_TRUE(ComputeGainCurves(*design, AllStages(*design), {}, grid, table));
    for (size_t v = 0; v < 3; ++v) EXPECT_FALSE(ColumnIsZero(table, v)) << "version " << v + 1;
}

TEST(FinalResponseRange, FirstAfterLastComputesNothing) {
    const auto design = Designed("lp_default", ApproxIndex::Chebyshev);
    ASSERT_TRUE(design);
    const auto grid = GridOf(*design);
    FinalResponseTable table;
    ASSERT_TRUE(ComputeGainCurves(*design, AllStages(*design), {}, grid, table));
    const FinalResponseTable before = table;
    const StageRange backwards{2, 1};
    EXPECT_FALSE(ComputeGainCurves(*design, backwards, {}, grid, table));
    EXPECT_FALSE(ComputePhaseCurves(*design, backwards, {}, grid, table));
    EXPECT_FALSE(ComputeDelayCurves(*design, backwards, {}, grid, table));
    EXPECT_FALSE(FinalResponseAt(*design, backwards, {}, 1000));
    ASSERT_EQ(table.size(), before.size());
    for (size_t k = 0; k < table.size(); ++k) EXPECT_EQ(static_cast<long double>(table[k].gain[0]), before[k].gain[0]);
}

TEST(FinalResponseRange, UnityGainSallenKeyStageHasUnityGainAtLowFrequency) {
    const auto design = Designed("lp_default", ApproxIndex::Butterworth, {{StageCode::SLP, 1}});
    ASSERT_TRUE(design);
    int checked = 0;
    for (int s = 1; s <= design->State.StageCount; ++s) {
        if (design->Circuit(s).CircuitNo != FindCircuit(StageCode::SLP, 1)->circuitNo) continue;
        const auto point = FinalResponseAt(*design, {s, s}, {}, 1e-6L * design->Stage(s).Wp);
        ASSERT_TRUE(point);
        EXPECT_NEAR(static_cast<double>(point->gain[0]), 1, 1e-12) << "stage " << s;
        ++checked;
    }
    EXPECT_GT(checked, 0);
}

// A single stage shows its own function with its own gain constant: against the stage's
// function evaluated as a complex value.
TEST(FinalResponseRange, SingleStageShowsItsOwnResponse) {
    const auto design = Designed("bp_default", ApproxIndex::Chebyshev);
    ASSERT_TRUE(design);
    const auto grid = GridOf(*design);
    for (int s = 1; s <= design->State.StageCount; ++s) {
        FinalResponseTable table;
        ASSERT_TRUE(ComputeGainCurves(*design, {s, s}, {}, grid, table));
        const CircuitDefinition& circuit = *FindCircuit(design->Circuit(s).CircuitNo);
        const StageFunction f = StageFunctionOf(circuit, ValuesOf(design->Circuit(s)));
        EXPECT_NEAR(static_cast<double>(f.k), static_cast<double>(design->Circuit(s).ActualGain), 1e-9);
        for (size_t k = 0; k < grid.size(); k += 50) {
            const long double want = std::abs(EvaluateStageFunction(f, {0, static_cast<long double>(grid[k].W)}));
            EXPECT_NEAR(static_cast<double>(table[k].gain[0] / want), 1, 1e-10) << "stage " << s << " point " << k;
        }
    }
}

class NotchMarking : public ::testing::TestWithParam<bool> {};

// The notch of every notch stage lands on the grid point nearest to it, in every version.
TEST_P(NotchMarking, SetsTheNearestPointToZeroInAllVersions) {
    const bool logarithmic = GetParam();
    const auto design = Designed("lp_narrow_ell6", ApproxIndex::Elliptic, {}, 2);
    ASSERT_TRUE(design);
    SubstituteExactCapacitorsAndStandardResistors(*design);
    const auto grid = GridOf(*design, logarithmic);
    FinalResponseTable table;
    ASSERT_TRUE(ComputeGainCurves(*design, AllStages(*design), {}, grid, table));
    MarkNotchZeros(*design, AllStages(*design), logarithmic, grid, table);
    int notches = 0;
    for (int s = 1; s <= design->State.StageCount; ++s) {
        const long double wz = design->Stage(s).Wz;
        if (!IsNotchStage(design->Stage(s).StageType) || wz < grid.front().W || wz > grid.back().W) continue;
        size_t nearest = 0;
        const auto distance = [&](size_t k) {
            return logarithmic ? std::fabs(std::log(grid[k].W / wz)) : std::fabs(grid[k].W - wz);
        };
        for (size_t k = 1; k < grid.size(); ++k)
            if (distance(k) < distance(nearest)) nearest = k;
        for (size_t v = 0; v < 3; ++v) {
            EXPECT_EQ(static_cast<long double>(table[nearest].gain[v]), 0) << "stage " << s << " version " << v + 1;
            EXPECT_GT(static_cast<long double>(table[nearest + 1].gain[v]), 0);
        }
        ++notches;
    }
    EXPECT_GT(notches, 0);
}
INSTANTIATE_TEST_SUITE_P(Axes, NotchMarking, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Logarithmic" : "Linear"; });

// Multiple-feedback lowpass stages invert: the curve shows the phase of the cascade without
// the inversion (the complex product with it, turned by 180 degrees per inverting stage) and
// tends to 0 at low frequency, and the note names the stages.
TEST(FinalResponsePhase, InvertingStagesAddNoStepAndTheNoteNamesThem) {
    const auto design = Designed("lp_default", ApproxIndex::Chebyshev, {{StageCode::SLP, 3}});
    ASSERT_TRUE(design);
    const StageRange all = AllStages(*design);
    const std::vector<int> inverting = InvertingStages(*design, all);
    ASSERT_EQ(static_cast<int>(inverting.size()), design->State.StageCount);
    ASSERT_GE(inverting.size(), 2u);
    const auto grid = GridOf(*design);
    FinalResponseTable table;
    ASSERT_TRUE(ComputePhaseCurves(*design, all, {}, grid, table));
    const auto lowest = FinalResponseAt(*design, all, {}, 1e-5L * design->State.Wpb);
    ASSERT_TRUE(lowest);
    EXPECT_NEAR(static_cast<double>(lowest->phase[0]), 0, 1e-3);
    for (size_t k = 0; k < grid.size(); ++k) {
        Complex h = 1;
        for (int s = 1; s <= design->State.StageCount; ++s)
            h *= EvaluateStageFunction(StageFunctionOf(*FindCircuit(design->Circuit(s).CircuitNo), ValuesOf(design->Circuit(s))),
                                       {0, static_cast<long double>(grid[k].W)});
        // The stage functions carry no sign either; the circuits' outputs do.
        long double difference = std::arg(h) - table[k].phase[0];
        difference = std::remainder(difference, 2 * kPi);
        EXPECT_NEAR(static_cast<double>(difference), 0, 1e-9) << "point " << k;
        if (k > 0) {
            EXPECT_LT(std::fabs(table[k].phase[0] - table[k - 1].phase[0]), kPi / 2) << "point " << k;
        }
    }
    std::string stages;
    for (size_t i = 0; i < inverting.size(); ++i) stages += (i ? ", " : "") + std::to_string(inverting[i]);
    EXPECT_EQ(InvertingNote(*design, all),
              (std::vector<std::string>{"Note:  There is an additional 180 degrees phase shift",
                                        "due to the inverting outputs of stages " + stages + "."}));
    EXPECT_EQ(InvertingNote(*design, {2, 2}),
              (std::vector<std::string>{"Note:  There is an additional 180 degrees phase shift",
                                        "due to the inverting output of stage 2."}));
    const auto plain = Designed("lp_default", ApproxIndex::Chebyshev, {{StageCode::SLP, 1}});
    EXPECT_TRUE(InvertingNote(*plain, AllStages(*plain)).empty());
}

// The delay is the slope of the phase: against a central difference of the phase curve, and
// the point calculator gives the table's values.
TEST(FinalResponseDelay, IsTheSlopeOfThePhase) {
    const auto design = Designed("bs_default", ApproxIndex::Elliptic, {}, 6);
    ASSERT_TRUE(design);
    SubstituteExactCapacitorsAndStandardResistors(*design);
    const StageRange all = AllStages(*design);
    const auto grid = GridOf(*design);
    FinalResponseTable delay, phase;
    ASSERT_TRUE(ComputeDelayCurves(*design, all, {}, grid, delay));
    for (size_t k = 5; k < grid.size(); k += 25) {
        const long double w = grid[k].W, h = w * 1e-6L;
        std::vector<GridPoint> around{{0, w - h}, {0, w + h}};
        ASSERT_TRUE(ComputePhaseCurves(*design, all, {}, around, phase));
        const auto point = FinalResponseAt(*design, all, {}, w);
        ASSERT_TRUE(point);
        for (size_t v = 0; v < 3; ++v) {
            const long double slope = -(phase[1].phase[v] - phase[0].phase[v]) / (2 * h);
            EXPECT_NEAR(static_cast<double>(delay[k].delay[v] / slope), 1, 1e-5) << "point " << k << " version " << v + 1;
            EXPECT_NEAR(static_cast<double>(point->delay[v] / delay[k].delay[v]), 1, 1e-10);
        }
    }
}

// A pole pair of Q 1e9 has a delay of about 2/(d1) at its frequency, far above 10 s: the point
// on it takes the previous point's delay, and the first point, with none before it, the delay
// of the stages before.
TEST(FinalResponseDelay, SpikesAboveTenSecondsTakeThePreviousPoint) {
    const long double wp = 1000;
    FinalStageFunctions f;
    f.computed = {true, false, false};
    StageFunction sharp;
    sharp.k = 1;
    sharp.n = {wp * wp, 0, 0, 0};
    sharp.d = {wp * wp, wp * 1e-9L, 1, 0};
    StageFunction smooth;
    smooth.k = 1;
    smooth.n = {wp, 0, 0, 0};
    smooth.d = {wp, 1, 0, 0};
    f.functions = {{smooth, {}, {}}, {sharp, {}, {}}};
    const std::vector<GridPoint> grid{{0, 800}, {0, 900}, {0, wp}, {0, 1100}};
    FinalResponseTable table;
    const DelayExtremes extremes = DelayCurves(f, grid, table);
    EXPECT_EQ(static_cast<long double>(table[2].delay[0]), table[1].delay[0]);
    EXPECT_LT(extremes.largest, kDelayCutoff);
    EXPECT_NEAR(static_cast<double>(extremes.largest), static_cast<double>(std::max({table[0].delay[0], table[1].delay[0], table[3].delay[0]})), 1e-15);
    const std::vector<GridPoint> fromThePole{{0, wp}, {0, 1100}};
    DelayCurves(f, fromThePole, table);
    // The first-order stage alone: 1/wp / (1 + (w/wp)^2).
    EXPECT_NEAR(static_cast<double>(table[0].delay[0]), 0.5e-3, 1e-12);
}

// Predistortion is taken out around the computation: the curves are those of the design with
// every predistortion choice cleared, and the design is left as it was.
TEST(FinalResponsePredistortion, IsRemovedAroundTheComputation) {
    const auto design = Designed("lp_default", ApproxIndex::Chebyshev);
    ASSERT_TRUE(design);
    for (int s = 1; s <= design->State.StageCount; ++s) {
        design->Circuit(s).OpAmpGBW = 100 * design->Stage(s).Wp / (2 * kPi);
        ChooseCompensation(*design, s, Compensation::Predistortion);
    }
    RecalculateAll(*design, true);
    const Design before = *design;
    Design cleared = *design;
    for (int s = 1; s <= cleared.State.StageCount; ++s) ChooseCompensation(cleared, s, Compensation::Neither);
    RecalculateAll(cleared, true);

    const auto grid = GridOf(*design);
    FinalResponseTable shown, wanted;
    ASSERT_TRUE(ComputeGainCurves(*design, AllStages(*design), {}, grid, shown));
    ASSERT_TRUE(ComputeGainCurves(cleared, AllStages(cleared), {}, grid, wanted));
    long double predistorted = 0;
    for (size_t k = 0; k < grid.size(); ++k) {
        EXPECT_EQ(static_cast<long double>(shown[k].gain[0]), wanted[k].gain[0]) << "point " << k;
        long double g = 1;
        for (int s = 1; s <= design->State.StageCount; ++s)
            g *= std::abs(EvaluateStageFunction(StageFunctionOf(*FindCircuit(design->Circuit(s).CircuitNo), ValuesOf(design->Circuit(s))),
                                                {0, static_cast<long double>(grid[k].W)}));
        predistorted = std::max(predistorted, std::fabs(ToDb(g) - ToDb(shown[k].gain[0])));
    }
    // The predistorted values, evaluated with ideal op amps, are visibly off.
    EXPECT_GT(predistorted, 0.01L);
    for (int s = 1; s <= design->State.StageCount; ++s) {
        EXPECT_TRUE(design->Circuit(s).Compensate);
        for (int i = 0; i < kMaxResistors; ++i)
            EXPECT_EQ(static_cast<long double>(design->Circuit(s).Resistors[static_cast<size_t>(i)].Value),
                      before.Circuit(s).Resistors[static_cast<size_t>(i)].Value);
    }
}

// The curves take each stage's phase with one arctangent; against the rule with two (the
// stage function's own phase) on functions whose polynomials sit on the axes and on the
// boundaries of the rule: at w = 0, on the pole, at the notch, with a first-order, a bandpass,
// a highpass, a notch with either sign of n1 and a cubic.
TEST(FinalResponsePhase, TakesEachStageAngleByTheRule) {
    const auto function = [](long double k, std::array<long double, 4> n, std::array<long double, 4> d) {
        StageFunction f;
        f.k = k;
        f.n = n;
        f.d = d;
        return f;
    };
    const std::vector<StageFunction> stages{
        function(1, {0, 1, 0, 0}, {1e3L, 1, 0, 0}),            // FHP
        function(2, {0, 100, 0, 0}, {1e6L, 100, 1, 0}),        // SBP
        function(1, {0, 0, 1, 0}, {1e6L, 1e3L, 1, 0}),         // SHP
        function(1, {4e6L, 1e-3L, 1, 0}, {1e6L, 500, 1, 0}),   // notch, n1 just positive
        function(1, {4e6L, -1e-3L, 1, 0}, {1e6L, 500, 1, 0}),  // notch, n1 just negative
        function(1, {0, 0, 0, 1}, {1e9L, 3e6L, 3e3L, 1}),      // third-order highpass
        function(1, {1e6L, 0, 0, 0}, {1e6L, 1e-12L, 1, 0}),    // lowpass, pole on the axis
    };
    std::vector<GridPoint> grid{{0, 0}};
    for (const long double w : {1.0L, 10.0L, 999.0L, 1000.0L, 1001.0L, 2000.0L, 1e5L}) grid.push_back({0, w});
    for (size_t i = 0; i < stages.size(); ++i) {
        FinalStageFunctions f;
        f.computed = {true, false, false};
        f.functions = {{stages[i], {}, {}}};
        FinalResponseTable table;
        PhaseCurves(f, grid, table);
        for (size_t k = 0; k < grid.size(); ++k)
            EXPECT_NEAR(static_cast<double>(table[k].phase[0]), static_cast<double>(StagePhase(stages[i], grid[k].W)), 1e-9)
                << "stage function " << i << " at w = " << static_cast<double>(grid[k].W);
    }
}

// The window keeps the stage functions between computations: what it takes from them equals a
// fresh computation, also after a value of one stage has changed.
TEST(FinalResponseRange, KeptStageFunctionsServeOnlyUnchangedValues) {
    const auto design = Designed("bp_default", ApproxIndex::Chebyshev);
    ASSERT_TRUE(design);
    const StageRange all = AllStages(*design);
    const FinalStageFunctions kept = FinalStageFunctionsOf(*design, all, {});
    ASSERT_TRUE(AdjustCapacitor(*design, 2, 1, static_cast<long double>(design->Circuit(2).Capacitors[0].Value) * 1.05L, true).applied);
    const FinalStageFunctions reused = FinalStageFunctionsOf(*design, all, {}, &kept);
    const FinalStageFunctions fresh = FinalStageFunctionsOf(*design, all, {});
    ASSERT_EQ(reused.computed, (std::array<bool, 3>{true, true, false}));
    ASSERT_EQ(reused.functions.size(), fresh.functions.size());
    for (size_t i = 0; i < fresh.functions.size(); ++i)
        for (size_t v = 0; v < 2; ++v) {
            EXPECT_EQ(reused.functions[i][v].k, fresh.functions[i][v].k) << "stage " << i + 1 << " version " << v + 1;
            EXPECT_EQ(reused.functions[i][v].d, fresh.functions[i][v].d) << "stage " << i + 1 << " version " << v + 1;
            EXPECT_EQ(reused.functions[i][v].n, fresh.functions[i][v].n) << "stage " << i + 1 << " version " << v + 1;
        }
    // The stage whose capacitor moved has a new function in version 2.
    EXPECT_NE(fresh.functions[1][1].d, kept.functions[1][0].d);
}

}  // namespace
}  // namespace tavrel
