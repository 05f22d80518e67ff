#include <gtest/gtest.h>

#include <cmath>

#include "calculation_fixture.h"
#include "circuits/calculation/calculation_options.h"
#include "circuits/calculation/capacitor_settings.h"
#include "circuits/values/e12_series.h"

namespace tavrel::calculation_testing {
namespace {

// The Sallen-Key lowpass II (12): R1, R2 and the gain pair R3 (to ground), R4.
constexpr int kSallenKeyII = 12;

std::unique_ptr<Design> SallenKeyII() {
    auto design = HandDesign({{StageCode::SLP, 10000, 2}}, 1);  // its amplifier needs a Q above 1.6
    SelectAndCalculate(*design, {kSallenKeyII});
    return design;
}

long double R(const Design& d, int i) { return d.Circuit(1).Resistors[static_cast<size_t>(i - 1)].Value; }
long double C(const Design& d, int j) { return d.Circuit(1).Capacitors[static_cast<size_t>(j - 1)].Value; }

// C1 stepped up from "820" in decade 10 (82 nF) becomes "100" one decade up (100 nF): every
// capacitor is multiplied and every resistor but the gain pair divided by 100/82.
TEST(CapacitorChoice, StepFromTheLastE12PlaceIntoTheNextDecade) {
    auto design = SallenKeyII();
    for (int k = 0; k < 11; ++k) StepCapacitors(*design, 1, CapacitorChoice::AllCapacitors, +1);
    EXPECT_EQ(design->Circuit(1).C1Index, 11);
    EXPECT_EQ(design->Circuit(1).C1Decade, 10);
    EXPECT_NEAR(static_cast<double>(C(*design, 1)), 82e-9, 1e-18);
    const long double r1 = R(*design, 1), r2 = R(*design, 2), r3 = R(*design, 3), r4 = R(*design, 4),
                      c2 = C(*design, 2);
    StepCapacitors(*design, 1, CapacitorChoice::AllCapacitors, +1);
    EXPECT_EQ(design->Circuit(1).C1Index, 0);
    EXPECT_EQ(design->Circuit(1).C1Decade, 9);
    EXPECT_NEAR(static_cast<double>(C(*design, 1)), 100e-9, 1e-18);
    const long double factor = 100.0L / 82;
    EXPECT_NEAR(static_cast<double>(C(*design, 2) / c2), static_cast<double>(factor), 1e-12);
    EXPECT_NEAR(static_cast<double>(R(*design, 1) * factor / r1), 1, 1e-12);
    EXPECT_NEAR(static_cast<double>(R(*design, 2) * factor / r2), 1, 1e-12);
    EXPECT_EQ(R(*design, 3), r3);
    EXPECT_EQ(R(*design, 4), r4);
    // And back down.
    StepCapacitors(*design, 1, CapacitorChoice::AllCapacitors, -1);
    EXPECT_NEAR(static_cast<double>(C(*design, 1)), 82e-9, 1e-18);
}

// The choice survives a recalculation that restores it, and " Reset" returns to the choice of
// the first calculation.
TEST(CapacitorChoice, IsKeptByRestoringRecalculationsAndResetReturnsToTheFirst) {
    auto design = SallenKeyII();
    const long double first = C(*design, 1);
    StepCapacitors(*design, 1, CapacitorChoice::AllCapacitors, +1);
    const long double stepped = C(*design, 1);
    ASSERT_NE(stepped, first);
    RecalculateAll(*design, true);
    EXPECT_EQ(C(*design, 1), stepped);
    ResetStage(*design, 1);
    EXPECT_EQ(C(*design, 1), first);
}

// " Rx/Ry" moves the gain pair through the E24 list with its ratio, and with it the gain, kept;
// the choice becomes the pair's default.
TEST(CapacitorChoice, GainPairStepKeepsTheRatio) {
    auto design = SallenKeyII();
    const long double ratio = R(*design, 4) / R(*design, 3), gain = design->Circuit(1).ActualGain;
    StepCapacitors(*design, 1, CapacitorChoice::GainPair, +1);
    EXPECT_NEAR(static_cast<double>(R(*design, 4) / R(*design, 3) / ratio), 1, 1e-12);
    EXPECT_EQ(design->Circuit(1).GainResDefault, R(*design, 4));
    EXPECT_EQ(design->Circuit(1).ActualGain, gain);
}

TEST(CalculationOptions, EqualComponentsDisableC2Variable) {
    auto design = SallenKeyII();
    ASSERT_TRUE(OffersEqualComponents(*design, 1));
    SetC2Variable(*design, 1, true);
    EXPECT_TRUE(design->Circuit(1).C2Variable);
    SetEqualComponents(*design, 1, true);
    EXPECT_FALSE(OffersC2Variable(*design, 1));
    EXPECT_FALSE(design->Circuit(1).C2Variable);
    SetC2Variable(*design, 1, true);
    EXPECT_FALSE(design->Circuit(1).C2Variable);
    EXPECT_NEAR(static_cast<double>(C(*design, 2) / C(*design, 1)), 1, 1e-12);
    EXPECT_NEAR(static_cast<double>(R(*design, 2) / R(*design, 1)), 1, 1e-12);
}

}  // namespace
}  // namespace tavrel::calculation_testing
