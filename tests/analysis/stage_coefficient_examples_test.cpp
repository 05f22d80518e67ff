#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "analysis/stage_coefficient.h"
#include "analysis/stage_function.h"
#include "circuits/stage_type.h"
#include "random_components.h"

namespace tavrel {
namespace {

using namespace CoefficientKind;

long double Coefficient(CoefficientWork& w, int type, int index, int kind, int power) {
    return StageCoefficient(w, type, index, kind, power);
}

TEST(StageCoefficient, SallenKeyLowpassWorkedExample) {
    CoefficientWork w;
    w.R[1] = w.R[2] = 10000;
    w.C[1] = 10e-9L;
    w.C[2] = 20e-9L;
    const long double a = Coefficient(w, StageType::SLP, 1, Denominator, 0);
    EXPECT_TRUE(w.UnitConstantForm);
    const long double b = Coefficient(w, StageType::SLP, 1, Denominator, 1);
    EXPECT_NEAR(a, 2e-8L, 2e-8L * 1e-15L);
    EXPECT_NEAR(b, 2e-4L, 2e-4L * 1e-15L);
    EXPECT_NEAR(Coefficient(w, StageType::SLP, 1, GainConstant, 0), 1, 1e-15L);
    const long double wp = 1 / std::sqrt(a);
    EXPECT_NEAR(wp * a / b, 1 / std::sqrt(2.0L), 1e-15L);
}

// The closed forms written out for three circuits, with any component values.
TEST(StageCoefficient, ClosedFormsOfTheDocumentedCircuits) {
    std::mt19937 rng(7);
    for (int trial = 0; trial < 20; ++trial) {
        CoefficientWork w = testing_support::RandomWork(rng);
        const auto& R = w.R;
        const auto& C = w.C;
        const auto& G = w.G;
        const auto& D = w.D;
        const long double tol = 1e-14L;

        // Sallen-Key lowpass I, unit-constant.
        EXPECT_NEAR(Coefficient(w, StageType::SLP, 1, Denominator, 0) / (C[2] * C[1] * R[2] * R[1]), 1, tol);
        EXPECT_NEAR(Coefficient(w, StageType::SLP, 1, Denominator, 1) / (C[1] * (R[2] + R[1])), 1, tol);

        // Multiple-feedback lowpass I, monic and inverting.
        EXPECT_NEAR(Coefficient(w, StageType::SLP, 3, Denominator, 0) / (D[2] * D[1] * G[3] * G[2]), 1, tol);
        EXPECT_FALSE(w.UnitConstantForm);
        EXPECT_NEAR(Coefficient(w, StageType::SLP, 3, Denominator, 1) / (D[2] * (G[3] + G[2] + G[1])), 1, tol);
        EXPECT_NEAR(Coefficient(w, StageType::SLP, 3, GainConstant, 0) / (R[2] / R[1]), 1, tol);

        // Friend's single-amplifier lowpass notch.
        const long double x = G[7] / (G[6] + G[3]);
        const long double d0 = D[2] * D[1] * (G[2] - G[5] * x) * (G[4] + G[1]);
        const long double d1 = (D[2] + D[1]) * (G[2] - G[5] * x) - D[2] * (G[4] + G[1]) * x;
        const long double n0 = D[2] * D[1] * (G[5] + G[2]) * (G[4] + G[1]);
        const long double n1 = (G[5] + G[2]) * (D[2] + D[1]) + D[2] * (G[4] + G[1]) - D[2] * G[1] * (G[7] + G[6] + G[3]) / G[3];
        const long double k = G[3] / (G[6] + G[3]);
        const long double scale = std::fabs(d1) + std::sqrt(std::fabs(d0));
        EXPECT_NEAR(Coefficient(w, StageType::SLPN, 1, Denominator, 0) / d0, 1, tol);
        EXPECT_NEAR(Coefficient(w, StageType::SLPN, 1, Denominator, 1), d1, scale * tol);
        EXPECT_NEAR(Coefficient(w, StageType::SLPN, 1, Numerator, 0) / n0, 1, tol);
        EXPECT_NEAR(Coefficient(w, StageType::SLPN, 1, Numerator, 1), n1, scale * tol);
        EXPECT_NEAR(Coefficient(w, StageType::SLPN, 1, GainConstant, 0) / k, 1, tol);
    }
}

TEST(StageCoefficient, ResistorListIsWrittenOnRequest) {
    CoefficientWork w;
    for (size_t i = 1; i < w.R.size(); ++i) w.R[i] = 1000.0L * static_cast<long double>(i);
    for (size_t j = 1; j < w.C.size(); ++j) w.C[j] = 1e-8L;
    StageCoefficient(w, StageType::SLP, 1, Denominator, 0, true);
    EXPECT_EQ(w.ResistorList, "02,01,02");
    StageCoefficient(w, StageType::SLP, 12, Denominator, 0, true);
    EXPECT_EQ(w.ResistorList, "05,05,06,07,08,09");
    w.ResistorList = "unchanged";
    StageCoefficient(w, StageType::SLP, 12, Denominator, 1, true);
    StageCoefficient(w, StageType::SLP, 12, Denominator, 0, false);
    EXPECT_EQ(w.ResistorList, "unchanged");
}

TEST(StageCoefficient, UnknownCircuitGivesZero) {
    CoefficientWork w;
    EXPECT_EQ(StageCoefficient(w, StageType::SLP, 14, Denominator, 0), 0);
    EXPECT_EQ(StageCoefficient(w, 9, 1, GainConstant, 0), 0);
    EXPECT_FALSE(w.UnitConstantForm);
}

// A zero unit-constant coefficient stays zero when the caller converts it.
TEST(ReadStageFunction, ZeroUnitConstantCoefficientStaysZero) {
    CoefficientWork w;
    w.R[1] = w.R[2] = 10000;
    w.C[1] = 0;  // a missing capacitor: the s^2 term vanishes
    w.C[2] = 20e-9L;
    const StageFunction f = ReadStageFunction(w, StageType::SLP, 1);
    EXPECT_EQ(f.d[0], 0);
    EXPECT_EQ(f.n[0], 0);
}

}  // namespace
}  // namespace tavrel
