#pragma once
// Checks of a designed stage against nodal analysis of its template. A test of a circuit's
// design routine includes this header and feeds it DesignRequests:
//   DesignedStage d = Design(request);          // DesignStage on a freshly prepared record
//   ExpectRoundTrip(d);                         // wp, Qp, (wz,) gain before and after the nudge
//   ExpectSensitivitySlots(d);                  // S1, S2, S3 against d ln p / d ln x
//   ExpectOpAmpCoefficients(d);                 // k1, k2 against single-pole op amps
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>
#include <numbers>
#include <string>
#include <vector>

#include "circuits/circuit_catalog.h"
#include "circuits/design_request.h"
#include "circuits/design_stage.h"
#include "circuits/netlist_templates.h"
#include "realized_function.h"
#include "single_pole_poles.h"

namespace tavrel::design_testing {

struct DesignedStage {
    DesignRequest request;
    PreparedDesign design;       // stage and record after DesignStage
    StageDesignOutcome outcome;
    CoefficientWork beforeNudge; // the values the design equations gave
    CoefficientWork afterNudge;  // the values the program uses
    int stageType() const { return design.stage.StageType; }
    int circuitIndex() const { return design.record.CircuitIndex; }
    const StageCircuitRecord& record() const { return design.record; }
};

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
inline DesignedStage DesignWith(const DesignRequest& request, const std::function<void(StageCircuitRecord&)>& change,
                                ResistorSeries series = ResistorSeries::E96) {
    DesignedStage d;
    d.request = request;
    d.design = PrepareDesign(request).value();
    if (change) change(d.design.record);
    d.outcome = DesignStage(d.design.stage, d.design.record, series);
    d.afterNudge = WorkOf(d.design.record);
    d.beforeNudge = d.afterNudge;
    for (int i : d.outcome.nudged) {
        d.beforeNudge.R[static_cast<size_t>(i)] /= kStandardNudge;
        d.beforeNudge.G[static_cast<size_t>(i)] = 1 / d.beforeNudge.R[static_cast<size_t>(i)];
    }
    return d;
}

inline DesignedStage Design(const DesignRequest& request, ResistorSeries series = ResistorSeries::E96) {
    return DesignWith(request, {}, series);
}

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
    if (IsFirstOrder(stageType)) return {kPoleFrequency, kGain};
    if (IsNotch(stageType)) return {kPoleFrequency, kPoleQ, kGain, kZeroFrequency};
    return {kPoleFrequency, kPoleQ, kGain};
}

// What the design promised: DesignW (Wc), DesignQ, Wz and ActualGain.
inline Realized Promised(const DesignedStage& d) {
    Realized p;
    const StageCircuitRecord& r = d.record();
    p.w = IsFirstOrder(d.stageType()) ? static_cast<long double>(d.design.stage.Wc) : static_cast<long double>(r.DesignW);
    p.q = r.DesignQ;
    p.gain = r.ActualGain;
    p.wz = d.design.stage.Wz;
    return p;
}

