#include <gtest/gtest.h>

#include <cmath>

#include "circuits/network/realized_figures.h"
#include "calculation_fixture.h"
#include "circuits/adjustment/adjust_capacitor.h"
#include "circuits/adjustment/adjust_resistor.h"
#include "core/number_format.h"

namespace tavrel::calculation_testing {
namespace {

std::unique_ptr<Design> OneStage(int circuit, long double qp = 1.3L) {
    const auto type = static_cast<std::uint8_t>(FindCircuit(circuit)->stageType);
    auto design = HandDesign({{type, 10000, qp, 20000}}, 1);
    SelectAndCalculate(*design, {circuit});
    return design;
}

long double R(const Design& d, int i) { return d.Circuit(1).Resistors[static_cast<size_t>(i - 1)].Value; }
long double C(const Design& d, int j) { return d.Circuit(1).Capacitors[static_cast<size_t>(j - 1)].Value; }

RealizedFigures Realized(const Design& d) {
    const CircuitDefinition& circuit = *FindCircuit(d.Circuit(1).CircuitNo);
    return RealizedFiguresOf(StageFunctionOf(circuit, ValuesInForce(d.Circuit(1))), circuit);
}

// A 10 nF capacitor may be set from 10 nF / 1.12 = 8.928571 nF to 11.2 nF, both included.
TEST(AdjustCapacitor, RangeIsTwelvePercentEitherWay) {
    auto design = OneStage(13);
    ASSERT_NEAR(static_cast<double>(C(*design, 1)), 10e-9, 1e-20);
    const CapacitorAdjustment range = CapacitorAdjustmentOf(design->Circuit(1), 1);
    EXPECT_NEAR(static_cast<double>(range.min), 8.928571e-9, 1e-15);
    EXPECT_NEAR(static_cast<double>(range.max), 11.2e-9, 1e-18);
    const auto refused = AdjustCapacitor(*design, 1, 1, 11.3e-9L);
    EXPECT_FALSE(refused.applied);
    EXPECT_EQ(refused.messages, std::vector<std::string>{"Value does not fall within required range!"});
    EXPECT_EQ(AdjustCapacitor(*design, 1, 1, std::nullopt).messages, std::vector<std::string>{"Value not entered!"});
    EXPECT_TRUE(AdjustCapacitor(*design, 1, 1, 11.2e-9L).applied);
    EXPECT_TRUE(AdjustCapacitor(*design, 1, 1, 8.928571e-9L).applied);
    // The range stays that of the computed value after the first trimming.
    EXPECT_NEAR(static_cast<double>(CapacitorAdjustmentOf(design->Circuit(1), 1).max), 11.2e-9, 1e-18);
}

// The re-solve of the listed resistors keeps the held parameters: the pole frequency and Q of
// the MFB lowpass (a linear step, then Newton steps against the stage function), and the pole,
// zero and gain of an MB lowpass notch.
TEST(AdjustCapacitor, ResolvedResistorsKeepTheHeldParameters) {
    for (int circuit : {13, 63}) {
        auto design = OneStage(circuit);
        const RealizedFigures before = Realized(*design);
        ASSERT_TRUE(AdjustCapacitor(*design, 1, 2, C(*design, 2) * 1.1L).applied) << circuit;
        const RealizedFigures after = Realized(*design);
        EXPECT_NEAR(static_cast<double>(after.wp / before.wp), 1, 1e-10) << circuit;
        EXPECT_NEAR(static_cast<double>(after.qp / before.qp), 1, 1e-10) << circuit;
        if (circuit == 63) {
            EXPECT_NEAR(static_cast<double>(after.wz / before.wz), 1, 1e-10);
        }
        EXPECT_TRUE(design->Circuit(1).CapsAdjusted);
    }
}

// Raising C1 of the Sallen-Key lowpass II by 4 % divides R1 and R2 by sqrt(1.04); the gain pair
// gives the Q back, and the gain change is reported.
TEST(AdjustCapacitor, SallenKeyLowpassIIClosedForm) {
    auto design = OneStage(12, 2);
    const long double r1 = R(*design, 1), r2 = R(*design, 2);
    const RealizedFigures before = Realized(*design);
    const auto outcome = AdjustCapacitor(*design, 1, 1, C(*design, 1) * 1.04L);
    ASSERT_TRUE(outcome.applied);
    EXPECT_NEAR(static_cast<double>(R(*design, 1) * std::sqrt(1.04L) / r1), 1, 1e-12);
    EXPECT_NEAR(static_cast<double>(R(*design, 2) * std::sqrt(1.04L) / r2), 1, 1e-12);
    const RealizedFigures after = Realized(*design);
    EXPECT_NEAR(static_cast<double>(after.wp / before.wp), 1, 1e-12);
    EXPECT_NEAR(static_cast<double>(after.qp / before.qp), 1, 1e-12);
    ASSERT_EQ(outcome.messages.size(), 1u);
    EXPECT_EQ(outcome.messages[0].rfind("Stage gain has ", 0), 0u) << outcome.messages[0];
    EXPECT_NE(outcome.messages[0].find("% from its origional value."), std::string::npos);
}

// The unity-gain Sallen-Key lowpass with equal resistors is at the smallest C2/C1 its Q allows:
// any decrease of the ratio is refused with the constraint message, and nothing changes.
TEST(AdjustCapacitor, UnityGainSallenKeyRefusesASmallerRatio) {
    auto design = OneStage(11);
    ASSERT_NEAR(static_cast<double>(R(*design, 1) / R(*design, 2)), 1, 1e-12);
    const long double c1 = C(*design, 1), c2 = C(*design, 2), r1 = R(*design, 1);
    const auto lower = AdjustCapacitor(*design, 1, 2, c2 * 0.95L);
    EXPECT_FALSE(lower.applied);
    ASSERT_EQ(lower.messages.size(), 1u);
    EXPECT_EQ(lower.messages[0].rfind("This circuit is additionally constrained. At this point in the design, a minimum "
                                      "ratio of C2/C1 must be maintained. Therefore, C2 must be at least ",
                                      0),
              0u)
        << lower.messages[0];
    EXPECT_EQ(C(*design, 2), c2);
    EXPECT_EQ(R(*design, 1), r1);
    const auto higher = AdjustCapacitor(*design, 1, 1, c1 * 1.05L);
    ASSERT_EQ(higher.messages.size(), 1u);
    EXPECT_NE(higher.messages[0].find("C1 cannot exceed "), std::string::npos);
    // A larger ratio is taken, with wp and Q kept exactly.
    const RealizedFigures before = Realized(*design);
    EXPECT_TRUE(AdjustCapacitor(*design, 1, 2, c2 * 1.05L).applied);
    EXPECT_NEAR(static_cast<double>(Realized(*design).qp / before.qp), 1, 1e-12);
}

// The twin-T highpass notch keeps C1:C2.
TEST(AdjustCapacitor, RatioLockedCapacitorsAreRefused) {
    auto design = HandDesign({{StageCode::SHPN, 10000, 2, 5000}}, 1);
    SelectAndCalculate(*design, {74});
    EXPECT_EQ(AdjustCapacitor(*design, 1, 1, C(*design, 1)).messages,
              std::vector<std::string>{"This circuit is not amenable to the independent adjustment of capacitor values."});
}

TEST(AdjustResistor, SuffixesLowValuesAndTheComputedValue) {
    auto design = OneStage(13);
    EXPECT_EQ(ReadResistorEntry("4.7K"), 4700);
    EXPECT_EQ(ReadResistorEntry("1.5M"), 1.5e6L);
    EXPECT_EQ(ReadResistorEntry("2G"), 2e9L);
    EXPECT_EQ(ReadResistorEntry("4.7K \u2022"), 4700);
    EXPECT_FALSE(ReadResistorEntry("4.7X"));
    EXPECT_EQ(AdjustResistor(*design, 1, 2, "0.005").messages,
              std::vector<std::string>{"Resistance value is unacceptably low"});
    EXPECT_FALSE(design->Circuit(1).Resistors[1].UserFixed);
    const long double gain = design->Circuit(1).ActualGain;
    ASSERT_TRUE(AdjustResistor(*design, 1, 2, "4.7K").applied);
    const ComponentEntry& r2 = design->Circuit(1).Resistors[1];
    EXPECT_TRUE(r2.UserFixed);
    EXPECT_EQ(r2.UserValue, 4700);
    EXPECT_NE(design->Circuit(1).ActualGain, gain);  // the MFB lowpass gain is R2/R1
    EXPECT_NEAR(static_cast<double>(design->Circuit(1).ActualGain), static_cast<double>(4700 / R(*design, 1)), 1e-9);
    // The override survives a recalculation; typing the computed value removes it.
    RecalculateAll(*design, true);
    EXPECT_TRUE(design->Circuit(1).Resistors[1].UserFixed);
    ASSERT_TRUE(AdjustResistor(*design, 1, 2, FormatResistance(R(*design, 2))).applied);
    EXPECT_FALSE(design->Circuit(1).Resistors[1].UserFixed);
}

TEST(AdjustResistor, SpinStepsThroughTheSeries) {
    EXPECT_EQ(StepStandardResistor(47000, ResistorSeries::E24, +1), 51000);
    EXPECT_EQ(StepStandardResistor(47000, ResistorSeries::E24, -1), 43000);
    EXPECT_EQ(StepStandardResistor(48000, ResistorSeries::E24, -1), 47000);
    EXPECT_EQ(StepStandardResistor(9100, ResistorSeries::E24, +1), 10000);
    EXPECT_EQ(StepStandardResistor(10000, ResistorSeries::E24, -1), 9100);
}

}  // namespace
}  // namespace tavrel::calculation_testing
