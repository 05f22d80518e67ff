#include <gtest/gtest.h>

#include "support/circuit_variants.h"

#include <cmath>
#include <cstdio>
#include <random>

#include "support/random_components.h"
#include "circuits/catalog/circuit_definition.h"
#include "circuits/network/nodal_analysis.h"
#include "circuits/network/stage_function.h"
#include "circuits/records/circuit_record_init.h"
#include "reference_nodal.h"

namespace tavrel {
namespace {

using testing_support::AllVariants;
using testing_support::Variant;

using reference::Complex;

long double Sign(const CircuitDefinition& circuit) { return circuit.inverting ? -1 : 1; }

// A draw whose poles lie in the left half plane and, for the notch types, whose zeros lie on
// the imaginary axis side of things (n0 and n2 of one sign), as every designed stage has.
bool LikeADesignedStage(const CircuitDefinition& circuit, const ComponentValues& v) {
    const StageFunction f = StageFunctionOf(circuit, v);
    for (int j = 0; j < 3; ++j)
        if (!(f.d[static_cast<size_t>(j)] >= 0)) return false;
    if (f.d[3] != 0 && f.d[2] * f.d[1] <= f.d[0]) return false;
    if (IsNotchStage(circuit.stageType) && !(f.n[0] > 0)) return false;
    return true;
}

// A circuit, or its actively compensated variant.

std::string VariantName(const testing::TestParamInfo<Variant>& info) {
    return "No" + std::to_string(info.param.circuit->circuitNo) + (info.param.compensated ? "Compensated" : "");
}

class EveryVariant : public testing::TestWithParam<Variant> {};

// The stage function of any values is the circuit's own: equal to an independent solution of
// the template (the variant's, whose added resistors take any values) at points inside the
// passband, at the poles' frequency, in the stopband and off the axis.
TEST_P(EveryVariant, StageFunctionEqualsTheTemplatesNodalSolution) {
    const auto [circuit, compensated] = GetParam();
    const TemplateLibrary library = compensated ? TemplateLibrary::Compensated : TemplateLibrary::Plain;
    const auto elements = reference::ReadTemplate(library, circuit->TopologyOf(compensated).key);
    ASSERT_FALSE(elements.empty());
    std::mt19937 rng(static_cast<unsigned>(circuit->circuitNo) * 2 + compensated);
    for (int trial = 0; trial < 10; ++trial) {
        const ComponentValues v = testing_support::RandomValues(rng);
        const StageFunction f = StageFunctionOf(*circuit, v);
        const long double wc = 1 / (v.R[1] * v.C[1]);
        for (const Complex s : {Complex(0, 0.1L * wc), Complex(0, wc), Complex(0, 7 * wc), Complex(-wc / 3, 2 * wc)}) {
            const Complex direct = reference::Response(elements, v, s);
            const Complex got = Sign(*circuit) * EvaluateStageFunction(f, s);
            EXPECT_LT(std::abs(got - direct), 1e-9L * std::abs(direct))
                << circuit->name << " s = " << static_cast<double>(s.real()) << "+j" << static_cast<double>(s.imag());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Catalog, EveryVariant, testing::ValuesIn(AllVariants()), VariantName);

class EveryCircuit : public testing::TestWithParam<const CircuitDefinition*> {};

std::string CircuitName(const testing::TestParamInfo<const CircuitDefinition*>& info) {
    return "No" + std::to_string(info.param->circuitNo);
}

std::vector<const CircuitDefinition*> AllCircuits() {
    std::vector<const CircuitDefinition*> all;
    for (const CircuitDefinition& circuit : Circuits()) all.push_back(&circuit);
    return all;
}

// The template's polynomials reach exactly the circuit's order, and the third-order flag is
// exactly the twin-T flag.
TEST_P(EveryCircuit, OrderAndThirdOrderFlagFollowTheTemplate) {
    const CircuitDefinition& circuit = *GetParam();
    EXPECT_EQ(circuit.thirdOrder, circuit.calc.twinT) << circuit.name;
    std::mt19937 rng(static_cast<unsigned>(circuit.circuitNo) + 100);
    const TransferPolynomials h = NodalTransfer(circuit.plain.topology, testing_support::RandomValues(rng));
    const size_t order = static_cast<size_t>(circuit.Order());
    for (size_t j = order + 1; j < h.denominator.size(); ++j) EXPECT_EQ(h.denominator[j], 0) << circuit.name;
    for (size_t j = order + 1; j < h.numerator.size(); ++j) EXPECT_EQ(h.numerator[j], 0) << circuit.name;
    EXPECT_NE(h.denominator[order], 0) << circuit.name;
    EXPECT_NE(h.denominator[0], 0) << circuit.name;
}

// The inverting flag says that the gain constant describes -H: on stages shaped like designed
// ones it comes out positive.
TEST_P(EveryCircuit, GainConstantIsPositiveOnceTheInversionIsTakenOut) {
    const CircuitDefinition& circuit = *GetParam();
    std::mt19937 rng(static_cast<unsigned>(circuit.circuitNo) + 200);
    int accepted = 0;
    for (int trial = 0; trial < 4000 && accepted < 20; ++trial) {
        const ComponentValues v = testing_support::RandomValues(rng);
        if (!LikeADesignedStage(circuit, v)) continue;
        ++accepted;
        EXPECT_GT(StageFunctionOf(circuit, v).k, 0) << circuit.name;
    }
    EXPECT_GT(accepted, 0) << circuit.name;
}

// The sign of the template's function where the normal form puts its gain constant (DC for
// lowpass, the pole frequency for bandpass, infinite frequency otherwise) on values shaped
// like a designed stage is the inverting flag, both in the definition and in the record that
// the phase note, the selection window and the tuning page read.
TEST_P(EveryCircuit, InvertingFlagsFollowTheTemplate) {
    const CircuitDefinition& circuit = *GetParam();
    CircuitTable table{};
    table.Record[1].CircuitNo = static_cast<std::int16_t>(circuit.circuitNo);
    table.Record[1].CircuitIndex = static_cast<std::int16_t>(circuit.circuitIndex);
    InitCircuitRecord(table, 1, 1000);
    EXPECT_EQ(table.Record[1].Inverting != 0, circuit.inverting) << circuit.name;
    const auto elements = reference::ReadTemplate(TemplateLibrary::Plain, circuit.plain.topology.key);
    std::mt19937 rng(static_cast<unsigned>(circuit.circuitNo) + 300);
    int accepted = 0;
    for (int trial = 0; trial < 4000 && accepted < 5; ++trial) {
        const ComponentValues v = testing_support::RandomValues(rng);
        if (!LikeADesignedStage(circuit, v)) continue;
        ++accepted;
        const StageFunction f = StageFunctionOf(circuit, v);
        const long double wp = std::sqrt(f.d[3] != 0 ? f.d[1] : f.d[0]);
        const Complex s = circuit.stageType == StageCode::FLP || circuit.stageType == StageCode::SLP ? Complex(0)
                          : circuit.stageType == StageCode::SBP && !circuit.thirdOrder         ? Complex(0, wp)
                                                                                                 : Complex(0, 1e6L * wp);
        const Complex h = reference::Response(elements, v, s);
        EXPECT_EQ(h.real() < 0, circuit.inverting) << circuit.name << " H=" << static_cast<double>(h.real());
    }
    EXPECT_GT(accepted, 0) << circuit.name;
}

// Every resistor that d0 depends on (by the nodal analysis of the template) is in the
// circuit's list of resistors whose rounding matters, with one kind of exception: the unity
// inverter R5, R6 of the Tow-Thomas circuits enters d0 only through the ratio R5/R6, which
// rounding two equal resistors to the same standard value leaves at 1.
TEST_P(EveryCircuit, ResistorListHoldsEveryResistorOfD0) {
    const CircuitDefinition& circuit = *GetParam();
    const bool towThomas = circuit.circuitNo == 20 || circuit.circuitNo == 50;
    const std::string listed = ResistorListText(circuit);
    auto d0 = [&](const ComponentValues& v) { return StageFunctionOf(circuit, v).d[0]; };
    std::mt19937 rng(static_cast<unsigned>(circuit.circuitNo) + 500);
    const ComponentValues v = testing_support::RandomValues(rng);
    const long double base = d0(v);
    auto scaled = [&](std::initializer_list<size_t> resistors) {
        ComponentValues w = v;
        for (size_t i : resistors) w.R[i] *= 1.37L;
        return d0(w);
    };
    for (int i = 1; i <= circuit.resistorCount; ++i) {
        if (std::fabs(scaled({static_cast<size_t>(i)}) / base - 1) < 1e-9L) continue;
        char number[16];
        std::snprintf(number, sizeof number, ",%02d", i);
        if (towThomas && (i == 5 || i == 6)) continue;
        EXPECT_NE(listed.find(number, 2), std::string::npos)
            << circuit.name << ": d0 depends on R" << i << ", list " << listed;
    }
    if (towThomas) {
        EXPECT_NE(scaled({5}), base);
        EXPECT_NEAR(scaled({5, 6}) / base, 1, 1e-12L) << circuit.name;
    }
}

INSTANTIATE_TEST_SUITE_P(Catalog, EveryCircuit, testing::ValuesIn(AllCircuits()), CircuitName);

// Symbolic nodal analysis of the Berka-Herpy templates gives the numerator terms that their
// designs make vanish:
//   lowpass (22):  N = C1·R8·R9·(R1·R6 - R2·R5)·s + R6·R8·(R1 + R2),
//   highpass (34): N = C1·C2·R5·R7·R8·R9·(R1 + R2)·s^2 + C1·R9·(R5·((R1 + R2)·R7 + R1·R8) - R2·R6·R8)·s,
// over D = C1·C2·R5·R7·R8·R9·(R1 + R2)·s^2 + C1·R5·R7·R9·(R1 + R2)·s + R6·R8·(R1 + R2). Off the
// design relations the stage function keeps them.
TEST(BerkaHerpyLowAndHighpass, KeepTheNumeratorTermsOfAnyValues) {
    std::mt19937 rng(600);
    for (int trial = 0; trial < 5; ++trial) {
        const ComponentValues v = testing_support::RandomValues(rng);
        const auto& R = v.R;
        const auto& C = v.C;
        const long double d2 = C[1] * C[2] * R[5] * R[7] * R[8] * R[9] * (R[1] + R[2]);
        const long double d0 = R[6] * R[8] * (R[1] + R[2]) / d2;
        const StageFunction low = StageFunctionOf(*FindCircuit(22), v);
        EXPECT_NEAR(low.d[0] / d0, 1, 1e-12L);
        EXPECT_NEAR(low.k, 1, 1e-12L);  // the gain at DC
        EXPECT_NEAR(low.n[1] / (C[1] * R[8] * R[9] * (R[1] * R[6] - R[2] * R[5]) / d2), 1, 1e-9L);
        const StageFunction high = StageFunctionOf(*FindCircuit(34), v);
        EXPECT_NEAR(high.k, 1, 1e-12L);  // the gain at infinite frequency
        const long double n1 = C[1] * R[9] * (R[5] * ((R[1] + R[2]) * R[7] + R[1] * R[8]) - R[2] * R[6] * R[8]) / d2;
        EXPECT_NEAR(high.n[1] / n1, 1, 1e-9L);
        EXPECT_EQ(high.n[0], 0);
    }
}

// The Sallen-Key lowpass I with R1 = R2 = 10 kOhm, C1 = 10 nF, C2 = 20 nF: a = 2e-8 s², b = 2e-4 s,
// so wp = 1/sqrt(2e-8) rad/s and Qp = 1/sqrt(2).
TEST(StageFunction, SallenKeyLowpassWorkedExample) {
    ComponentValues v;
    v.R[1] = v.R[2] = 10000;
    v.C[1] = 10e-9L;
    v.C[2] = 20e-9L;
    const StageFunction f = StageFunctionOf(*FindCircuit(11), v);
    EXPECT_NEAR(f.d[0], 1 / 2e-8L, 1e-15L / 2e-8L);
    EXPECT_NEAR(f.d[1], 2e-4L / 2e-8L, 1e-15L * 1e4L);
    EXPECT_NEAR(f.k, 1, 1e-15L);
    const long double wp = std::sqrt(f.d[0]);
    EXPECT_NEAR(wp / f.d[1], 1 / std::sqrt(2.0L), 1e-15L);
}

// The closed forms written out for three circuits hold for any component values.
TEST(StageFunction, ClosedFormsOfTheDocumentedCircuits) {
    std::mt19937 rng(7);
    for (int trial = 0; trial < 20; ++trial) {
        const ComponentValues v = testing_support::RandomValues(rng);
        const auto& R = v.R;
        const auto& C = v.C;
        auto G = [&](int i) { return 1 / R[static_cast<size_t>(i)]; };
        auto D = [&](int j) { return 1 / C[static_cast<size_t>(j)]; };
        const long double tol = 1e-14L;

        // Sallen-Key lowpass I: a·s^2 + b·s + 1 with a = C2·C1·R2·R1, b = C1·(R2 + R1).
        const StageFunction sk = StageFunctionOf(*FindCircuit(11), v);
        const long double a = C[2] * C[1] * R[2] * R[1], b = C[1] * (R[2] + R[1]);
        EXPECT_NEAR(sk.d[0] * a, 1, tol);
        EXPECT_NEAR(sk.d[1] / (b / a), 1, tol);

        // Multiple-feedback lowpass I, monic and inverting.
        const StageFunction mfb = StageFunctionOf(*FindCircuit(13), v);
        EXPECT_NEAR(mfb.d[0] / (D(2) * D(1) * G(3) * G(2)), 1, tol);
        EXPECT_NEAR(mfb.d[1] / (D(2) * (G(3) + G(2) + G(1))), 1, tol);
        EXPECT_NEAR(mfb.k / (R[2] / R[1]), 1, tol);

        // Friend's single-amplifier lowpass notch.
        const long double x = G(7) / (G(6) + G(3));
        const long double d0 = D(2) * D(1) * (G(2) - G(5) * x) * (G(4) + G(1));
        const long double d1 = (D(2) + D(1)) * (G(2) - G(5) * x) - D(2) * (G(4) + G(1)) * x;
        const long double n0 = D(2) * D(1) * (G(5) + G(2)) * (G(4) + G(1));
        const long double n1 = (G(5) + G(2)) * (D(2) + D(1)) + D(2) * (G(4) + G(1)) - D(2) * G(1) * (G(7) + G(6) + G(3)) / G(3);
        const long double k = G(3) / (G(6) + G(3));
        const long double scale = std::fabs(d1) + std::sqrt(std::fabs(d0));
        const StageFunction sab = StageFunctionOf(*FindCircuit(56), v);
        EXPECT_NEAR(sab.d[0] / d0, 1, tol);
        EXPECT_NEAR(sab.d[1], d1, scale * tol);
        EXPECT_NEAR(sab.n[0] / n0, 1, tol);
        EXPECT_NEAR(sab.n[1], n1, scale * tol);
        EXPECT_NEAR(sab.k / k, 1, tol);
    }
}

// A capacitor of 0 leaves no s^2 term: nothing to normalise, the function is all zeros.
TEST(StageFunction, MissingLeadingCoefficientGivesZeros) {
    ComponentValues v;
    v.R[1] = v.R[2] = 10000;
    v.C[1] = 0;
    v.C[2] = 20e-9L;
    const StageFunction f = StageFunctionOf(*FindCircuit(11), v);
    EXPECT_EQ(f.d[0], 0);
    EXPECT_EQ(f.n[0], 0);
    EXPECT_EQ(f.k, 0);
}

}  // namespace
}  // namespace tavrel
