#include "core/responses.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <vector>

#include "core/arithmetic_failure.h"
#include "core/math_helpers.h"
#include "core/specification.h"

namespace tavrel {

namespace {

using Complex = std::complex<long double>;

bool AllPoleLowpass(const DesignState& state, int approx) {
    return IsAllPole(approx) && state.FilterKind == FilterKind::Lowpass;
}
bool AllPoleBandpass(const DesignState& state, int approx) {
    return IsAllPole(approx) && state.FilterKind == FilterKind::Bandpass;
}

// A pole pair below Q = 0.5 is two real poles at -(Sigma -+ sqrt(Sigma^2 - C0)).
bool IsRealPair(const DesignState& state, int approx, int k) {
    const PolePairRecord& pair = state.PolePair[approx][k];
    return pair.B0 * pair.B0 > 4 * pair.C0;
}
std::pair<long double, long double> RealPairPoles(const DesignState& state, int approx, int k) {
    const long double sigma = state.PolePair[approx][k].B0 / 2;
    const long double root = std::sqrt(sigma * sigma - state.PolePair[approx][k].C0);
    return {sigma - root, sigma + root};
}

// The sum of angles each in [0, pi), kept as a product of complex factors and a count of
// half-turn wraps, so that a whole phase costs one atan2 instead of one per factor. The
// extended range holds the product of the at most 22 factors of a design (each below the
// square of the Real48 range) without scaling.
class AngleSum {
public:
    void Add(long double re, long double im) {
        const long double newRe = re_ * re - im_ * im, newIm = re_ * im + im_ * re;
        // Turning counterclockwise by less than pi out of the upper half-plane into the
        // lower one passes the negative real axis.
        if (im_ >= 0 && newIm < 0) ++turns_;
        re_ = newRe, im_ = newIm;
    }
    long double Angle() const { return std::atan2(im_, re_) + 2 * kPi * turns_; }

private:
    long double re_ = 1, im_ = 0;
    int turns_ = 0;
};

// Magnitude, phase lag and group delay at one frequency in a single pass over the poles.
// A pole pair s^2 + B0 s + C0 at s = jw is D = (C0 - w^2) + j B0 w: its squared magnitude
// |D|^2 divides the gain, its angle adds to the lag and its delay is
// B0 (C0 + w^2) / |D|^2, the sum of the delays of its two poles. These hold for a complex
// pair and for a pair of real poles (Q below 0.5) alike. A real pole a gives a + jw.
struct ResponseAccumulator {
    long double scale = 1;  // gain constant and the denormalization, multiplied in pair by pair
    long double poles2 = 1; // product of the squared magnitudes of the pole factors
    AngleSum lag;
    long double delay = 0;