// d ln p / d ln x of one component (resistor i or capacitor j) by central differences in
// ln x, steps h and h/2 combined so that the error in h² drops out: a circuit whose Q
// sensitivities run into the hundreds has third derivatives of their cube, which a single
// step would carry into the sixth digit.
inline Realized LogDerivative(const DesignedStage& d, const CoefficientWork& work, bool capacitor, int n) {
    constexpr long double h = 1e-5L;
    auto realizedWith = [&](long double factor) {
        CoefficientWork w = work;
        if (capacitor) {
            w.C[static_cast<size_t>(n)] *= factor;
            w.D[static_cast<size_t>(n)] = 1 / w.C[static_cast<size_t>(n)];
        } else {
            w.R[static_cast<size_t>(n)] *= factor;
            w.G[static_cast<size_t>(n)] = 1 / w.R[static_cast<size_t>(n)];
        }
        return RealizedOf(w, d.stageType(), d.circuitIndex());
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

// How far the nudge may move each figure. The nudge scales every nudged resistor by the same
// factor e^t, t = ln 1.0002; along that direction ln p is a function f(u) of the common log
// scale u, and the nudged stage realises p·e^f(t). Taylor's theorem gives
//   f(t) = f'(0)·t + f''(0)·t²/2 + f'''(ξ)·t³/6,
// so the relative move is expm1(f'(0)·t + f''(0)·t²/2) up to the cubic remainder. f', f'' and
// f''' come from five-point differences of the nodal analysis at a step h below t, so that they
// see the curvature over the span the nudge covers (a Q near a pole of its formula bends
// within a few nudges); the cubic term is taken twice over, which covers the terms of fourth
// and higher order while the move stays well below 1, and the h² error of the differences.
// Rounding leaves f''' good to about 1e-19/h³, far below what t³ weighs. A figure whose
// nudged resistors cancel to first order keeps its t² term (the twin-T network at wp = 1 rad/s,
// where R1 and R2 both land on 100 MOhm); a large first derivative keeps its square through
// the expm1 (the Q of the Sallen-Key notch, which its 10 kOhm resistor moves by 2 %).
inline Realized BoundOfNudge(const DesignedStage& d) {
    Realized bound;
    if (d.outcome.nudged.empty()) return bound;
    const long double t = std::log(kStandardNudge), h = 0.7L * t;
    auto realizedAt = [&](long double u) {
        CoefficientWork w = d.beforeNudge;
        for (int i : d.outcome.nudged) {
            w.R[static_cast<size_t>(i)] *= std::exp(u);
            w.G[static_cast<size_t>(i)] = 1 / w.R[static_cast<size_t>(i)];
        }
        return RealizedOf(w, d.stageType(), d.circuitIndex());
    };
    const std::array<Realized, 5> at{realizedAt(-2 * h), realizedAt(-h), realizedAt(0), realizedAt(h),
                                     realizedAt(2 * h)};
    for (const Figure& fig : {kPoleFrequency, kPoleQ, kGain, kZeroFrequency}) {
        std::array<long double, 5> f{};
        for (size_t k = 0; k < at.size(); ++k) {
            const long double a = std::fabs(at[k].*fig.member);
            f[k] = a > 0 ? std::log(a) : 0;
        }
        const long double f1 = (f[0] - 8 * f[1] + 8 * f[3] - f[4]) / (12 * h);
        const long double f2 = (-f[0] + 16 * f[1] - 30 * f[2] + 16 * f[3] - f[4]) / (12 * h * h);
        const long double f3 = (-f[0] + 2 * f[1] - 2 * f[3] + f[4]) / (2 * h * h * h);
        bound.*fig.member = std::fabs(std::expm1(f1 * t + f2 * t * t / 2)) + 2 * std::fabs(f3) * t * t * t / 6;
    }
    return bound;
}

// Realised figures equal the promised ones to the tolerance (1e-9 unless the circuit says
// otherwise) on the values the equations gave, and after the nudge to it plus the move the
// nudge implies.
inline void ExpectRoundTrip(const DesignedStage& d, long double tolerance = 1e-9L) {
    SCOPED_TRACE(Describe(d.request));
    ASSERT_TRUE(d.outcome.designed) << "no design routine";
    if (d.record().Invalid) return;
    const Realized want = Promised(d);
    const Realized before = RealizedOf(d.beforeNudge, d.stageType(), d.circuitIndex());
    const Realized after = RealizedOf(d.afterNudge, d.stageType(), d.circuitIndex());
    const Realized nudge = BoundOfNudge(d);
    for (const Figure& f : FiguresOf(d.stageType())) {
        EXPECT_LE(RelativeError(before.*f.member, want.*f.member), tolerance)
            << f.name << " realised " << static_cast<double>(before.*f.member) << " promised "
            << static_cast<double>(want.*f.member);
        // A move of the size of the figure itself is outside what the series bound covers (the
        // Scultety lowpass notch at Qp 50 and wz = 10·wp, whose Q the nudge of R5 doubles).
        if (nudge.*f.member > 0.5L) continue;
        EXPECT_LE(RelativeError(after.*f.member, want.*f.member), tolerance + nudge.*f.member)
            << f.name << " after the nudge " << static_cast<double>(after.*f.member) << " bound "
            << static_cast<double>(nudge.*f.member);
    }
}

// S1 (pole frequency, wc of a first-order stage), S2 (pole Q) and S3 (gain) of every
// component equal d ln p / d ln x on the values the equations gave, to 1e-6.
inline void ExpectSensitivitySlots(const DesignedStage& d) {
    SCOPED_TRACE(Describe(d.request));
    if (d.record().Invalid) return;
    const StageCircuitRecord& r = d.record();
    auto check = [&](const ComponentEntry& e, bool capacitor, int n) {
        const Realized s = LogDerivative(d, d.beforeNudge, capacitor, n);
        const std::string name = (capacitor ? "C" : "R") + std::to_string(n);
        auto near = [&](int slot, long double want, const char* figure) {
            const long double got = e.Sens[static_cast<size_t>(slot)];
            EXPECT_NEAR(static_cast<double>(got), static_cast<double>(want), 1e-6 * std::max(1.0L, std::fabs(want)))
                << name << " " << figure;
        };
        near(SensSlot::PoleFrequency, s.w, "S1");
        if (!IsFirstOrder(d.stageType())) near(SensSlot::PoleQ, s.q, "S2");
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
    const auto lines = FindTemplate(TemplateLibrary::Plain, TemplateKey(d.stageType(), d.circuitIndex()));
    const auto elements = TemplateElements(lines.value());
    const CoefficientWork& w = d.beforeNudge;
    const Realized ideal = RealizedOf(w, d.stageType(), d.circuitIndex());
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
    if (d.record().Invalid) return;
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
