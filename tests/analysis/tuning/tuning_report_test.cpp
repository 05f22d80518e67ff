#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <numbers>
#include <sstream>
#include <string>

#include "analysis/tuning/tuning_report.h"
#include "circuits/catalog/circuit_definition.h"
#include "core/number_format.h"
#include "support/case_name.h"

namespace tavrel {
namespace {

constexpr long double kTwoPi = 2 * std::numbers::pi_v<long double>;
constexpr long double kWp = kTwoPi * 1000;

TuningStage SecondOrder(int type, long double qp, long double gain = 1, long double zeroRatio = 0) {
    TuningStage t;
    t.stageType = type;
    t.wp = kWp;
    t.qp = qp;
    t.wz = kWp * zeroRatio;
    t.gain = gain;
    return t;
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

std::string Instructions(const TuningReport& r) { return PlainText(r.instructions); }

TEST(TuningReport, NotRecommendedCircuitShowsNoSteps) {
    const CircuitDefinition& circuit = *FindCircuit(StageCode::SLPN, 1);
    const TuningReport r = BuildTuningReport(SecondOrder(StageCode::SLPN, 3, 1, 1.5L), circuit.tuningEntry, {});
    EXPECT_FALSE(r.recommended);
    EXPECT_TRUE(r.steps.empty());
    EXPECT_TRUE(Contains(TuningReportText(r), "Tuning Sequence\nNot recommended\n"));
}

// Qp = 0.5: no peak, so the -3 dB section, at wp·sqrt(sqrt(2) - 1) = 643.594 Hz.
TEST(TuningReport, CriticallyDampedLowpassShowsTheNoPeakSection) {
    const TuningReport r = BuildTuningReport(SecondOrder(StageCode::SLP, 0.5L), "GO R1WP00 R4QP", {});
    const std::string text = Instructions(r);
    EXPECT_TRUE(Contains(text, " Adjust Qp for 3dB attenuation (theoretical gain = 0.7071) at 643.594 Hz.\n")) << text;
    EXPECT_FALSE(Contains(text, "peak gain"));
}

// Qp = 2: the peak at wp·sqrt(7/8) = 935.414 Hz with K·8/sqrt(15) = 2.0656·K.
TEST(TuningReport, PeakedLowpassShowsThePeak) {
    const TuningReport r = BuildTuningReport(SecondOrder(StageCode::SLP, 2), "GO R1WP00 R4QP", {});
    const ReportSlots slots = MagnitudeSlots(SecondOrder(StageCode::SLP, 2), true);
    EXPECT_EQ(slots.at(5), "935.414 Hz");
    EXPECT_EQ(slots.at(4), "2.0656");
    EXPECT_TRUE(Contains(Instructions(r), " Adjust Qp for a peak gain of 2.0656 at 935.414 Hz.\n"));
    EXPECT_FALSE(Contains(Instructions(r), "3dB"));
}

TEST(TuningReport, InvertingFirstOrderLowpassLeadsBy135DegreesAtItsCorner) {
    TuningStage t;
    t.stageType = StageCode::FLP;
    t.wc = kWp;
    t.gain = 1;
    t.inverting = true;
    EXPECT_EQ(PhaseSlots(t, true).at(4), "+135");
    t.inverting = false;
    EXPECT_EQ(PhaseSlots(t, true).at(4), "-45");
}

// Qp above 1/sqrt(2) but a zero close above the pole pair: the gain falls from DC to the notch
// without a maximum, so the -3 dB section is drawn.
TEST(TuningReport, NotchCloseToItsPolesHasNoPeak) {
    EXPECT_FALSE(PeakOf(SecondOrder(StageCode::SLPN, 0.8L, 1, 1.5L)).present);
    EXPECT_FALSE(PeakOf(SecondOrder(StageCode::SHPN, 0.8L, 1, 0.7L)).present);
    EXPECT_TRUE(PeakOf(SecondOrder(StageCode::SHPN, 1, 1, 0.7L)).present);
}

TEST(TuningReport, SketchMarksFollowTheResponseRange) {
    const TuningStage t = SecondOrder(StageCode::SLPN, 3, 1, 1.5L);
    auto labels = [&](long double lowest) {
        std::string text;
        for (const SketchMark& m : BuildTuningReport(t, "NR", {true, lowest}).sketch.marks) text += m.label + " ";
        return text;
    };
    EXPECT_EQ(labels(0.05L * kWp), "0.1*fp fp fz 10*fp ");
    EXPECT_EQ(labels(0.0499L * kWp), "0.01*fp fp fz 100*fp ");
    const TuningSketch sketch = BuildTuningReport(t, "NR", {false, kWp}).sketch;
    EXPECT_EQ(sketch.marks.front().label, "0.1*wp");
    ASSERT_EQ(sketch.w.size(), static_cast<size_t>(kSketchPoints));
    EXPECT_NEAR(static_cast<double>(sketch.w.front() / kWp), 0.1, 1e-12);
    EXPECT_NEAR(static_cast<double>(sketch.gain.front()), static_cast<double>(std::abs(IdealStageGain(t, 0.1L * kWp))), 1e-15);
}

TEST(TuningReport, SlotTexts) {
    EXPECT_EQ(TuningGainText(1 / std::sqrt(2.0L)), "0.7071");
    EXPECT_EQ(TuningGainText(0.01L), "0.01");
    EXPECT_EQ(TuningGainText(7.0710678e-4L), "0.0007071");
    EXPECT_EQ(TuningGainText(2), "2");
    EXPECT_EQ(TuningPhaseText(-135.2L), "-135");
    EXPECT_EQ(TuningPhaseText(225), "-135");
    EXPECT_EQ(TuningPhaseText(-180), "+180");
    EXPECT_EQ(TuningPhaseText(0.3L), "0");
}

// The plain-text reports of a stage of each type, against files checked by hand.
struct GoldenCase {
    const char* file;
    int stageType;
    int circuitIndex;
    long double qp, gain, zeroRatio;
    bool hz;
};

void PrintTo(const GoldenCase& c, std::ostream* os) { *os << c.file; }

TuningStage StageOf(const GoldenCase& c) {
    TuningStage t = SecondOrder(c.stageType, c.qp, c.gain, c.zeroRatio);
    if (IsFirstOrderStage(c.stageType)) {
        t.wc = t.wp;
        t.wp = t.qp = 0;
    }
    t.inverting = FindCircuit(c.stageType, c.circuitIndex)->inverting;
    return t;
}

class TuningGolden : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(TuningGolden, PlainTextMatchesTheCheckedFile) {
    const GoldenCase& c = GetParam();
    const CircuitDefinition& circuit = *FindCircuit(c.stageType, c.circuitIndex);
    const std::string text =
        TuningReportText(BuildTuningReport(StageOf(c), circuit.tuningEntry, {c.hz, c.hz ? kWp / 100 : kWp}));
    const std::string path = std::string(TAVREL_FIXTURES) + "/tuning/" + c.file;
    if (std::getenv("TAVREL_WRITE_TUNING_GOLDEN") != nullptr) std::ofstream(path, std::ios::binary) << text;
    std::ifstream in(path, std::ios::binary);
    ASSERT_TRUE(in) << path;
    std::stringstream golden;
    golden << in.rdbuf();
    EXPECT_EQ(text, golden.str());
}

INSTANTIATE_TEST_SUITE_P(
    Stages, TuningGolden,
    ::testing::Values(GoldenCase{"flp03_inverting_rad.txt", StageCode::FLP, 3, 0, 2, 0, false},
                      GoldenCase{"fhp01.txt", StageCode::FHP, 1, 0, 1, 0, true},
                      GoldenCase{"slp01_qp0.5.txt", StageCode::SLP, 1, 0.5L, 1, 0, true},
                      GoldenCase{"slp03_qp2_inverting.txt", StageCode::SLP, 3, 2, 2, 0, true},
                      GoldenCase{"shp02_qp5.txt", StageCode::SHP, 2, 5, 1, 0, true},
                      GoldenCase{"sbp04_qp10_rad.txt", StageCode::SBP, 4, 10, 3, 0, false},
                      GoldenCase{"slpn05_qp3.txt", StageCode::SLPN, 5, 3, 1, 1.5L, true},
                      GoldenCase{"slpn01_not_recommended.txt", StageCode::SLPN, 1, 0.6L, 1, 1.5L, true},
                      GoldenCase{"shpn08_qp0.8.txt", StageCode::SHPN, 8, 0.8L, 2, 0.7L, true},
                      GoldenCase{"sn01.txt", StageCode::SN, 1, 4, 1, 1, true}),
    testing_support::PrintedName());

}  // namespace
}  // namespace tavrel

namespace tavrel {
namespace {

// The report of a design's stage reads the stage's targets, the gain its circuit realises, the
// circuit's entry and inversion, and the design's unit and response range.
TEST(TuningReportOfDesign, ReadsTheStageItsCircuitAndTheDisplaySettings) {
    Design design;
    design.State.HzUnits = false;
    design.State.FreqLo = 0.2L * kWp;  // rad/s, as the display unit is
    StageRecord& stage = design.Stage(1);
    stage.StageType = StageCode::SLP;
    stage.Wp = kWp;
    stage.Qp = 2;
    const CircuitDefinition& circuit = *FindCircuit(StageCode::SLP, 3);
    design.Circuit(1).CircuitNo = static_cast<std::int16_t>(circuit.circuitNo);
    design.Circuit(1).ActualGain = 2;
    const TuningReport r = TuningReportOf(design, 1);
    ASSERT_EQ(r.steps.size(), 2u);
    EXPECT_EQ(r.steps[0].component + r.steps[0].parameter, "R3wp");
    EXPECT_EQ(r.sketch.marks.front().label, "0.1*wp");
    const std::string text = PlainText(r.instructions);
    EXPECT_NE(text.find("peak gain of 4.1312 at 5.877 Krad/s"), std::string::npos) << text;
    EXPECT_NE(text.find("a +90° phase shift at wp"), std::string::npos) << text;  // inverting
    design.State.HzUnits = true;
    design.State.FreqLo = 0.2L * 1000;  // Hz
    EXPECT_EQ(TuningReportOf(design, 1).sketch.marks.front().label, "0.1*fp");
    design.State.FreqLo = 40;
    EXPECT_EQ(TuningReportOf(design, 1).sketch.marks.front().label, "0.01*fp");
}

}  // namespace
}  // namespace tavrel
