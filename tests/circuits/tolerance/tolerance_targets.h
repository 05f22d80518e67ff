#pragma once
// One designed stage per catalog circuit for the tests of the gain spread and the gain change,
// with the frequency at which a filter built from it would have its passband edge, and the
// stage parameters measured independently of the design's own sensitivities: from the
// realised stage function of perturbed component values.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "circuits/network/cubic_split.h"
#include "circuits/network/realized_figures.h"
#include "circuits/catalog/circuit_definition.h"
#include "circuits/network/stage_function.h"
#include "support/case_name.h"
#include "../design_round_trip.h"

namespace tavrel::tolerance_testing {

// The target of each stage type and where its passband edge lies relative to wp (wc).
struct TypeTarget {
    long double qp, wzRatio, gain, edgeRatio;
};

inline TypeTarget TargetOf(int stageType) {
    switch (stageType) {
        case StageCode::FLP: return {0, 0, 1, 0.8L};
        case StageCode::FHP: return {0, 0, 1, 1.25L};
        case StageCode::SLP: return {1, 0, 1, 0.9L};
        case StageCode::SHP: return {1, 0, 1, 1 / 0.9L};
        case StageCode::SBP: return {3, 0, 1, 0.9L};
        case StageCode::SLPN: return {1.3L, 2, 1, 0.9L};
        case StageCode::SHPN: return {1.3L, 0.5L, 1, 1 / 0.9L};
        default: return {1.3L, 1, 1, 0.7L};  // SN
    }
}

inline constexpr long double kTargetW = 10000;

inline design_testing::DesignedStage DesignTarget(const CircuitDefinition& circuit) {
    const TypeTarget t = TargetOf(circuit.stageType);
    DesignRequest q;
    q.circuitNo = circuit.circuitNo;
    if (IsFirstOrderStage(circuit.stageType)) q.wc = kTargetW;
    else q.wp = kTargetW, q.qp = t.qp, q.wz = t.wzRatio * kTargetW;
    // Some circuits cannot take unity gain or this Q (their design is Invalid there): the
    // first gain and Q of the lists that they realise.
    design_testing::DesignedStage d;
    for (long double qp : {q.qp, 0.8L, 2.5L})
        for (long double gain : {t.gain, 2.0L, 5.0L, 10.0L}) {
            q.gain = gain;
            if (q.qp > 0) q.qp = qp;
            d = design_testing::Design(q);
            if (!d.record().Invalid) return d;
        }
    return d;
}

inline long double EdgeOf(const CircuitDefinition& circuit) { return TargetOf(circuit.stageType).edgeRatio * kTargetW; }

// The figures a stage's spread weighs: pole (corner) frequency, pole Q, zero frequency, the
// twin-T network's real pole and the real zero of its cubic numerator.
struct Figures {
    long double wp = 0, qp = 0, wz = 0, p3 = 0, z3 = 0;
};

inline Figures FiguresOf(const CircuitDefinition& circuit, const ComponentValues& values) {
    const StageFunction f = StageFunctionOf(circuit, values);
    const RealizedFigures r = RealizedFiguresOf(f, circuit);
    Figures g{IsFirstOrderStage(circuit.stageType) ? r.wc : r.wp, r.qp, r.wz, r.p3, 0};
    if (circuit.thirdOrder && f.n[3] != 0) g.z3 = -SplitCubic(f.n[2] / f.n[3], f.n[1] / f.n[3], f.n[0] / f.n[3]).root;
    return g;
}

inline constexpr long double Figures::*kFigureMembers[] = {&Figures::wp, &Figures::qp, &Figures::wz, &Figures::p3,
                                                            &Figures::z3};

// d ln figure / d ln x of one component, central differences at h and h/2 combined
// (Richardson) so that the error in h² drops out.
inline Figures LogDerivatives(const CircuitDefinition& circuit, const ComponentValues& values, bool capacitor, int n) {
    auto at = [&](long double step) {
        ComponentValues up = values, down = values;
        long double& u = capacitor ? up.C[static_cast<size_t>(n)] : up.R[static_cast<size_t>(n)];
        long double& d = capacitor ? down.C[static_cast<size_t>(n)] : down.R[static_cast<size_t>(n)];
        u *= std::exp(step);
        d *= std::exp(-step);
        const Figures a = FiguresOf(circuit, up), b = FiguresOf(circuit, down);
        Figures s;
        for (auto m : kFigureMembers)
            s.*m = std::fabs(a.*m) > 0 && std::fabs(b.*m) > 0 ? (std::log(std::fabs(a.*m)) - std::log(std::fabs(b.*m))) / (2 * step) : 0;
        return s;
    };
    constexpr long double h = 1e-5L;
    const Figures coarse = at(h), fine = at(h / 2);
    Figures s;
    for (auto m : kFigureMembers) s.*m = (4 * fine.*m - coarse.*m) / 3;
    return s;
}

// The sums over the resistors and over the capacitors of the measured sensitivities (signed)
// and of their squares, per figure.
struct MeasuredSums {
    Figures signedR, signedC, squaresR, squaresC;
};

inline MeasuredSums MeasureSums(const CircuitDefinition& circuit, const StageCircuitRecord& record) {
    const ComponentValues values = ValuesOf(record);
    MeasuredSums sums;
    auto add = [&](bool capacitor, int n) {
        const Figures s = LogDerivatives(circuit, values, capacitor, n);
        Figures& signedSum = capacitor ? sums.signedC : sums.signedR;
        Figures& squares = capacitor ? sums.squaresC : sums.squaresR;
        for (auto m : kFigureMembers) {
            signedSum.*m += s.*m;
            squares.*m += (s.*m) * (s.*m);
        }
    };
    for (int i = 1; i <= record.ResistorCount; ++i) add(false, i);
    for (int j = 1; j <= record.CapacitorCount; ++j) add(true, j);
    return sums;
}

struct CircuitCase {
    const CircuitDefinition* circuit;
};
inline void PrintTo(const CircuitCase& c, std::ostream* os) { *os << "circuit " << c.circuit->circuitNo; }

inline std::vector<CircuitCase> AllCircuitCases() {
    std::vector<CircuitCase> all;
    for (const CircuitDefinition& c : Circuits()) all.push_back({&c});
    return all;
}

// The circuits of these numbers, as cases.
template <size_t N>
std::vector<CircuitCase> CasesOf(const int (&numbers)[N]) {
    std::vector<CircuitCase> cases;
    for (int no : numbers) cases.push_back({FindCircuit(no)});
    return cases;
}

// The circuits without a twin-T network. A twin-T network's third pole and the zero that
// balances it move together; the signed change weighs both with the same G3 (and some of
// these circuits form no third-zero sums at all), so its linear estimate is not that of the
// realised function, and the signed checks run on the other circuits.
inline std::vector<CircuitCase> CircuitCasesWithoutTwinT() {
    std::vector<CircuitCase> cases;
    for (const CircuitDefinition& c : Circuits())
        if (!c.thirdOrder) cases.push_back({&c});
    return cases;
}

}  // namespace tavrel::tolerance_testing
