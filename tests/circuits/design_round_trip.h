#pragma once
// Checks of a designed stage against nodal analysis of its template. A test of a circuit's
// design routine includes this header and feeds it DesignRequests:
//   DesignedStage d = Design(request);          // DesignStage on a freshly prepared record
//   ExpectRoundTrip(d);                         // wp, Qp, (wz,) gain of the designed values
//   ExpectSensitivitySlots(d);                  // S1, S2, S3 against d ln p / d ln x
//   ExpectOpAmpCoefficients(d);                 // k1, k2 against single-pole op amps
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>
#include <numbers>
#include <string>
#include <vector>

#include "circuits/network/realized_figures.h"
#include "circuits/catalog/circuit_definition.h"
#include "circuits/equations/buildable_values.h"
#include "circuits/equations/design_stage.h"
#include "circuits/network/component_values.h"
#include "circuits/records/design_request.h"
#include "single_pole_poles.h"

namespace tavrel::design_testing {

struct DesignedStage {
    DesignRequest request;
    PreparedDesign design;  // stage and record after DesignStage
    StageDesignOutcome outcome;
    ComponentValues values;  // the values the design gave
    const CircuitDefinition* circuit = nullptr;
    int stageType() const { return design.stage.StageType; }
    int circuitIndex() const { return design.record.CircuitIndex; }
    const StageCircuitRecord& record() const { return design.record; }
};

// Pole frequency (wc for first-order stages), pole Q, gain constant and, where the stage has
// them, zero frequency and zero Q of a set of values, from the circuit's stage function.
struct Realized {
    long double w = 0, q = 0, gain = 0, wz = 0, qz = 0;
};

inline Realized RealizedOf(const ComponentValues& values, const CircuitDefinition& circuit) {
    const RealizedFigures f = RealizedFiguresOf(StageFunctionOf(circuit, values), circuit);
    return {IsFirstOrderStage(circuit.stageType) ? f.wc : f.wp, f.qp, f.gain, f.wz, f.qz};
}

inline std::string Describe(const DesignRequest& q) {
    return "circuit " + std::to_string(q.circuitNo) + " wp " + std::to_string(static_cast<double>(q.wp)) + " qp " +
           std::to_string(static_cast<double>(q.qp)) + " wz " + std::to_string(static_cast<double>(q.wz)) + " wc " +
           std::to_string(static_cast<double>(q.wc)) + " gain " + std::to_string(static_cast<double>(q.gain)) +
           (q.c1 ? " c1 " + std::to_string(static_cast<double>(*q.c1)) : "") + (q.c2Variable ? " C2var" : "") +
           (q.equal ? " equal" : "") + (q.compensate ? " predistorted" : "") +
           (q.activeCompensation ? " active" : "");
}

// Design with the prepared record changed first (choices of the user that a request does not
// carry: gain-pair defaults, capacitors set by hand).
inline DesignedStage DesignWith(const DesignRequest& request, const std::function<void(StageCircuitRecord&)>& change) {
    DesignedStage d;
    d.request = request;
    d.design = PrepareDesign(request).value();
    if (change) change(d.design.record);
    d.outcome = DesignStage(d.design.stage, d.design.record);
    d.values = ValuesOf(d.design.record);
    d.circuit = FindCircuit(request.circuitNo);
    return d;
}

inline DesignedStage Design(const DesignRequest& request) { return DesignWith(request, {}); }

// Whether the values the design gave lie within what can be built (0.1 ohm to 1 Gohm,
// 0.1 pF to 1 F). The grids reach beyond them at both ends: at 1 rad/s the resistors of high-Q
// and wide-ratio designs pass 1 Gohm, at 6e8 rad/s those of designs from a 1 nF or 10 nF
// capacitor fall below 0.1 ohm.
inline bool WithinBuildableRanges(const DesignedStage& d) {
    auto within = [](long double v, long double lo, long double hi) { return v >= lo && v <= hi; };
    for (int i = 1; i <= d.record().ResistorCount; ++i)
        if (!within(d.values.R[static_cast<size_t>(i)], kLowestResistance, kHighestResistance)) return false;
    for (int j = 1; j <= d.record().CapacitorCount; ++j)
        if (!within(d.values.C[static_cast<size_t>(j)], kLowestCapacitance, kHighestCapacitance)) return false;
    return true;
}

// Invalid exactly when the circuit cannot realise the target (the test's rule for the circuit)
// or the values it gives cannot be built; only the second marks the outcome unbuildable.
inline void ExpectValidity(const DesignedStage& d, bool realizable) {
    const bool buildable = WithinBuildableRanges(d);
    EXPECT_EQ(d.record().Invalid != 0, !(realizable && buildable)) << Describe(d.request);
    EXPECT_EQ(d.outcome.unbuildable, realizable && !buildable) << Describe(d.request);
}

// The equations solved the target: a valid design, or one invalid only because its values cannot
// be built. The record keeps the solved values, so the checks of the equations still apply.
inline bool Solved(const DesignedStage& d) { return !d.record().Invalid || d.outcome.unbuildable; }

// The values one figure has to be compared in.
struct Figure {
    const char* name;
    long double Realized::*member;
};
inline constexpr Figure kPoleFrequency{"w", &Realized::w};
inline constexpr Figure kPoleQ{"q", &Realized::q};
inline constexpr Figure kGain{"gain", &Realized::gain};
inline constexpr Figure kZeroFrequency{"wz", &Realized::wz};

// The figures a stage type realises.
inline std::vector<Figure> FiguresOf(int stageType) {
    if (IsFirstOrderStage(stageType)) return {kPoleFrequency, kGain};
    if (IsNotchStage(stageType)) return {kPoleFrequency, kPoleQ, kGain, kZeroFrequency};
    return {kPoleFrequency, kPoleQ, kGain};
}

// What the design promised: DesignW (Wc), DesignQ, Wz and ActualGain.
inline Realized Promised(const DesignedStage& d) {
    Realized p;
    const StageCircuitRecord& r = d.record();
    p.w = IsFirstOrderStage(d.stageType()) ? static_cast<long double>(d.design.stage.Wc) : static_cast<long double>(r.DesignW);
    p.q = r.DesignQ;
    p.gain = r.ActualGain;
    p.wz = d.design.stage.Wz;
    return p;
}

// d ln p / d ln x of one component (resistor i or capacitor j) by central differences in
// ln x, steps h and h/2 combined so that the error in h² drops out: a circuit whose Q
// sensitivities run into the hundreds has third derivatives of their cube, which a single
// step would carry into the sixth digit.
inline Realized LogDerivative(const DesignedStage& d, const ComponentValues& values, bool capacitor, int n) {
    constexpr long double h = 1e-5L;
    auto realizedWith = [&](long double factor) {
        ComponentValues w = values;
        if (capacitor) w.C[static_cast<size_t>(n)] *= factor;
        else w.R[static_cast<size_t>(n)] *= factor;
        return RealizedOf(w, *d.circuit);
    };
    auto central = [&](long double step) {
        const Realized up = realizedWith(std::exp(step)), down = realizedWith(std::exp(-step));
        Realized s;
        for (const Figure& f : {kPoleFrequency, kPoleQ, kGain, kZeroFrequency}) {
            const long double a = std::fabs(up.*f.member), b = std::fabs(down.*f.member);
            s.*f.member = a > 0 && b > 0 ? (std::log(a) - std::log(b)) / (2 * step) : 0;
        }
        return s;
    };
    const Realized coarse = central(h), fine = central(h / 2);
    Realized s;
    for (const Figure& f : {kPoleFrequency, kPoleQ, kGain, kZeroFrequency})
        s.*f.member = (4 * fine.*f.member - coarse.*f.member) / 3;
    return s;
}

inline long double RelativeError(long double got, long double want) {
    return want == 0 ? std::fabs(got) : std::fabs(got / want - 1);
}

// Realised figures equal the promised ones to the tolerance (1e-9 unless the circuit says
// otherwise) on the values the design gave, post-processing included.
inline void ExpectRoundTrip(const DesignedStage& d, long double tolerance = 1e-9L) {
    SCOPED_TRACE(Describe(d.request));
    ASSERT_TRUE(d.outcome.designed) << "no design routine";
    if (!Solved(d)) return;
    const Realized want = Promised(d);
    const Realized got = RealizedOf(d.values, *d.circuit);
    for (const Figure& f : FiguresOf(d.stageType())) {
        EXPECT_LE(RelativeError(got.*f.member, want.*f.member), tolerance)
            << f.name << " realised " << static_cast<double>(got.*f.member) << " promised "
            << static_cast<double>(want.*f.member);
    }
}

// S1 (pole frequency, wc of a first-order stage), S2 (pole Q) and S3 (gain) of every
// component equal d ln p / d ln x on the values the equations gave, to 1e-6.
inline void ExpectSensitivitySlots(const DesignedStage& d) {
    SCOPED_TRACE(Describe(d.request));
    if (!Solved(d)) return;
    const StageCircuitRecord& r = d.record();
    auto check = [&](const ComponentEntry& e, bool capacitor, int n) {
        const Realized s = LogDerivative(d, d.values, capacitor, n);
        const std::string name = (capacitor ? "C" : "R") + std::to_string(n);
        auto near = [&](int slot, long double want, const char* figure) {
            const long double got = e.Sens[static_cast<size_t>(slot)];
            EXPECT_NEAR(static_cast<double>(got), static_cast<double>(want), 1e-6 * std::max(1.0L, std::fabs(want)))
                << name << " " << figure;
        };
        near(SensSlot::PoleFrequency, s.w, "S1");
        if (!IsFirstOrderStage(d.stageType())) near(SensSlot::PoleQ, s.q, "S2");
        near(SensSlot::Gain, s.gain, "S3");
    };
    for (int i = 1; i <= r.ResistorCount; ++i) check(r.Resistors[static_cast<size_t>(i - 1)], false, i);
    for (int j = 1; j <= r.CapacitorCount; ++j) check(r.Capacitors[static_cast<size_t>(j - 1)], true, j);
}

// The first-order relative shift of the pole frequency and Q per unit w/wt with single-pole
// op amps of unity-gain frequency wt: realised w = W·(1 - k1·W/wt), Q = Q·(1 - k2·W/wt).
struct ShiftCoefficients {
    long double k1 = 0, k2 = 0;
};

// The shifts are measured where k·W/wt is about 1e-6, so that the terms of higher order stay
// out of the comparison; scale is the size of the coefficients expected.
inline ShiftCoefficients MeasuredShiftCoefficients(const DesignedStage& d, long double scale) {
    const auto& elements = d.circuit->plain.topology.elements;
    const ComponentValues& w = d.values;
    const Realized ideal = RealizedOf(w, *d.circuit);
    const Complex p0 = std::polar(ideal.w, std::numbers::pi_v<long double> - std::acos(1 / (2 * ideal.q)));
    auto at = [&](long double eps) {
        const Complex p = NaturalFrequencyNear(elements, w.R, w.C, ideal.w / eps, p0);
        const long double wp = std::abs(p), qp = wp / (-2 * p.real());
        return ShiftCoefficients{-(wp / ideal.w - 1) / eps, -(qp / ideal.q - 1) / eps};
    };
    // Richardson: the terms in eps² drop out of 2·k(eps) - k(2·eps).
    const long double eps = 1e-6L / std::max(1.0L, scale);
    const ShiftCoefficients a = at(eps), b = at(2 * eps);
    return {2 * a.k1 - b.k1, 2 * a.k2 - b.k2};
}

// k1 and k2 of the record against the shifts measured with single-pole op amps (complex pole
// pairs only: Qp above 0.5).
inline void ExpectOpAmpCoefficients(const DesignedStage& d) {
    SCOPED_TRACE(Describe(d.request));
    if (!Solved(d)) return;
    const long double k1 = d.record().FreqShiftCoef, k2 = d.record().QShiftCoef;
    const ShiftCoefficients k = MeasuredShiftCoefficients(d, std::max({std::fabs(k1), std::fabs(k2), d.request.qp}));
    EXPECT_NEAR(static_cast<double>(k1), static_cast<double>(k.k1), 1e-5 * std::max(1.0L, std::fabs(k.k1))) << "k1";
    EXPECT_NEAR(static_cast<double>(k2), static_cast<double>(k.k2), 1e-5 * std::max(1.0L, std::fabs(k.k2))) << "k2";
}

// One second-order target at wp = 10 000 rad/s.
inline DesignRequest SecondOrderTarget(int circuitNo, long double qp, long double gain) {
    DesignRequest q;
    q.circuitNo = circuitNo;
    q.wp = 10000;
    q.qp = qp;
    q.gain = gain;
    return q;
}

// The grid of second-order targets: wp from 1 rad/s to 6e8 rad/s on both sides of the
// 31000 rad/s start-decade edge, the listed Qp and gains, predistortion off and on, C1 from its
// start value and from the other start decade. The sparse grid (for the slower checks) keeps
// two pole frequencies, the extreme gains and the design without predistortion.
inline std::vector<DesignRequest> SecondOrderGrid(int circuitNo, const std::vector<long double>& qps,
                                                  const std::vector<long double>& gains, bool c2Variable = false,
                                                  bool equal = false, bool sparse = false) {
    const std::vector<long double> dense{1.0L, 2000.0L, 30000.0L, 31000.0L, 32000.0L, 6.2832e5L, 6e8L};
    const std::vector<long double> few{2000.0L, 6.2832e5L};
    const std::vector<long double> someGains = gains.size() > 2 ? std::vector<long double>{gains.front(), gains.back()} : gains;
    std::vector<DesignRequest> grid;
    for (long double wp : sparse ? few : dense)
        for (long double qp : qps)
            for (long double gain : sparse ? someGains : gains)
                for (bool compensate : {false, true})
                    for (bool otherDecade : {false, true}) {
                        if (sparse && (compensate || otherDecade)) continue;
                        DesignRequest q;
                        q.circuitNo = circuitNo;
                        q.wp = wp, q.qp = qp, q.gain = gain;
                        q.c2Variable = c2Variable, q.equal = equal;
                        q.compensate = compensate;
                        q.gbwHz = 30 * wp + 1;  // wp/(2π·GBW) about 1/190: a predistortion that shows
                        if (otherDecade) q.c1 = wp > 31000 ? 1e-8L : 1e-9L;
                        grid.push_back(q);
                    }
    return grid;
}

inline std::vector<DesignRequest> FirstOrderGrid(int circuitNo, const std::vector<long double>& gains) {
    std::vector<DesignRequest> grid;
    for (long double wc : {1.0L, 2000.0L, 31000.0L, 32000.0L, 6.2832e5L, 6e8L})
        for (long double gain : gains)
            for (bool otherDecade : {false, true}) {
                DesignRequest q;
                q.circuitNo = circuitNo;
                q.wc = wc, q.gain = gain;
                if (otherDecade) q.c1 = wc > 31000 ? 1e-8L : 1e-9L;
                grid.push_back(q);
            }
    return grid;
}

}  // namespace tavrel::design_testing
