// The peak, the -3 dB edge and the phases the tuning report states, against the stage function
// of the designed values, searched numerically.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "analysis/tuning/tuning_report.h"
#include "support/case_name.h"
#include "analysis/tuning/tuning_cases.h"

namespace tavrel {
namespace {

using testing_support::AngleDifference;
using testing_support::RealisedGain;
using testing_support::RealisedPhase;
using testing_support::TuningCase;

constexpr long double kTolerance = 1e-6L;
const long double kRootHalf = 1 / std::numbers::sqrt2_v<long double>;

long double Relative(long double a, long double b) { return std::fabs(a - b) / std::fabs(b); }

struct Extremum {
    long double w = 0, gain = 0;
    bool interior = false;  // not at either end of the searched band
};

// The largest gain between 1e-3 and 1e3 times the centre: a log grid, then a golden-section
// search around the best grid point.
Extremum MaximumOf(const TuningCase& c) {
    const long double centre = c.stage.wp > 0 ? c.stage.wp : c.stage.wc;
    const int points = 6001;
    const long double lo = std::log(centre * 1e-3L), hi = std::log(centre * 1e3L), step = (hi - lo) / (points - 1);
    int best = 0;
    for (int i = 1; i < points; ++i)
        if (RealisedGain(c, std::exp(lo + i * step)) > RealisedGain(c, std::exp(lo + best * step))) best = i;
    if (best == 0 || best == points - 1) return {std::exp(lo + best * step), RealisedGain(c, std::exp(lo + best * step)), false};
    long double a = lo + (best - 1) * step, b = lo + (best + 1) * step;
    const long double ratio = (std::sqrt(5.0L) - 1) / 2;
    while (b - a > 1e-14L) {
        const long double x1 = b - ratio * (b - a), x2 = a + ratio * (b - a);
        if (RealisedGain(c, std::exp(x1)) < RealisedGain(c, std::exp(x2)))
            a = x1;
        else
            b = x2;
    }
    const long double w = std::exp((a + b) / 2);
    return {w, RealisedGain(c, w), true};
}

// Where the gain crosses level between wLo and wHi (one crossing), by bisection in log w.
long double Crossing(const TuningCase& c, long double level, long double wLo, long double wHi) {
    long double a = std::log(wLo), b = std::log(wHi);
    const bool risingAtA = RealisedGain(c, wLo) < level;
    while (b - a > 1e-15L) {
        const long double m = (a + b) / 2;
        if ((RealisedGain(c, std::exp(m)) < level) == risingAtA)
            a = m;
        else
            b = m;
    }
    return std::exp((a + b) / 2);
}

class TuningFigures : public ::testing::TestWithParam<TuningCase> {};

TEST_P(TuningFigures, PeakIsTheMaximumOfTheStageFunction) {
    const TuningCase& c = GetParam();
    const ResponsePeak peak = PeakOf(c.stage);
    const Extremum max = MaximumOf(c);
    if (c.stage.stageType == StageCode::SBP) {
        // A bandpass peaks at fp with its gain constant.
        EXPECT_LT(Relative(max.w, c.stage.wp), kTolerance);
        EXPECT_LT(Relative(max.gain, c.stage.gain), kTolerance);
        return;
    }
    EXPECT_EQ(peak.present, max.interior);
    if (peak.present) {
        EXPECT_LT(Relative(peak.w, max.w), kTolerance);
        EXPECT_LT(Relative(peak.gain, max.gain), kTolerance);
    }
}

TEST_P(TuningFigures, MinusThreeDbEdgeIsWhereTheStageFunctionIs3dBDown) {
    const TuningCase& c = GetParam();
    const TuningStage& t = c.stage;
    const long double far = 1e-7L;
    switch (t.stageType) {
        case StageCode::FLP:
        case StageCode::SLP: {
            const long double level = RealisedGain(c, (t.wc + t.wp) * far) * kRootHalf;
            const long double centre = t.wc + t.wp;
            // Without a peak the gain falls from DC on; with one, the edge is above the peak.
            const long double from = PeakOf(t).present ? PeakOf(t).w : centre * 1e-3L;
            EXPECT_LT(Relative(MinusThreeDbFrequency(t), Crossing(c, level, from, centre * 1e3L)), kTolerance);
            break;
        }
        case StageCode::FHP:
        case StageCode::SHP: {
            const long double centre = t.wc + t.wp;
            const long double level = RealisedGain(c, centre / far) * kRootHalf;
            const long double to = PeakOf(t).present ? PeakOf(t).w : centre * 1e3L;
            EXPECT_LT(Relative(MinusThreeDbFrequency(t), Crossing(c, level, centre * 1e-3L, to)), kTolerance);
            break;
        }
        case StageCode::SBP: {
            const FrequencyPair f = FortyFiveDegreeFrequencies(t);
            const long double level = t.gain * kRootHalf;
            EXPECT_LT(Relative(f.lower, Crossing(c, level, t.wp * 1e-3L, t.wp)), kTolerance);
            EXPECT_LT(Relative(f.upper, Crossing(c, level, t.wp, t.wp * 1e3L)), kTolerance);
            break;
        }
        case StageCode::SLPN:
            if (!PeakOf(t).present) {
                const long double level = RealisedGain(c, t.wp * far) * kRootHalf;
                EXPECT_LT(Relative(MinusThreeDbFrequency(t), Crossing(c, level, t.wp * 1e-3L, t.wz)), kTolerance);
            }
            break;
        case StageCode::SHPN:
            if (!PeakOf(t).present) {
                const long double level = RealisedGain(c, t.wp / far) * kRootHalf;
                EXPECT_LT(Relative(MinusThreeDbFrequency(t), Crossing(c, level, t.wz, t.wp * 1e3L)), kTolerance);
            }
            break;
        default: FAIL() << "no tuning case of type " << t.stageType;
    }
}

// Every phase slot is the phase a meter shows at its frequency: the stage function's phase,
// turned by 180 degrees for an inverting circuit.
TEST_P(TuningFigures, PhaseSlotsAreTheStagePhaseAtTheirFrequencies) {
    const TuningCase& c = GetParam();
    const TuningStage& t = c.stage;
    std::vector<std::pair<int, long double>> slotFrequencies;
    switch (t.stageType) {
        case StageCode::FLP:
        case StageCode::FHP: slotFrequencies = {{4, t.wc}}; break;
        case StageCode::SLPN:
        case StageCode::SHPN: slotFrequencies = {{9, t.wp}}; break;
        default: {
            const FrequencyPair f = FortyFiveDegreeFrequencies(t);
            slotFrequencies = {{3, t.wp}, {4, f.lower}, {5, f.upper}};
        }
    }
    const ReportSlots slots = PhaseSlots(t, true);
    for (const auto& [slot, w] : slotFrequencies) {
        SCOPED_TRACE(slot);
        EXPECT_LT(std::fabs(AngleDifference(TuningPhase(t, w), RealisedPhase(c, w))), kTolerance);
        EXPECT_EQ(slots.at(slot), TuningPhaseText(RealisedPhase(c, w)));
    }
}

// The gains the magnitude steps name, where they name them: exact where the text measures at a
// defining point (the corner, a bandpass's fp and -3 dB points, the notch), within 2 % where it
// measures a passband or the 40 dB skirt a decade out (3 % for a highpass notch's DC gain a
// decade below its zero, where a low Qp still pulls).
TEST_P(TuningFigures, StatedGainsHoldWhereTheyAreMeasured) {
    const TuningCase& c = GetParam();
    const TuningStage& t = c.stage;
    const long double k = t.gain;
    struct Statement {
        long double w, gain, tolerance;
    };
    std::vector<Statement> statements;
    switch (t.stageType) {
        case StageCode::FLP: statements = {{0.1L * t.wc, k, 0.02L}, {t.wc, k * kRootHalf, kTolerance}}; break;
        case StageCode::FHP: statements = {{10 * t.wc, k, 0.02L}, {t.wc, k * kRootHalf, kTolerance}}; break;
        case StageCode::SLP: statements = {{0.1L * t.wp, k, 0.02L}, {10 * t.wp, 0.01L * k, 0.02L}}; break;
        case StageCode::SHP: statements = {{10 * t.wp, k, 0.02L}, {0.1L * t.wp, 0.01L * k, 0.02L}}; break;
        case StageCode::SBP: {
            const FrequencyPair f = FortyFiveDegreeFrequencies(t);
            statements = {{t.wp, k, kTolerance}, {f.lower, k * kRootHalf, kTolerance}, {f.upper, k * kRootHalf, kTolerance}};
            break;
        }
        case StageCode::SLPN: statements = {{10 * t.wz, k, 0.02L}, {0.1L * t.wp, NotchRatio(t) * k, 0.02L}}; break;
        case StageCode::SHPN: statements = {{10 * t.wp, k, 0.02L}, {0.1L * t.wz, NotchRatio(t) * k, 0.03L}}; break;
        default: break;
    }
    for (const Statement& s : statements) {
        SCOPED_TRACE(static_cast<double>(s.w / (t.wp + t.wc)));
        EXPECT_LT(Relative(RealisedGain(c, s.w), s.gain), s.tolerance);
    }
    if (t.stageType == StageCode::SLPN || t.stageType == StageCode::SHPN) {
        // "(theoretical gain = 0)" at the notch, and the phase turns by 180 degrees across it.
        EXPECT_LT(RealisedGain(c, t.wz), 1e-9L * k);
        const long double across = AngleDifference(RealisedPhase(c, t.wz * 0.9999L), RealisedPhase(c, t.wz * 1.0001L));
        EXPECT_NEAR(static_cast<double>(std::fabs(across)), 180.0, 0.1);
    }
}

INSTANTIATE_TEST_SUITE_P(DesignedStages, TuningFigures, ::testing::ValuesIn(testing_support::TuningCases()),
                         testing_support::PrintedName());

// Every tunable circuit realises at least one of its targets, so that none drops out above.
TEST(TuningFigures, EveryTunableCircuitHasCases) {
    for (const CircuitDefinition& circuit : Circuits()) {
        if (circuit.stageType == StageCode::SN) continue;
        bool any = false;
        for (const auto& target : testing_support::TargetsOf(circuit.stageType))
            any = any || testing_support::Designed(circuit, target).has_value();
        EXPECT_TRUE(any) << circuit.Code();
    }
}

}  // namespace
}  // namespace tavrel
