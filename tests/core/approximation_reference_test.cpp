// The five approximations against scipy.signal: orders, flags, poles, zeros, gain constant and
// the ideal responses on the 351-point grid. The fixtures are written by
// tools/make_approx_fixtures.py (see its header for the normalizations).
//
// Error model. The program's filter is compared with the reference through a relative accuracy
// delta of its roots; every response bound below is the first-order effect of moving each root r
// by at most (delta + u)|r|, u = 2^-40 the Real48 rounding of every stored value, plus a relative
// slack of 1e-9 for the arithmetic in between:
// - magnitude: the factor |jw - r| moves by at most that much times |r| / |jw - r|, and the gain
//   constant, a product over the roots, by n (the number of roots) times it, so
//   |d|H|| <= |H| (1e-9 + (delta + u) (n + C(w))),  C(w) = sum over roots |r| / |jw - r|;
// - phase: arg(jw - r) moves by at most (delta + u) |r| / |jw - r|: the bound is (delta + u) C(w);
// - group delay, sum of Re 1/(jw - p): each term moves by at most (delta + u) |p| / |jw - p|^2;
// - time responses, sum of c_i e^(p_i t): the residue c_i = K prod(p_i - z) / prod(p_i - p_l)
//   moves relatively by at most (delta + u) (n + sum |p_i| + |z| over |p_i - z| + sum
//   (|p_i| + |p_l|) / |p_i - p_l|), one more for the 1/p_i of the step, and e^(p_i t) by
//   (delta + u) |p_i| t.
//
// delta per approximation:
// - Butterworth, Chebyshev, inverse Chebyshev: closed forms, delta = 0 (the 1e-9 slack is the
//   requirement).
// - Bessel: the normalizing bisection stops when the attenuation is within 1e-4 dB of Apb, so the
//   normalizing frequency is off by at most (1e-4 / (20 / ln 10)) / s relatively, s the slope
//   d ln|H| / d ln w of the prototype at its Apb point (from the fixture); every root scales by it.
// - Elliptic: each of the four series stops at the first term of magnitude at most 1e-6 that is
//   not identically zero. A term that does not vanish has |sin| or |cos| at least sin(pi/(2N))
//   (its angle is a multiple of pi/(2N)), and sinh, cosh grow at most by e^(2 Lambda) per step,
//   so the term that stopped has q^(m(m+1)) (or q^(m^2)) <= 1e-6 / sin(pi/(2N)) with m >= 1, and
//   the omitted tail is at most twice the next term: T = 2e-6 q^4 e^(4 Lambda) / sin(pi/(2N)).
//   The sums enter sigma0 and Omega as quotients whose parts are at least sinh(Lambda) (S1),
//   sin(pi/(2N)) (T1) and 1 - 2q cosh(2 Lambda) (the denominators), so sigma0 and Omega are off by
//   at most 4 T / min of those. The nome series q0 + 2 q0^5 + 15 q0^9 + 150 q0^13 omits
//   1707 q0^17 + ..., at most 2000 q0^17, and the roots depend on q through q^N: N 2000 q0^16.
//   The reference is the exact elliptic filter of the ripple the closed form really produces
//   (the closed form takes its pole parameter in the limit of a small k1; the fixture gives that
//   ripple as effective_apb), with the program's gain at DC.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "calc_fixture.h"
#include "core/math_helpers.h"
#include "core/order_estimate.h"

