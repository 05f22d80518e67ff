#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>

#include "analysis/coefficient_family.h"
#include "analysis/nodal_analysis.h"
#include "analysis/stage_coefficient.h"
#include "analysis/stage_function.h"
#include "circuits/circuit_catalog.h"
#include "circuits/circuit_descriptors.h"
#include "circuits/circuit_record_init.h"
#include "circuits/netlist_templates.h"
#include "circuits/stage_type.h"
#include "random_components.h"

namespace tavrel {
namespace {

using namespace CoefficientKind;

std::vector<TemplateElement> Elements(TemplateLibrary library, int type, int index) {
    return TemplateElements(FindTemplate(library, TemplateKey(type, index)).value());
}

// A draw whose poles lie in the left half plane and, for the notch types, whose zeros lie on
// the imaginary axis side of things (n0 and n2 of one sign), as every designed stage has.
bool LikeADesignedStage(CoefficientWork& w, int type, int index) {
    const StageFunction f = ReadStageFunction(w, type, index);
    for (int j = 0; j < 3; ++j)
        if (!(f.d[static_cast<size_t>(j)] >= 0)) return false;
    if (f.d[3] != 0 && f.d[2] * f.d[1] <= f.d[0]) return false;
    if (IsNotch(type) && !(f.n[0] > 0)) return false;
    return true;
}

class EveryCircuit : public testing::TestWithParam<CatalogRow> {};

// The caller's reading of the coefficients (form flag included) gives back the template's
// function, solved directly at points of the complex plane.
TEST_P(EveryCircuit, CoefficientsReproduceTheTemplate) {
    const CatalogRow& row = GetParam();
    const auto elements = Elements(TemplateLibrary::Plain, row.stageType, row.circuitIndex);
    std::mt19937 rng(static_cast<unsigned>(row.circuitNo));
    for (int trial = 0; trial < 10; ++trial) {
        CoefficientWork w = testing_support::RandomWork(rng);
        testing_support::MakeSTermVanish(w, row.circuitNo);
        const StageFunction f = ReadStageFunction(w, row.stageType, row.circuitIndex);
        const long double sign = FindFamilyRow(row.stageType, row.circuitIndex)->inverting ? -1 : 1;
        const long double wc = 1 / (w.R[1] * w.C[1]);
        for (const Complex s : {Complex(0, 0.1L * wc), Complex(0, wc), Complex(0, 7 * wc), Complex(-wc / 3, 2 * wc)}) {
            const Complex direct = NodalResponse(elements, w.R, w.C, s);
            const Complex read = sign * EvaluateStageFunction(f, s);
            EXPECT_LT(std::abs(read - direct), 1e-12L * (std::abs(direct) + 1e-3L)) << row.name << " s=" << s.imag();
        }
    }
}

// Lowpass, highpass, bandpass and notch shapes: the routines' normal form leaves no power of
// the nodal result out, and the third-order flag is exactly the twin-T flag.
TEST_P(EveryCircuit, OrderAndThirdOrderFlagFollowTheTemplate) {
    const CatalogRow& row = GetParam();
    const CoefficientFamilyRow* family = FindFamilyRow(row.stageType, row.circuitIndex);
    ASSERT_NE(family, nullptr);
    const CalcDescriptor d = ParseCalcDescriptor(row.calcDescriptor);
    EXPECT_EQ(family->thirdOrder, d.twinT) << row.name;
    std::mt19937 rng(static_cast<unsigned>(row.circuitNo) + 100);
    CoefficientWork w = testing_support::RandomWork(rng);
    const TransferPolynomials h = NodalTransfer(Elements(TemplateLibrary::Plain, row.stageType, row.circuitIndex), w.R, w.C);
    const size_t order = IsFirstOrder(row.stageType) ? 1 : family->thirdOrder ? 3 : 2;
    for (size_t j = order + 1; j < h.denominator.size(); ++j) EXPECT_EQ(h.denominator[j], 0) << row.name;
    for (size_t j = order + 1; j < h.numerator.size(); ++j) EXPECT_EQ(h.numerator[j], 0) << row.name;
    EXPECT_NE(h.denominator[order], 0) << row.name;
    EXPECT_NE(h.denominator[0], 0) << row.name;
}

// The inverting flag says that the gain constant describes -H: on stages shaped like designed
// ones it comes out positive.
TEST_P(EveryCircuit, GainConstantIsPositiveOnceTheInversionIsTakenOut) {
    const CatalogRow& row = GetParam();
    std::mt19937 rng(static_cast<unsigned>(row.circuitNo) + 200);
    int accepted = 0;
    for (int trial = 0; trial < 4000 && accepted < 20; ++trial) {
        CoefficientWork w = testing_support::RandomWork(rng);
        if (!LikeADesignedStage(w, row.stageType, row.circuitIndex)) continue;
        ++accepted;
        EXPECT_GT(StageCoefficient(w, row.stageType, row.circuitIndex, GainConstant, 0), 0) << row.name;
    }
    EXPECT_GT(accepted, 0) << row.name;
}

// The sign of the template's function where the normal form puts its gain constant (DC for
// lowpass, the pole frequency for bandpass, infinite frequency otherwise) on values shaped
// like a designed stage is the inverting flag, both in the coefficient family and in the
// record that the phase note, the selection window and the tuning page read.
TEST_P(EveryCircuit, InvertingFlagsFollowTheTemplate) {
    const CatalogRow& row = GetParam();
    const CoefficientFamilyRow* family = FindFamilyRow(row.stageType, row.circuitIndex);
    CircuitTable table{};
    table.Records[0].CircuitNo = static_cast<std::int16_t>(row.circuitNo);
    table.Records[0].CircuitIndex = static_cast<std::int16_t>(row.circuitIndex);
    InitCircuitRecord(table, 1, 1000);
    EXPECT_EQ(table.Records[0].Inverting != 0, family->inverting) << row.name;
    const auto elements = Elements(TemplateLibrary::Plain, row.stageType, row.circuitIndex);
    std::mt19937 rng(static_cast<unsigned>(row.circuitNo) + 300);
    int accepted = 0;
    for (int trial = 0; trial < 4000 && accepted < 5; ++trial) {
        CoefficientWork w = testing_support::RandomWork(rng);
        testing_support::MakeSTermVanish(w, row.circuitNo);
        if (!LikeADesignedStage(w, row.stageType, row.circuitIndex)) continue;
        ++accepted;
        const StageFunction f = ReadStageFunction(w, row.stageType, row.circuitIndex);
        const long double wp = std::sqrt(f.d[3] != 0 ? f.d[1] : f.d[0]);
        const Complex s = row.stageType == StageType::FLP || row.stageType == StageType::SLP ? Complex(0)
                          : row.stageType == StageType::SBP && !family->thirdOrder       ? Complex(0, wp)
                                                                                           : Complex(0, 1e6L * wp);
        const Complex h = NodalResponse(elements, w.R, w.C, s);
        EXPECT_EQ(h.real() < 0, family->inverting) << row.name << " H=" << h.real();
    }
    EXPECT_GT(accepted, 0) << row.name;
}

// Every resistor that d0 depends on (by the nodal analysis of the template) is in the
// circuit's list of resistors whose rounding matters, with one kind of exception: the unity
// inverter R5, R6 of the Tow-Thomas circuits enters d0 only through the ratio R5/R6, which
// rounding two equal resistors to the same standard value leaves at 1.
TEST_P(EveryCircuit, ResistorListHoldsEveryResistorOfD0) {
    const CatalogRow& row = GetParam();
    const CoefficientFamilyRow* family = FindFamilyRow(row.stageType, row.circuitIndex);
    const bool towThomas = row.circuitNo == 20 || row.circuitNo == 50;
    const std::string listed = ResistorListText(*family, row.resistorCount);
    const auto elements = Elements(TemplateLibrary::Plain, row.stageType, row.circuitIndex);
    const size_t order = IsFirstOrder(row.stageType) ? 1 : family->thirdOrder ? 3 : 2;
    auto d0 = [&](const CoefficientWork& w) {
        const TransferPolynomials h = NodalTransfer(elements, w.R, w.C);
        return h.denominator[0] / h.denominator[order];
    };
    std::mt19937 rng(static_cast<unsigned>(row.circuitNo) + 500);
    const CoefficientWork w = testing_support::RandomWork(rng);
    const long double base = d0(w);
    auto scaled = [&](std::initializer_list<size_t> resistors) {
        CoefficientWork v = w;
        for (size_t i : resistors) testing_support::SetResistor(v, i, v.R[i] * 1.37L);
        return d0(v);
    };
    for (int i = 1; i <= row.resistorCount; ++i) {
        if (std::fabs(scaled({static_cast<size_t>(i)}) / base - 1) < 1e-9L) continue;
        char number[16];
        std::snprintf(number, sizeof number, ",%02d", i);
        if (towThomas && (i == 5 || i == 6)) continue;
        EXPECT_NE(listed.find(number, 2), std::string::npos) << row.name << ": d0 depends on R" << i << ", list " << listed;
    }
    if (towThomas) {
        EXPECT_NE(scaled({5}), base);
        EXPECT_NEAR(scaled({5, 6}) / base, 1, 1e-12L) << row.name;
    }
}

// The numerator s term of the Berka-Herpy lowpass and highpass is real: off the design
// relations it is a sizeable part of the template's numerator at the pole frequency, on them
// it is gone (and CoefficientsReproduceTheTemplate holds).
TEST(BerkaHerpyLowAndHighpass, DropANumeratorSTermThatVanishesForDesignedValues) {
    for (const int circuitNo : {22, 34}) {
        const CatalogRow& row = *FindCircuit(circuitNo);
        const auto elements = Elements(TemplateLibrary::Plain, row.stageType, row.circuitIndex);
        auto sTermShare = [&](const CoefficientWork& w) {
            const TransferPolynomials h = NodalTransfer(elements, w.R, w.C);
            const long double wp = std::sqrt(h.denominator[0] / h.denominator[2]);
            const long double n0 = std::fabs(h.numerator[0]), n1 = std::fabs(h.numerator[1]) * wp;
            const long double n2 = h.numerator.size() > 2 ? std::fabs(h.numerator[2]) * wp * wp : 0;
            return n1 / std::max(n0, n2);
        };
        std::mt19937 rng(static_cast<unsigned>(circuitNo) + 600);
        CoefficientWork w = testing_support::RandomWork(rng);
        EXPECT_GT(sTermShare(w), 0.01L) << row.name;
        testing_support::MakeSTermVanish(w, circuitNo);
        EXPECT_LT(sTermShare(w), 1e-12L) << row.name;
    }
}

INSTANTIATE_TEST_SUITE_P(Catalog, EveryCircuit, testing::ValuesIn(CircuitCatalog().begin(), CircuitCatalog().end()),
                         [](const testing::TestParamInfo<CatalogRow>& info) {
                             return "No" + std::to_string(info.param.circuitNo);
                         });

// With ideal op amps an actively compensated variant has the function of its plain circuit;
// its added resistors copy the last two resistors of the plain circuit.
TEST(CompensatedVariants, HaveThePlainCircuitsFunction) {
    int variants = 0;
    for (const CatalogRow& row : CircuitCatalog()) {
        const auto lines = FindTemplate(TemplateLibrary::Compensated, TemplateKey(row.stageType, row.circuitIndex));
        if (!lines) continue;
        ++variants;
        std::mt19937 rng(static_cast<unsigned>(row.circuitNo) + 400);
        CoefficientWork w = testing_support::RandomWork(rng);
        w.R[static_cast<size_t>(row.resistorCount + 1)] = w.R[static_cast<size_t>(row.resistorCount - 1)];
        w.R[static_cast<size_t>(row.resistorCount + 2)] = w.R[static_cast<size_t>(row.resistorCount)];
        const auto plain = Elements(TemplateLibrary::Plain, row.stageType, row.circuitIndex);
        const auto compensated = TemplateElements(*lines);
        const long double wc = 1 / (w.R[1] * w.C[1]);
        for (const Complex s : {Complex(0, 0.3L * wc), Complex(0, wc), Complex(0, 4 * wc)}) {
            const Complex a = NodalResponse(plain, w.R, w.C, s), b = NodalResponse(compensated, w.R, w.C, s);
            EXPECT_LT(std::abs(a - b), 1e-12L * std::abs(a)) << row.name;
        }
    }
    EXPECT_EQ(variants, 16);
}

}  // namespace
}  // namespace tavrel
