#pragma once
// Targets and checks shared by the tests of the lowpass-notch, highpass-notch and notch circuits.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "circuits/network/cubic_split.h"
#include "circuits/equations/sensitivity.h"
#include "design_round_trip.h"

namespace tavrel::design_testing {

// One circuit's targets: the zero-to-pole frequency ratios and the Qp and gains to try.
struct NotchTargets {
    int circuitNo;
    std::vector<long double> ratios;  // wz/wp
    std::vector<long double> qps;
    std::vector<long double> gains;
    // The zero pair comes from the same network as the pole pair, so the notch sits at DesignW
    // (which predistortion moves off Wp = Wz).
    bool zeroFollowsPole = false;
    // The relative tolerance of the round trip.
    long double tolerance = 1e-9L;
};

inline void PrintTo(const NotchTargets& t, std::ostream* os) { *os << "circuit " << t.circuitNo; }

// Friend's highpass notch SAB forms wz² from the difference of the two input paths, whose
// relative size is (Wz/W)²·(1 - K)/(1 - (Wz/W)²·K): about 1/1100 at wz = wp/10 and K = 1/1.1,
// so the 6-byte storage of the values (1e-12) shows as up to 2e-9 in wz.
inline constexpr long double kFriendHighpassTolerance = 3e-9L;

inline const std::vector<long double> kNotchQps{0.5L, 0.577L, 0.7071L, 1.3L, 5, 20, 50};
// Third-order circuits: at Qp = 0.5 the pole pair and the real pole meet in a triple root
// (and a predistorted Q below 0.5 has no complex pair to compare).
inline const std::vector<long double> kCubicQps{0.577L, 0.7071L, 1.3L, 5, 20, 50};
// Circuits whose slots come through SensitivityTransform, which is singular at Q = 0.5.
inline const std::vector<long double> kTransformQps = kCubicQps;
inline const std::vector<long double> kNotchGains{0.5L, 1, 1.1L, 2, 10};
inline const std::vector<long double> kLowpassNotchRatios{1.1L, 2, 10};
inline const std::vector<long double> kHighpassNotchRatios{0.1L, 0.5L, 0.9L};
inline const std::vector<long double> kSymmetricNotchRatios{1};

// The whole second-order grid at the first zero ratio, the sparse one at the others.
inline std::vector<DesignRequest> NotchGrid(const NotchTargets& t, bool sparse = false) {
    std::vector<DesignRequest> grid;
    for (long double ratio : t.ratios)
        for (DesignRequest q :
             SecondOrderGrid(t.circuitNo, t.qps, t.gains, false, false, sparse || ratio != t.ratios.front())) {
            q.wz = ratio * q.wp;
            grid.push_back(q);
        }
    return grid;
}

// The round trip of ExpectRoundTrip, with the notch compared with DesignW where it follows the
// pole pair, and the tolerance the circuit's own.
inline void ExpectNotchRoundTrip(DesignedStage d, bool zeroFollowsPole, long double tolerance = 1e-9L) {
    if (zeroFollowsPole) d.design.stage.Wz = d.record().DesignW;
    ExpectRoundTrip(d, tolerance);
}

inline std::string NotchTestName(const ::testing::TestParamInfo<NotchTargets>& info) {
    return "No" + std::to_string(info.param.circuitNo);
}

// The zero-frequency slots of the circuits that compute them, against d ln wz / d ln x.
inline void ExpectZeroFrequencySlots(const DesignedStage& d) {
    SCOPED_TRACE(Describe(d.request));
    if (!Solved(d)) return;
    const StageCircuitRecord& r = d.record();
    for (int i = 1; i <= r.ResistorCount; ++i)
        EXPECT_NEAR(static_cast<double>(r.Resistors[static_cast<size_t>(i - 1)].Sens[SensSlot::ZeroFrequency]),
                    static_cast<double>(LogDerivative(d, d.values, false, i).wz), 1e-6)
            << "R" << i;
    for (int j = 1; j <= r.CapacitorCount; ++j)
        EXPECT_NEAR(static_cast<double>(r.Capacitors[static_cast<size_t>(j - 1)].Sens[SensSlot::ZeroFrequency]),
                    static_cast<double>(LogDerivative(d, d.values, true, j).wz), 1e-6)
            << "C" << j;
}

// The monic cubic coefficients d0..d2 (or n0..n2) of a third-order circuit's values.
inline std::array<long double, 3> CubicOf(const ComponentValues& values, const DesignedStage& d, bool numerator) {
    const StageFunction f = StageFunctionOf(*d.circuit, values);
    const auto& p = numerator ? f.n : f.d;
    return {p[0] / p[3], p[1] / p[3], p[2] / p[3]};
}

// The classical sensitivities of a cubic's coefficients by central differences: the matrix a
// third-order routine hands to SensitivityTransform.
inline SensitivityMatrix NumericalCubicMatrix(const DesignedStage& d, bool numerator) {
    constexpr long double h = 1e-6L;
    SensitivityMatrix m{};
    auto fill = [&](bool capacitor, int n) {
        auto with = [&](long double factor) {
            ComponentValues w = d.values;
            if (capacitor) w.C[static_cast<size_t>(n)] *= factor;
            else w.R[static_cast<size_t>(n)] *= factor;
            return CubicOf(w, d, numerator);
        };
        const auto up = with(1 + h), down = with(1 - h);
        const long double span = std::log1p(h) - std::log1p(-h);
        for (size_t k = 0; k < 3; ++k)
            m[static_cast<size_t>(n - 1)][k + (capacitor ? 3 : 0)] =
                (std::log(std::fabs(up[k])) - std::log(std::fabs(down[k]))) / span;
    };
    for (int i = 1; i <= d.record().ResistorCount; ++i) fill(false, i);
    for (int j = 1; j <= d.record().CapacitorCount; ++j) fill(true, j);
    return m;
}

// The pole and zero slots of a third-order circuit are the transform of the numerically
// differentiated cubics with the routine's weights.
inline void ExpectCubicSlots(const DesignedStage& d, long double poleWeight) {
    SCOPED_TRACE(Describe(d.request));
    if (!Solved(d)) return;
    StageCircuitRecord expected = d.record();
    const long double qp = d.design.stage.Qp;
    SensitivityTransform(expected, d.stageType(), qp, NumericalCubicMatrix(d, false), true, 1, poleWeight, poleWeight);
    SensitivityTransform(expected, d.stageType(), qp, NumericalCubicMatrix(d, true), false, 1, 1, 1);
    auto compare = [&](const ComponentEntry& got, const ComponentEntry& want, const std::string& name) {
        for (int slot : {SensSlot::PoleFrequency, SensSlot::PoleQ, SensSlot::ThirdPole, SensSlot::ZeroFrequency,
                         SensSlot::ZeroQ, SensSlot::ThirdZero}) {
            const long double w = want.Sens[static_cast<size_t>(slot)];
            EXPECT_NEAR(static_cast<double>(got.Sens[static_cast<size_t>(slot)]), static_cast<double>(w),
                        1e-6 * std::max(1.0L, std::fabs(w)))
                << name << " slot " << slot;
        }
    };
    const StageCircuitRecord& r = d.record();
    for (int i = 0; i < r.ResistorCount; ++i)
        compare(r.Resistors[static_cast<size_t>(i)], expected.Resistors[static_cast<size_t>(i)],
                "R" + std::to_string(i + 1));
    for (int j = 0; j < r.CapacitorCount; ++j)
        compare(r.Capacitors[static_cast<size_t>(j)], expected.Capacitors[static_cast<size_t>(j)],
                "C" + std::to_string(j + 1));
}

// The real pole of a third-order circuit: the cubic's root left after its complex pair.
inline long double RealPoleOf(const DesignedStage& d) {
    const auto p = CubicOf(d.values, d, false);
    return -SplitCubic(p[2], p[1], p[0]).root;
}

}  // namespace tavrel::design_testing