namespace tavrel {
namespace {

using Complex = std::complex<long double>;
using nlohmann::json;

constexpr long double kSlack = 1e-9L;
constexpr long double kReal48 = 0x1p-40L;
const std::filesystem::path kFolder = std::filesystem::path(TAVREL_FIXTURES) / "approx";

std::vector<std::string> FixtureNames() {
    std::vector<std::string> names;
    for (const auto& file : std::filesystem::directory_iterator(kFolder))
        if (file.path().extension() == ".json") names.push_back(file.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

json Load(const std::string& name) {
    std::ifstream in(kFolder / (name + ".json"));
    return json::parse(in);
}

testing::Spec SpecOf(const json& s) {
    testing::Spec spec;
    const std::string kind = s["kind"];
    spec.kind = kind == "lowpass"    ? FilterKind::Lowpass
                : kind == "highpass" ? FilterKind::Highpass
                : kind == "bandpass" ? FilterKind::Bandpass
                                     : FilterKind::Bandstop;
    auto text = [&](const char* key) { return s[key].is_null() ? std::string() : s[key].get<std::string>(); };
    spec.apb = text("apb"), spec.asb = text("asb"), spec.f1 = text("f1"), spec.f2 = text("f2");
    spec.f0 = text("f0"), spec.gain = text("gain");
    if (!s["force_order"].is_null()) spec.forced = std::to_string(s["force_order"].get<int>());
    const std::string unit = s["unit"];
    spec.hz = unit == "hz" || unit == "khz";
    spec.unit = unit == "hz" || unit == "rad/s" ? 0 : 1;
    return spec;
}

std::vector<Complex> Roots(const json& list) {
    std::vector<Complex> roots;
    for (const auto& r : list) roots.emplace_back(r[0].get<long double>(), r[1].get<long double>());
    return roots;
}

// Every root once, conjugates included; zeros at the origin and at infinity are left out.
std::vector<Complex> FullRootSet(const json& a) {
    std::vector<Complex> roots;
    for (const Complex& p : Roots(a["poles"])) {
        roots.push_back(p);
        if (p.imag() != 0) roots.push_back(std::conj(p));
    }
    for (const auto& wz : a["zeros"])
        if (wz.get<long double>() != 0) {
            roots.emplace_back(0, wz.get<long double>());
            roots.emplace_back(0, -wz.get<long double>());
        }
    return roots;
}

// The program's poles: the upper pole of each complex pair, both poles of a pair below Q = 0.5,
// and the real pole.
std::vector<Complex> ProgramPoles(const DesignState& state, int approx) {
    const ApproxRecord& record = state.Approx[approx];
    std::vector<Complex> poles;
    for (int k = 1; k <= record.PolePairCount; ++k) {
        const PolePairRecord& pair = state.PolePair[approx][k];
        const long double sigma = pair.B0 / 2;
        if (pair.B0 * pair.B0 > 4 * pair.C0) {
            const long double root = std::sqrt(sigma * sigma - pair.C0);
            poles.emplace_back(-(sigma - root), 0);
            poles.emplace_back(-(sigma + root), 0);
        } else {
            poles.emplace_back(-state.Pole[approx][k].Sigma, state.Pole[approx][k].Omega);
        }
    }
    if (record.HasRealPole) poles.emplace_back(-record.RealPole, 0);
    return poles;
}

// The program's zeros as jw-axis frequencies, 0 for each zero at the origin.
std::vector<long double> ProgramZeros(const DesignState& state, int approx) {
    const ApproxRecord& record = state.Approx[approx];
    std::vector<long double> zeros;
    for (int k = 1; k <= record.ZeroPairCount; ++k) {
        const long double wz = state.Zero[approx][k].Wz;
        if (wz == 0) zeros.insert(zeros.end(), {0.0L, 0.0L});
        else zeros.push_back(wz);
    }
    if (record.HasRealZero) zeros.push_back(0);
    std::sort(zeros.begin(), zeros.end());
    return zeros;
}

// The gain constant K of H(s) = K prod(s - z) / prod(s - p), the overall gain left out.
long double ProgramGainConstant(const DesignState& state, int approx) {
    const ApproxRecord& record = state.Approx[approx];
    long double k = record.GainConst;
    if (IsAllPole(approx) && state.FilterKind == FilterKind::Lowpass)
        k *= std::pow(static_cast<long double>(state.Wpb), record.Order);
    if (IsAllPole(approx) && state.FilterKind == FilterKind::Bandpass)
        k *= std::pow(static_cast<long double>(state.Bpb), record.Order / 2);
    return k;
}

long double GainTextValue(const std::string& text) {
    const auto e = text.find('E');
    return std::stold(text.substr(0, e)) * std::pow(10.0L, std::stoi(text.substr(e + 1)));
}

long double EllipticDelta(const DesignState& state, int n) {
    const long double s = state.Selectivity;
    const long double k = 1 / s, kp = std::sqrt(1 - k * k);
    const long double q0 = (1 - std::sqrt(kp)) / (2 * (1 + std::sqrt(kp)));
    const long double q = EllipticNome(s);
    const long double g = Pow10(state.Apb / 20);
    const long double lambda = std::log((g + 1) / (g - 1)) / (2 * n);
    const long double angle = std::sin(kPi / (2 * n));
    const long double tail = 2e-6L * std::pow(q, 4) * std::exp(4 * lambda) / angle;
    const long double smallest = std::min({std::sinh(lambda), angle, 1 - 2 * q * std::cosh(2 * lambda)});
    EXPECT_GT(smallest, 0);
    return 4 * tail / smallest + n * 2000 * std::pow(q0, 16);
}

long double RootDelta(const DesignState& state, const json& a, int approx) {
    const int n = IsBandKind(state.FilterKind) ? a["order"].get<int>() / 2 : a["order"].get<int>();
    if (approx == Bessel) return (1e-4L / (20 / std::log(10.0L))) / a["apb_point_slope"].get<long double>();
    if (approx == Elliptic && a.contains("effective_apb")) return EllipticDelta(state, n);
    return 0;
}

struct Bound {
    long double delta;  // relative root accuracy, Real48 rounding included
    std::vector<Complex> roots, poles;
    long double Condition(long double w) const {
        long double c = 0;
        for (const Complex& r : roots) c += std::abs(r) / std::abs(Complex(0, w) - r);
        return c;
    }
    long double Magnitude(long double w, long double ref) const {
        return ref * (kSlack + delta * (roots.size() + Condition(w)));
    }
    long double PhaseDeg(long double w, long double ref) const {
        return kSlack * std::max<long double>(std::fabs(ref), 1) + delta * Condition(w) * 180 / kPi;
    }
    long double Delay(long double w, long double ref) const {
        long double d = 0;
        for (const Complex& p : poles) d += std::abs(p) / std::norm(Complex(0, w) - p);
        return kSlack * ref + delta * d;
    }
    // Bound on the sum of c_i e^(p_i t) for step (extra factor 1/p_i) or impulse; the slack is
    // taken relative to the size of the terms at t = 0.
    long double Time(const std::vector<Complex>& residues, long double t, bool step) const {
        long double bound = 0, size = 0;
        for (size_t i = 0; i < poles.size(); ++i) {
            const Complex p = poles[i];
            long double kappa = roots.size() + (step ? 1 : 0) + std::abs(p) * t;
            for (const Complex& r : roots)
                if (r != p) kappa += (std::abs(p) + std::abs(r)) / std::abs(p - r);
            const long double scale = std::abs(residues[i]) / (step ? std::abs(p) : 1);
            bound += scale * std::exp(p.real() * t) * kappa;
            size += scale;
        }
        return kSlack * size + delta * bound;
    }
};

class ApproximationReference : public ::testing::TestWithParam<std::string> {};

TEST_P(ApproximationReference, MatchesScipy) {
    const json fixture = Load(GetParam());
    CalcOutcome outcome;
    const DesignState state = testing::Calculated(SpecOf(fixture["spec"]), &outcome);
    ASSERT_FALSE(outcome.rejected);
    ASSERT_FALSE(outcome.error);
    const auto& grid = fixture["w"];
    bool anyUsable = false;
    for (int approx = 0; approx < kApproxCount; ++approx) {
        const json& a = fixture["approximations"][approx];
        SCOPED_TRACE(a["name"].get<std::string>());
        const ApproxRecord& record = state.Approx[approx];
        ASSERT_EQ(record.OrderTooHigh != 0, a["order_too_high"].get<bool>());
        if (record.OrderTooHigh) continue;
        EXPECT_EQ(record.Order, a["order"].get<int>());
        EXPECT_EQ(state.ApproxFailed[approx], a["failed"].get<bool>());
        if (!a.contains("poles")) continue;  // a failed elliptic prototype has none to compare
        anyUsable = anyUsable || !state.ApproxFailed[approx];

        Bound bound{RootDelta(state, a, approx) + kReal48, FullRootSet(a), {}};
        for (const Complex& p : Roots(a["time"]["poles"])) bound.poles.push_back(p);

        // Poles: each reference pole against the nearest program pole not yet used.
        std::vector<Complex> program = ProgramPoles(state, approx);
        const std::vector<Complex> reference = Roots(a["poles"]);
        ASSERT_EQ(program.size(), reference.size());
        for (const Complex& ref : reference) {
            auto nearest = std::min_element(program.begin(), program.end(), [&](Complex x, Complex y) {
                return std::abs(x - ref) < std::abs(y - ref);
            });
            EXPECT_LE(std::abs(*nearest - ref), (kSlack + bound.delta) * std::abs(ref)) << "pole " << ref;
            program.erase(nearest);
        }
        const std::vector<long double> zeros = ProgramZeros(state, approx);
        ASSERT_EQ(zeros.size(), a["zeros"].size());
        for (size_t i = 0; i < zeros.size(); ++i) {
            const long double ref = a["zeros"][i];
            EXPECT_LE(std::fabs(zeros[i] - ref), (kSlack + bound.delta) * ref) << "zero " << i;
        }
        const long double gain = a["gain_const"], n = bound.roots.size();
        EXPECT_LE(std::fabs(ProgramGainConstant(state, approx) - gain), gain * (kSlack + bound.delta * n));
        // The text of an all-pole bandpass is Bpb^N alone, without the prototype's constant.
        const bool textIsConstant = !(IsAllPole(approx) && state.FilterKind == FilterKind::Bandpass);
        if (!record.GainText.empty() && textIsConstant) {
            EXPECT_LE(std::fabs(GainTextValue(record.GainText) - gain), gain * (5e-6L + bound.delta * n))
                << record.GainText;
        }
        if (!a["max_pole_q"].is_null()) {
            const long double q = a["max_pole_q"];
            EXPECT_LE(std::fabs(record.MaxPoleQ - q), q * (kSlack + bound.delta * (1 + 2 * q)));
        }
        if (a.contains("reached_asb")) {
            const long double asb = a["reached_asb"];
            EXPECT_NEAR(state.Asb, asb, 1e-9L * asb);
        }

        if (state.ApproxFailed[approx]) continue;
        const auto& response = state.IdealResponse[approx];
        const auto vvs = a["gain_vv"].get<std::vector<long double>>();
        const long double peak = *std::max_element(vvs.begin(), vvs.end());
        std::vector<int> notches;
        if (a.contains("notch_points")) notches = a["notch_points"].get<std::vector<int>>();
        for (int j = 0; j < kGridPoints; ++j) {
            const long double w = grid[j];
            ASSERT_NEAR(state.FreqGrid[j].W, w, 1e-11L * w) << "grid point " << j;
            const ResponsePoint& point = response[j];
            if (std::find(notches.begin(), notches.end(), j) != notches.end()) {
                EXPECT_EQ(point.GainVv, 0) << j;
                EXPECT_EQ(point.GainDb, -200) << j;
            } else if (a["gain_vv"][j] == 0) {
                // The grid point lies on a zero of the transmission (the center of a bandstop).
                EXPECT_LE(point.GainVv, kSlack * peak) << j;
            } else {
                const long double vv = a["gain_vv"][j];
                const long double tol = bound.Magnitude(w, vv);
                EXPECT_LE(std::fabs(point.GainVv - vv), tol) << "gain at point " << j;
                if (vv - tol > 1e-20L) {
                    EXPECT_LE(std::fabs(point.GainDb - 20 * std::log10(vv)), 20 / std::log(10.0L) * tol / vv) << j;
                } else if (vv + tol < 1e-20L) {
                    EXPECT_EQ(point.GainDb, -400) << j;
                }
            }
            if (!a["phase_lag_deg"][j].is_null()) {
                const long double lag = a["phase_lag_deg"][j];
                EXPECT_LE(std::fabs(point.PhaseDeg - lag), bound.PhaseDeg(w, lag)) << "phase at point " << j;
            }
            const long double delay = a["delay_s"][j];
            EXPECT_LE(std::fabs(point.DelaySec - delay), bound.Delay(w, delay)) << "delay at point " << j;
        }

        // Time responses from the reference expansion on the program's own time grid.
        const std::vector<Complex> residues = Roots(a["time"]["residues"]);
        const long double h0 = a["time"]["h0"];
        for (int j = 0; j < kGridPoints; ++j) {
            const long double t = state.TimeGrid[j];
            long double step = h0, impulse = 0;
            for (size_t i = 0; i < residues.size(); ++i) {
                const Complex e = residues[i] * std::exp(bound.poles[i] * t);
                impulse += e.real();
                step += (e / bound.poles[i]).real();
            }
            const long double stepTol = bound.Time(residues, t, true) + (kSlack + bound.delta * n) * std::fabs(h0);
            EXPECT_LE(std::fabs(response[j].Step - step), stepTol) << "step at t = " << t;
            EXPECT_LE(std::fabs(response[j].Impulse - impulse), bound.Time(residues, t, false))
                << "impulse at t = " << t;
        }
    }
    EXPECT_EQ(outcome.nextEnabled, anyUsable);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, ApproximationReference, ::testing::ValuesIn(FixtureNames()),
                         [](const auto& info) { return info.param; });

}  // namespace
}  // namespace tavrel