    void AddPair(long double b0, long double c0, long double w2, long double w) {
        const long double re = c0 - w2, im = b0 * w, m2 = re * re + im * im;
        poles2 *= m2;
        lag.Add(re, im);
        delay += b0 * (c0 + w2) / m2;
    }
    void AddRealPole(long double a, long double w2, long double w) {
        const long double m2 = a * a + w2;
        poles2 *= m2;
        lag.Add(a, w);
        delay += a / m2;
    }
};

// The poles of H(s) for the residues: one entry per complex pair (its upper pole) and
// one per real pole.
struct TimePole {
    Complex p;
    bool conjugatePair;
    int entry;  // pole entry that keeps its residue, or -1
};

std::vector<TimePole> TimePoles(const DesignState& state, int approx) {
    const ApproxRecord& record = state.Approx[approx];
    std::vector<TimePole> poles;
    for (int k = 1; k <= record.PolePairCount; ++k) {
        if (IsRealPair(state, approx, k)) {
            const auto [s1, s2] = RealPairPoles(state, approx, k);
            poles.push_back({Complex(-s1, 0), false, k});
            poles.push_back({Complex(-s2, 0), false, -1});
        } else {
            const PoleEntry& pole = state.Pole[approx][k];
            poles.push_back({Complex(-pole.Sigma, pole.Omega), true, k});
        }
    }
    const int next = record.PolePairCount + 1;
    if (record.HasRealPole) poles.push_back({Complex(-record.RealPole, 0), false, next});
    if (record.HasRealPole2) {
        poles.push_back({Complex(-record.RealPole, 0), false, -1});
        poles.push_back({Complex(-record.RealPole2, 0), false, -1});
    }
    return poles;
}

// H(s) at a complex s, with the gain denormalization of the magnitude, leaving out the
// factor of the pole 'skip' (so that the result is the residue numerator there).
Complex TransferAt(const DesignState& state, int approx, Complex s, const std::vector<TimePole>& poles, int skip) {
    const ApproxRecord& record = state.Approx[approx];
    Complex h = state.OverallGain * record.GainConst;
    for (int k = 1; k <= record.PolePairCount; ++k) {
        if (AllPoleLowpass(state, approx)) h *= state.Wpb * state.Wpb;
        if (AllPoleBandpass(state, approx)) h *= state.Bpb;
    }
    if (record.HasRealPole && AllPoleLowpass(state, approx)) h *= static_cast<long double>(state.Wpb);
    for (int k = 1; k <= record.ZeroPairCount; ++k) h *= s * s + static_cast<long double>(state.ZeroPair[approx][k].Wz2);
    if (record.HasRealZero) h *= s;
    for (size_t i = 0; i < poles.size(); ++i) {
        const TimePole& pole = poles[i];
        if (static_cast<int>(i) != skip) h /= s - pole.p;
        if (pole.conjugatePair) h /= s - std::conj(pole.p);
    }
    return h;
}

struct Residues {
    std::vector<TimePole> poles;
    std::vector<Complex> step, impulse;
    long double dc = 0;  // residue of H(s)/s at the origin
};

Residues ComputeResidues(const DesignState& state, int approx) {
    Residues r;
    r.poles = TimePoles(state, approx);
    const auto none = static_cast<int>(r.poles.size());
    r.dc = TransferAt(state, approx, Complex(0, 0), r.poles, none).real();
    for (size_t i = 0; i < r.poles.size(); ++i) {
        const Complex p = r.poles[i].p;
        const Complex residue = TransferAt(state, approx, p, r.poles, static_cast<int>(i));
        r.impulse.push_back(residue);
        r.step.push_back(residue / p);
    }
    return r;
}

// A response value beyond the extended range (a frequency or time far outside the design's)
// is an arithmetic failure, not a number to show.
void CheckFinite(long double v) {
    if (!std::isfinite(v)) throw ArithmeticFailure(std::isnan(v) ? kInvalidOperationText : kOverflowText);
}

// Plain products: the library's complex multiply guards against infinities and NaNs
// that these finite values cannot produce, at many times the cost.
long double RealOfProduct(Complex a, Complex b) { return a.real() * b.real() - a.imag() * b.imag(); }

long double SumModes(const std::vector<TimePole>& poles, const std::vector<Complex>& residues, long double t) {
    long double y = 0;
    for (size_t i = 0; i < poles.size(); ++i) {
        const long double decay = -poles[i].p.real() * t;
        if (decay >= 50) continue;
        const long double term = (residues[i] * std::exp(poles[i].p * t)).real();
        y += poles[i].conjugatePair ? 2 * term : term;
    }
    return y;
}

void StoreResidues(DesignState& state, int approx, const Residues& r) {
    state.Pole[approx][0].ResidueMag = std::fabs(r.dc);
    state.Pole[approx][0].ResidueAngle = r.dc < 0 ? kPi : 0;
    for (size_t i = 0; i < r.poles.size(); ++i) {
        const int entry = r.poles[i].entry;
        if (entry < 0 || entry > kMaxPairs) continue;
        state.Pole[approx][entry].ResidueMag = std::abs(r.step[i]);
        state.Pole[approx][entry].ResidueAngle = std::arg(r.step[i]);
    }
}

// The time the spans of the time responses were first built from: for each usable
// approximation with P pole pairs and sigma_P the damping of the last pair,
// (199 - 19 P) / (12 sigma_P) for P < 3, (199 - 19 P) / (18 sigma_P) from P = 3 on, and
// 40 / RealPole without pole pairs; the longest of them. It is generous and serves as the
// horizon of the settling search.
long double SettlingHorizon(const DesignState& state) {
    long double longest = 0;
    for (int approx = 0; approx <= state.HighestApprox; ++approx) {
        if (!IsUsable(state, approx)) continue;
        const ApproxRecord& record = state.Approx[approx];
        const int p = record.PolePairCount;
        long double t = 0;
        if (p == 0) {
            if (record.HasRealPole && record.RealPole > 0) t = 40 / record.RealPole;
        } else {
            const long double sigma = state.Pole[approx][p].Sigma;
            t = (199.0L - 19 * p) / ((p < 3 ? 12 : 18) * sigma);
        }
        if (std::isfinite(t)) longest = std::max(longest, t);
    }
    return longest;
}

// The step response of one approximation as a sum of decaying modes about its final value,
// sampled in double precision: the settling time only places the end of an axis.
class StepModes {
public:
    explicit StepModes(const Residues& r) : final_(static_cast<double>(r.dc)) {
        for (size_t i = 0; i < r.poles.size(); ++i) {
            const double weight = r.poles[i].conjugatePair ? 2 : 1;
            poles_.emplace_back(static_cast<double>(r.poles[i].p.real()), static_cast<double>(r.poles[i].p.imag()));
            residues_.push_back(weight * std::complex<double>(static_cast<double>(r.step[i].real()),
                                                              static_cast<double>(r.step[i].imag())));
        }
    }
    double Final() const { return final_; }
    double FastestRinging() const {
        double fastest = 0;
        for (const auto& p : poles_) fastest = std::max(fastest, std::fabs(p.imag()));
        return fastest;
    }
    // An upper bound of |y(t) - final|: the sum of the modes' magnitudes, falling with t.
    double Envelope(double t) const {
        double sum = 0;
        for (size_t i = 0; i < poles_.size(); ++i) sum += std::abs(residues_[i]) * std::exp(poles_[i].real() * t);
        return sum;
    }
    // y(t0 + j dt) - final for j = 0..count-1, mode by mode by the recurrence m(t + dt) = m(t) e^(p dt).
    std::vector<double> Deviations(double t0, double dt, int count) const {
        std::vector<double> d(static_cast<size_t>(count), 0.0);
        for (size_t i = 0; i < poles_.size(); ++i) {
            const std::complex<double> a = std::exp(poles_[i] * dt);
            std::complex<double> term = residues_[i] * std::exp(poles_[i] * t0);
            for (int j = 0; j < count; ++j) {
                d[static_cast<size_t>(j)] += term.real();
                term = {term.real() * a.real() - term.imag() * a.imag(), term.real() * a.imag() + term.imag() * a.real()};
            }
        }
        return d;
    }

private:
    double final_;
    std::vector<std::complex<double>> poles_, residues_;
};

constexpr int kSettlingSamples = 2000;        // at least, up to the envelope's settling
constexpr int kSettlingMostSamples = 400000;  // at most
constexpr int kSamplesPerPeriod = 32;         // of the fastest ringing, so that no peak is missed
constexpr int kSettlingRefinement = 64;       // inside the last step that is outside the band
constexpr double kSettlingBand = 0.01;

// The last time at which the step response of the approximation is outside 1 % of its
// final value (for a highpass or bandpass, which settles at 0, 1 % of the overall gain,
// where a highpass step starts). No deviation outlasts the envelope of the modes, so the
// response is sampled up to where the envelope falls into the band, and the last sampling
// step outside is refined. 0 when the response never leaves the band.
long double StepSettlingTime(const DesignState& state, int approx, long double horizon) {
    const StepModes modes(ComputeResidues(state, approx));
    const double reference = modes.Final() != 0 ? std::fabs(modes.Final()) : static_cast<double>(state.OverallGain);
    const double band = kSettlingBand * reference;
    if (!(modes.Envelope(0) > band)) return 0;
    double lo = 0, hi = static_cast<double>(horizon);
    while (modes.Envelope(hi) > band) lo = hi, hi *= 2;
    for (int k = 0; k < 60; ++k) {
        const double mid = (lo + hi) / 2;
        (modes.Envelope(mid) > band ? lo : hi) = mid;
    }
    const double span = hi, periods = span * modes.FastestRinging() / (2 * kPi);
    const int count = static_cast<int>(
        std::clamp<double>(periods * kSamplesPerPeriod, kSettlingSamples, kSettlingMostSamples));
    const double dt = span / (count - 1);
    const std::vector<double> coarse = modes.Deviations(0, dt, count);
    int last = count - 1;
    while (last >= 0 && std::fabs(coarse[static_cast<size_t>(last)]) <= band) --last;
    if (last < 0) return 0;
    const double fine = dt / kSettlingRefinement;
    const std::vector<double> close = modes.Deviations(last * dt, fine, kSettlingRefinement + 1);
    int k = kSettlingRefinement;
    while (k > 0 && std::fabs(close[static_cast<size_t>(k)]) <= band) --k;
    return last * dt + k * fine;
}

// The time span ends after every usable approximation's step response has settled:
// 1.5 times the last time at which any of them is outside 1 % of its final value.
void PrepareTimeSpan(DesignState& state) {
    long double horizon = SettlingHorizon(state);
    if (!(horizon > 0)) horizon = 1;
    long double settled = 0;
    for (int approx = 0; approx <= state.HighestApprox; ++approx)
        if (IsUsable(state, approx)) settled = std::max(settled, StepSettlingTime(state, approx, horizon));
    state.TimeSpan = settled > 0 ? 1.5L * settled : horizon;
    state.TimeExponent = static_cast<std::int16_t>(std::floor(std::log10(static_cast<long double>(state.TimeSpan))));
}

}  // namespace

void BuildFrequencyGrid(DesignState& state) {
    const long double lo = state.FreqLo, hi = state.FreqHi;
    const long double toRad = state.HzUnits ? 2 * kPi : 1;
    for (int j = 0; j < kGridPoints; ++j) {
        const long double fraction = j / 350.0L;
        const long double v = state.LogFrequencyAxis ? Pow10(Log10(lo) + (Log10(hi) - Log10(lo)) * fraction)
                                                     : lo + (hi - lo) * fraction;
        state.FreqGrid[j].F = state.HzUnits ? v : v / (2 * kPi);
        state.FreqGrid[j].W = v * toRad;
    }
}

void BuildTimeGrid(DesignState& state) {
    for (int j = 0; j < kGridPoints; ++j) state.TimeGrid[j] = j * state.TimeSpan / 350;
}

void PrepareRanges(DesignState& state) {
    const bool band = IsBandKind(state.FilterKind);
    const long double center = band ? static_cast<long double>(state.W0) : static_cast<long double>(state.Wpb);
    const long double toDisplay = state.HzUnits ? 1 / (2 * kPi) : 1;
    const long double lo = (band ? center / 2 : center / 10) * toDisplay;
    const long double hi = (band ? 2 * center : 10 * center) * toDisplay;
    // The lower limit is rounded down to one significant digit.
    int e = static_cast<int>(std::floor(std::log10(lo)));
    long double m = lo / std::pow(10.0L, e);
    if (m >= 9.99999L) {
        m = 1;
        ++e;
    } else if (m < 0.99999L) {
        m *= 10;
        --e;
    }
    state.FreqLo = std::trunc(1.001L * m) * std::pow(10.0L, e);
    state.FreqHi = hi;
    BuildFrequencyGrid(state);
    PrepareTimeSpan(state);
    BuildTimeGrid(state);
}

FrequencyPoint IdealResponseAt(const DesignState& state, int approx, long double w) {
    const ApproxRecord& record = state.Approx[approx];
    const long double w2 = w * w;
    const bool allPoleLowpass = AllPoleLowpass(state, approx), allPoleBandpass = AllPoleBandpass(state, approx);
    ResponseAccumulator sum;
    sum.scale = state.OverallGain * record.GainConst;
    for (int k = 1; k <= record.PolePairCount; ++k) {
        const PolePairRecord& pair = state.PolePair[approx][k];
        sum.AddPair(pair.B0, pair.C0, w2, w);
        // Multiplying the scale in pair by pair keeps a high order at a high frequency in range.
        if (allPoleLowpass) sum.scale *= state.Wpb * state.Wpb;
        if (allPoleBandpass) sum.scale *= state.Bpb;
        if (k <= record.ZeroPairCount) sum.scale *= std::fabs(state.ZeroPair[approx][k].Wz2 - w2);
    }
    for (int k = record.PolePairCount + 1; k <= record.ZeroPairCount; ++k)
        sum.scale *= std::fabs(state.ZeroPair[approx][k].Wz2 - w2);
    if (record.HasRealPole) {
        sum.AddRealPole(record.RealPole, w2, w);
        if (allPoleLowpass) sum.scale *= state.Wpb;
    }
    if (record.HasRealPole2) {
        sum.AddRealPole(record.RealPole, w2, w);
        sum.AddRealPole(record.RealPole2, w2, w);
    }
    FrequencyPoint point{};
    point.gainVv = sum.scale / std::sqrt(sum.poles2);
    if (record.HasRealZero) point.gainVv *= w;
    point.gainDb = point.gainVv > 1e-20L ? 20 * Log10(point.gainVv) : -400;
    long double lag = sum.lag.Angle();
    for (int k = 1; k <= record.ZeroPairCount; ++k)
        if (state.Zero[approx][k].Wz < w) lag -= kPi;
    if (record.HasRealZero) lag -= kPi / 2;
    point.phaseRad = lag;
    point.phaseDeg = lag * 180 / kPi;
    point.delaySec = sum.delay;
    for (long double v : {point.gainVv, point.phaseRad, point.delaySec}) CheckFinite(v);
    return point;
}

TimePoint IdealTimeResponseAt(const DesignState& state, int approx, long double t) {
    const Residues r = ComputeResidues(state, approx);
    const TimePoint point{r.dc + SumModes(r.poles, r.step, t), SumModes(r.poles, r.impulse, t)};
    for (long double v : {point.step, point.impulse}) CheckFinite(v);
    return point;
}

void ComputeResponses(DesignState& state, int approx, int first, int last) {
    auto& table = state.IdealResponse[approx];
    for (int j = first; j <= last; ++j) {
        const FrequencyPoint point = IdealResponseAt(state, approx, state.FreqGrid[j].W);
        table[j].GainVv = point.gainVv;
        table[j].GainDb = point.gainDb;
        table[j].PhaseDeg = point.phaseDeg;
        table[j].DelaySec = point.delaySec;
    }
    // Each notch is drawn to the bottom, although the grid rarely hits the zero exactly.
    if (approx == InverseChebyshev || approx == Elliptic) {
        const long double w0 = state.FreqGrid[0].W, w350 = state.FreqGrid[kGridPoints - 1].W;
        for (int k = 1; k <= state.Approx[approx].ZeroPairCount; ++k) {
            const long double wz = state.Zero[approx][k].Wz;
            if (wz == 0 || wz < w0 || wz > w350) continue;
            const long double position = state.LogFrequencyAxis
                                             ? 350 * (Log10(wz) - Log10(w0)) / (Log10(w350) - Log10(w0))
                                             : 350 * (wz - w0) / (w350 - w0);
            const int j = static_cast<int>(std::lround(position));
            if (j < first || j > last) continue;
            table[j].GainVv = 0;
            table[j].GainDb = -200;
        }
    }
    const Residues r = ComputeResidues(state, approx);
    StoreResidues(state, approx, r);
    // The grid is uniform in time: the contribution y_j = w Re(r e^(p t_j)) of a mode obeys
    // y_(j+1) = 2 Re(a) y_j - |a|^2 y_(j-1) with a = e^(p dt) (y_(j+1) = a y_j for a real pole).
    const long double dt = state.TimeSpan / 350;
    const auto count = static_cast<size_t>(last - first + 1);
    std::vector<long double> step(count, r.dc), impulse(count, 0);
    // Mode by mode, so that a mode's recurrence stays in registers; each point still sums
    // the direct term and the modes in the same order.
    for (size_t i = 0; i < r.poles.size(); ++i) {
        const TimePole& pole = r.poles[i];
        const long double weight = pole.conjugatePair ? 2 : 1;
        const Complex m0 = std::exp(pole.p * (first * dt)), a = std::exp(pole.p * dt), m1 = m0 * a;
        const long double twiceRe = pole.conjugatePair ? 2 * a.real() : a.real();
        const long double norm2 = pole.conjugatePair ? std::norm(a) : 0;
        const long double decay = -pole.p.real();
        long double s0 = weight * RealOfProduct(r.step[i], m0), s1 = weight * RealOfProduct(r.step[i], m1);
        long double i0 = weight * RealOfProduct(r.impulse[i], m0), i1 = weight * RealOfProduct(r.impulse[i], m1);
        for (int j = first; j <= last; ++j) {
            if (!(decay * (j * dt) < 50)) break;  // from here on below e^-50 of its residue
            step[static_cast<size_t>(j - first)] += s0;
            impulse[static_cast<size_t>(j - first)] += i0;
            const long double nextStep = twiceRe * s1 - norm2 * s0;
            const long double nextImpulse = twiceRe * i1 - norm2 * i0;
            s0 = s1, s1 = nextStep;
            i0 = i1, i1 = nextImpulse;
        }
    }
    for (int j = first; j <= last; ++j) {
        table[j].Step = step[static_cast<size_t>(j - first)];
        table[j].Impulse = impulse[static_cast<size_t>(j - first)];
    }
}

}  // namespace tavrel
