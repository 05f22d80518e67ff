#pragma once
// What a set of component values realises, by nodal analysis of the circuit's template: the
// independent side of the design tests.
#include <array>
#include <cmath>
#include <complex>

#include "analysis/stage_function.h"
#include "circuits/stage_circuit_record.h"
#include "circuits/stage_type.h"

namespace tavrel::design_testing {

// Pole frequency (wc for first-order stages), pole Q, gain constant and, where the stage has
// them, zero frequency and zero Q.
struct Realized {
    long double w = 0, q = 0, gain = 0, wz = 0, qz = 0;
};

inline CoefficientWork WorkOf(const StageCircuitRecord& record) {
    CoefficientWork work;
    LoadComponentValues(work, record);
    return work;
}

// The quadratic factor s² + b·s + c of a monic cubic s³ + p2·s² + p1·s + p0 that holds the
// complex pair: the real root by Newton from the Cauchy bound, then synthetic division.
inline std::array<long double, 2> QuadraticFactorOfCubic(long double p2, long double p1, long double p0) {
    auto f = [&](long double s) { return ((s + p2) * s + p1) * s + p0; };
    auto df = [&](long double s) { return (3 * s + 2 * p2) * s + p1; };
    long double s = -(1 + std::max({std::fabs(p2), std::fabs(p1), std::fabs(p0)}));
    for (int i = 0; i < 500; ++i) {
        const long double step = f(s) / df(s);
        s -= step;
        if (std::fabs(step) <= 1e-19L * std::fabs(s)) break;
    }
    const long double b = p2 + s;  // (s - r)(s² + b s + c): b = p2 + r, c = p1 + r·b
    return {b, -p0 / s};
}

inline void PairOf(long double lead, long double p2, long double p1, long double p0, bool cubic, long double& w,
                   long double& q) {
    long double b = 0, c = 0;
    if (cubic) {
        const auto bc = QuadraticFactorOfCubic(p2 / lead, p1 / lead, p0 / lead);
        b = bc[0], c = bc[1];
    } else {
        b = p1 / p2, c = p0 / p2;
    }
    w = std::sqrt(c);
    q = b == 0 ? INFINITY : w / b;
}

inline Realized RealizedOf(CoefficientWork work, int stageType, int circuitIndex) {
    const StageFunction f = ReadStageFunction(work, stageType, circuitIndex);
    Realized r;
    r.gain = f.k;
    if (IsFirstOrder(stageType)) {
        r.w = f.d[0] / f.d[1];
        return r;
    }
    const bool cubic = f.d[3] != 0;
    PairOf(cubic ? f.d[3] : 1, f.d[2], f.d[1], f.d[0], cubic, r.w, r.q);
    if (IsNotch(stageType)) PairOf(cubic ? f.n[3] : 1, f.n[2], f.n[1], f.n[0], cubic && f.n[3] != 0, r.wz, r.qz);
    return r;
}

}  // namespace tavrel::design_testing
