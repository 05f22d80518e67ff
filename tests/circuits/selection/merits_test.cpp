// The merits of the candidate circuits of a stage: every candidate's figures against its own
// design made apart from the selection (a design request for the circuit at the stage's
// target), and the texts of the merit panel.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "circuits/calculation/gain_sensitivities.h"
#include "circuits/catalog/circuit_catalog.h"
#include "circuits/equations/design_stage.h"
#include "circuits/equations/sensitivity.h"
#include "circuits/records/design_request.h"
#include "circuits/selection/evaluate_candidates.h"
#include "circuits/selection/merit_panel.h"
#include "support/case_name.h"
#include "support/staged_design.h"

namespace tavrel {
namespace {

using testing_support::StagedDesign;

struct KindCase {
    FilterKind kind;
    const char* name;
};
void PrintTo(const KindCase& c, std::ostream* os) { *os << c.name; }

// The candidate designed apart: the circuit at the stage's pole data with the stage's gain
// constant, and the op amp of the stage.
StageCircuitRecord DesignedApart(const Design& design, int s, int candidate) {
    const StageRecord& stage = design.Stage(s);
    DesignRequest q;
    q.circuitNo = CircuitNumber(stage.StageType, candidate);
    if (IsFirstOrderStage(stage.StageType)) q.wc = stage.Wc;
    else q.wp = stage.Wp, q.qp = stage.Qp, q.wz = stage.Wz;
    q.gain = stage.To;
    q.gbwHz = design.Circuit(s).OpAmpGBW;
    PreparedDesign d = PrepareDesign(q).value();
    DesignStage(d.stage, d.record);
    return d.record;
}

// Largest over smallest value, truncated.
std::int32_t RatioOf(const auto& entries, int count) {
    long double lo = entries[0].Value, hi = lo;
    for (int i = 0; i < count; ++i) lo = std::min<long double>(lo, entries[static_cast<size_t>(i)].Value), hi = std::max<long double>(hi, entries[static_cast<size_t>(i)].Value);
    return static_cast<std::int32_t>(std::min(std::trunc(hi / lo), 2e9L));
}

// The variance terms written out: (tolerance)² · sums of squares · weight², and the op amp's
// (k1·x)² or K1·x² with x = wp/(2·pi·GBW), times (GBW tolerance)².
struct Variances {
    long double active = 0, total = 0;
};
Variances VariancesOf(const Design& design, int s, const StageCircuitRecord& r) {
    const StageRecord& stage = design.Stage(s);
    const long double w = IsFirstOrderStage(stage.StageType) ? static_cast<long double>(stage.Wc)
                          : stage.StageType == StageCode::SHP ? static_cast<long double>(design.Circuits.Merits[static_cast<size_t>(s)].RefFreq1)
                                                              : static_cast<long double>(design.Circuits.Merits[static_cast<size_t>(s)].RefFreq2);
    const GainSensitivities g = GainSensitivitiesAt(stage, r.AuxPoleW, w);
    const long double tr = design.Characteristics.RTolerance / 100, tc = design.Characteristics.CTolerance / 100;
    auto passive = [&](int sum, long double weight) {
        const auto& t = r.SensTotals;
        return weight * weight * (tr * tr * t[static_cast<size_t>(sum + SensSum::Squares + SensSum::Resistors)] +
                                  tc * tc * t[static_cast<size_t>(sum + SensSum::Squares + SensSum::Capacitors)]);
    };
    Variances v;
    v.total = passive(SensSum::PoleFrequency, g.w) + passive(SensSum::ThirdPole, g.third) + passive(SensSum::ThirdZero, g.third);
    if (IsFirstOrderStage(stage.StageType)) return v;
    v.total += passive(SensSum::PoleQ, g.q);
    if (IsNotchStage(stage.StageType)) v.total += passive(SensSum::ZeroFrequency, g.z);
    const long double x = stage.Wp / (2 * std::numbers::pi_v<long double> * design.Circuit(s).OpAmpGBW);
    const long double a = design.Circuit(s).OpAmpGBWTol / 100;
    const long double k1 = r.FreqShiftCoef, k2 = r.QShiftCoef;
    const long double fw = r.OpAmpCount > 1 ? r.SpreadCoef1 * x * x : k1 * k1 * x * x;
    const long double fq = r.OpAmpCount > 1 ? r.SpreadCoef2 * x * x : k2 * k2 * x * x;
    v.active = a * a * (g.w * g.w * fw + g.q * g.q * fq);
    v.total += v.active;
    return v;
}

class MeritsOfEveryKind : public ::testing::TestWithParam<KindCase> {};

TEST_P(MeritsOfEveryKind, EveryCandidateAgreesWithItsOwnDesign) {
    auto design = StagedDesign({GetParam().kind});
    for (int s = 1; s <= design->State.StageCount; ++s) {
        const StageCircuitRecord before = design->Circuit(s);
        EvaluateCandidates(*design, s);
        EXPECT_EQ(design->Circuit(s).CircuitNo, before.CircuitNo) << "the stage keeps its circuit";
        const MeritBlock& block = design->Circuits.Merits[static_cast<size_t>(s)];
        const int count = CircuitsOfType(design->Stage(s).StageType);
        long double largest = 0;
        for (int k = 1; k <= count; ++k) {
            SCOPED_TRACE("stage " + std::to_string(s) + " candidate " + std::to_string(k));
            const MeritEntry& m = block.Candidates[static_cast<size_t>(k - 1)];
            const StageCircuitRecord r = DesignedApart(*design, s, k);
            EXPECT_EQ(m.Invalid, r.Invalid);
            EXPECT_EQ(m.ResistorCount, r.ResistorCount);
            EXPECT_EQ(m.CapacitorCount, r.CapacitorCount);
            EXPECT_EQ(m.OpAmpCount, r.OpAmpCount);
            EXPECT_EQ(m.GainForced, r.GainForced);
            EXPECT_EQ(m.ActualGain, r.ActualGain);
            EXPECT_EQ(m.MinGBW, r.MinGBW);
            if (r.Invalid) continue;  // an invalid design's remaining figures mean nothing
            EXPECT_EQ(m.RSpread, RatioOf(r.Resistors, r.ResistorCount));
            EXPECT_EQ(m.CSpread, RatioOf(r.Capacitors, r.CapacitorCount));
            const Variances v = VariancesOf(*design, s, r);
            EXPECT_NEAR(static_cast<double>(m.TotalSpread), static_cast<double>(v.total), 1e-12 * static_cast<double>(v.total));
            EXPECT_NEAR(static_cast<double>(m.ActiveSpread), static_cast<double>(v.active), 1e-12 * static_cast<double>(v.total));
            EXPECT_GT(m.TotalSpread, 0);
            largest = std::max<long double>(largest, v.total);
        }
        EXPECT_NEAR(static_cast<double>(block.MaxSpread), static_cast<double>(largest), 1e-12 * static_cast<double>(largest));
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, MeritsOfEveryKind,
                         ::testing::Values(KindCase{FilterKind::Lowpass, "lowpass"}, KindCase{FilterKind::Highpass, "highpass"},
                                           KindCase{FilterKind::Bandpass, "bandpass"}, KindCase{FilterKind::Bandstop, "bandstop"}),
                         testing_support::PrintedName());

TEST(Candidates, CountsOfTheStageTypes) {
    EXPECT_EQ(CircuitsOfType(StageCode::SLP), 13);
    EXPECT_EQ(CircuitsOfType(StageCode::FLP), 3);
    EXPECT_EQ(CircuitsOfType(StageCode::FHP), 4);
}

TEST(Candidates, ExcludedCandidateHasNoSpreadAndShowsExcluded) {
    auto design = StagedDesign({FilterKind::Lowpass, "4"});
    MeritBlock& block = design->Circuits.Merits[1];
    block.Candidates[2].Included = 0;
    EvaluateCandidates(*design, 1);
    EXPECT_EQ(block.Candidates[2].TotalSpread, 0);
    EXPECT_TRUE(SpreadBarOf(block, 3, 13).excluded);
    EXPECT_EQ(IncludeHint(false), std::string("Include circuit"));
    int best = 0;
    for (int k = 1; k <= 13; ++k) best += SpreadBarOf(block, k, 13).best;
    EXPECT_GE(best, 1);
}

TEST(MeritPanel, ComponentSpreadTexts) {
    MeritEntry e;
    e.RSpread = 5000;
    e.CSpread = 4999;
    EXPECT_EQ(ResistorSpreadText(e), "R= >5000:1");
    EXPECT_EQ(CapacitorSpreadText(e), "    C= 4999:1");
    e.RSpread = 4999;
    EXPECT_EQ(ResistorSpreadText(e), "R= 4999:1");
    e.Invalid = 1;
    EXPECT_EQ(ResistorSpreadText(e), "R= N/A ");
    EXPECT_EQ(CapacitorSpreadText(e), "    C= N/A");
    e.ResistorCount = 4, e.CapacitorCount = 2, e.OpAmpCount = 1;
    EXPECT_EQ(ComponentCountText(e), "R:4    C:2    OA:1");
}

TEST(MeritPanel, FrequencyTexts) {
    EXPECT_EQ(PanelFrequencyText(1.2e9L), "1.2 GHz");
    EXPECT_EQ(PanelFrequencyText(2.5e7L), "25 MHz");
    EXPECT_EQ(PanelFrequencyText(3.2e5L), "0.3 MHz");
    EXPECT_EQ(PanelFrequencyText(5e4L), "0.05 MHz");
    MeritEntry e;
    e.MinGBW = 2.5e7L;
    EXPECT_EQ(MinGbwText(e, StageCode::SLP), "Unity GBW: 25 MHz");
    EXPECT_EQ(MinGbwText(e, StageCode::FLP), "Unity GBW: N/A");
}

TEST(MeritPanel, SpreadWarningAboveAThousand) {
    MeritEntry e;
    e.RSpread = 1000;
    e.CSpread = 1000;
    EXPECT_TRUE(WarningWords(e, true).empty());
    e.RSpread = 1001;
    EXPECT_EQ(WarningWords(e, true), (std::vector<std::string>{"Resistor", "spread", "warning"}));
    EXPECT_TRUE(WarningWords(e, false).empty());
    e.RSpread = 10, e.CSpread = 1001;
    EXPECT_EQ(WarningWords(e, true), (std::vector<std::string>{"Capacitor", "spread", "warning"}));
    e.Invalid = 1;
    EXPECT_EQ(WarningWords(e, false), (std::vector<std::string>{"Circuit", "not", "suitable"}));
}

TEST(MeritPanel, GainsOfALowpassNotchAreAtDc) {
    StageRecord stage;
    stage.StageType = StageCode::SLPN;
    stage.Wp = 1, stage.Wz = 2;
    MeritEntry e;
    e.DesiredGain = 1;
    e.ActualGain = 1.0005L;
    e.GainForced = 1;
    const GainTexts t = GainTextsOf(e, stage);
    EXPECT_EQ(t.desired, "Desired gain: 4.0000");
    EXPECT_EQ(t.actual, "Actual gain: 4.0020");
    EXPECT_TRUE(t.warn);
    EXPECT_TRUE(t.forced);
    stage.StageType = StageCode::SLP;
    EXPECT_FALSE(GainTextsOf(e, stage).warn);
}

TEST(MeritPanel, EaseOfTuningAndHeader) {
    EXPECT_EQ(EaseOfTuningWords(56), "Not Recommended");
    EXPECT_EQ(EaseOfTuningWords(11), "Fair");
    auto design = StagedDesign({FilterKind::Bandstop});
    MeritEntry e;
    e.Inverting = 1;
    const StageHeader h = StageHeaderOf(*design, 1, e);
    EXPECT_EQ(h.stage, "Stage 1 of " + std::to_string(design->State.StageCount));
    EXPECT_EQ(h.figures.rfind("Q=", 0), 0u);
    EXPECT_NE(h.figures.find("     fp="), std::string::npos);
    EXPECT_NE(h.figures.find("     fz="), std::string::npos);
    EXPECT_EQ(h.inverting, "Inverting");
}

// "Select" takes the candidate's recommended GBW for the op amp, at least 1 MHz.
TEST(Selection, RecommendedGbwOfTheSelectedCandidate) {
    auto design = StagedDesign({FilterKind::Lowpass, "4"});
    MeritBlock& block = design->Circuits.Merits[1];
    block.Candidates[0].MinGBW = 250e3L;
    SelectCircuit(*design, 1, 1);
    EXPECT_EQ(design->Circuit(1).OpAmpGBW, 1e6L);
    block.Candidates[1].MinGBW = 3.5e6L;
    SelectCircuit(*design, 1, 2);
    EXPECT_EQ(design->Circuit(1).OpAmpGBW, 3.5e6L);
}

}  // namespace
}  // namespace tavrel
