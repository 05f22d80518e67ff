#include "core/transform.h"

#include <cmath>

#include "core/math_helpers.h"
#include "core/number_format.h"

namespace tavrel {

std::string GainSciText(long double x) { return Sci(x, 7, 5); }

std::string SciPower(ApproxRecord& record, long double base, int n) {
    int d = 0;
    while (base > 1) {
        base *= 0.1L;
        ++d;
    }
    long double mantissa = record.GainConstN * Pow10(n * Log10(base));
    int e = 0;
    if (mantissa != 0) {
        while (mantissa >= 10) {
            mantissa /= 10;
            ++e;
        }
        while (mantissa < 1) {
            mantissa *= 10;
            --e;
        }
    }
    record.GainConstN = mantissa;
    const int exponent = e + d * n;
    return Fixed(record.GainConstN, 7, 5) + (exponent < 0 ? " E" : " E+") + std::to_string(exponent);
}

long double PrototypeScale(const DesignState& state, int approx) {
    if (approx == InverseChebyshev) return state.Wsb;
    if (approx == Elliptic) return std::sqrt(state.Wpb * state.Wsb);
    return state.Wpb;
}

namespace {

long double EvenOrderRipple(const DesignState& state, int approx, int n) {
    const bool rippled = approx == Chebyshev || approx == Elliptic;
    return rippled && n % 2 == 0 ? Pow10(-state.Apb / 20) : 1;
}

// An elliptic filter of order 1 is the inverse Chebyshev one of the same Calculate,
// as long as that one is of order 1 too.
bool EllipticUsesInverseChebyshev(const DesignState& state, int approx, int n) {
    const ApproxRecord& inverse = state.Approx[InverseChebyshev];
    const int inverseOrder = state.FilterKind == FilterKind::Bandpass ? inverse.Order / 2 : inverse.Order;
    return approx == Elliptic && n == 1 && !inverse.OrderTooHigh && !state.ApproxFailed[InverseChebyshev] &&
           inverseOrder == 1;
}

void TransformLowpass(DesignState& state, int approx) {
    ApproxRecord& record = state.Approx[approx];
    const long double w = PrototypeScale(state, approx);
    const int n = record.Order;
    if (record.HasRealPole) record.RealPole = w * record.RealPoleN;
    for (int k = 1; k <= record.PolePairCount; ++k) {
        PolePairRecord& pair = state.PolePair[approx][k];
        pair.B0 = w * pair.B0N;
        pair.C0 = w * w * pair.C0N;
        pair.W0p = std::sqrt(pair.C0);
    }
    if (IsAllPole(approx)) {
        for (int k = 1; k <= record.PolePairCount; ++k) {
            PoleEntry& pole = state.Pole[approx][k];
            pole.Sigma = w * pole.SigmaN;
            pole.Omega = w * pole.OmegaN;
        }
        record.GainText = SciPower(record, w, n);
        return;
    }
    if (n % 2 != 0) record.GainConst = w * record.GainConst;
    if (approx == Elliptic && state.ForceOrder && EllipticUsesInverseChebyshev(state, approx, n)) {
        record.GainConst = state.Approx[InverseChebyshev].GainConst;
        record.RealPole = state.Approx[InverseChebyshev].RealPole;
    }
    for (int k = 1; k <= record.PolePairCount; ++k) {
        PolePairRecord& pair = state.PolePair[approx][k];
        PoleEntry& pole = state.Pole[approx][k];
        state.ZeroPair[approx][k].Wz2 = w * w * state.ZeroPair[approx][k].Wz2N;
        if (approx == InverseChebyshev) {
            pole.Sigma = pair.B0 / 2;
            pole.Omega = std::sqrt(pair.C0 - pole.Sigma * pole.Sigma);
        } else {
            pole.Sigma = w * pole.SigmaN;
            pole.Omega = w * pole.OmegaN;
        }
        state.Zero[approx][k].Wz = w * state.Zero[approx][k].WzN;
    }
    record.GainText = GainSciText(record.GainConst);
}

void TransformHighpass(DesignState& state, int approx) {
    ApproxRecord& record = state.Approx[approx];
    const long double w = PrototypeScale(state, approx);
    const int n = record.Order;
    if (record.HasRealPole) {
        record.RealPole = w / record.RealPoleN;
        if (approx == Elliptic && state.ForceOrder && EllipticUsesInverseChebyshev(state, approx, n))
            record.RealPole = state.Approx[InverseChebyshev].RealPole;
        record.HasRealZero = 1;
        record.RealZero = 0;
    }
    const bool allPole = IsAllPole(approx);
    if (allPole) record.ZeroPairCount = record.PolePairCount;
    for (int k = 1; k <= record.PolePairCount; ++k) {
        PolePairRecord& pair = state.PolePair[approx][k];
        PoleEntry& pole = state.Pole[approx][k];
        pair.B0 = w * pair.B0N / pair.C0N;
        pair.C0 = w * w / pair.C0N;
        pair.W0p = std::sqrt(pair.C0);
        pole.Sigma = w * pole.SigmaN / pair.C0N;
        pole.Omega = w * pole.OmegaN / pair.C0N;
        ZeroPairRecord& zero = state.ZeroPair[approx][k];
        zero.Wz2 = allPole ? 0 : w * w / zero.Wz2N;
        state.Zero[approx][k].Wz = std::sqrt(static_cast<long double>(zero.Wz2));
    }
    record.GainConst = approx == InverseChebyshev ? 1 : EvenOrderRipple(state, approx, n);
    record.GainText.clear();
}

void TransformBandpass(DesignState& state, int approx) {
    ApproxRecord& record = state.Approx[approx];
    auto& pairs = state.PolePair[approx];
    auto& zeros = state.ZeroPair[approx];
    const int n = record.Order;
    const int p = n / 2;
    const bool bandstop = state.BandstopPass;
    const bool allPole = IsAllPole(approx);
    const long double b = state.Bpb;
    const long double w = state.W0 * state.W0;
    const long double rho = bandstop ? state.Bpb / state.Bsb : state.Bsb / state.Bpb;
    const long double s = std::sqrt(rho);
    const bool copiesInverse = EllipticUsesInverseChebyshev(state, approx, n);

    // 1. Finite-zero prototypes get their passband edge at 1.
    if (approx == InverseChebyshev || approx == Elliptic) {
        const long double poleScale = approx == InverseChebyshev ? rho : s;
        const long double squareScale = approx == InverseChebyshev ? rho * rho : rho;
        if (n % 2 != 0) {
            record.RealPoleN = poleScale * record.RealPoleN;
            record.GainConst = b * poleScale * record.GainConst;
            if (copiesInverse) {
                record.RealPoleN = state.Approx[InverseChebyshev].RealPoleN;
                record.GainConst = state.Approx[InverseChebyshev].GainConst;
            }
        }
        for (int k = 1; k <= p; ++k) {
            pairs[k].B0N = poleScale * pairs[k].B0N;
            pairs[k].C0N = squareScale * pairs[k].C0N;
            zeros[k].Wz2N = squareScale * zeros[k].Wz2N;
        }
    }
    // 2. A bandstop maps the inverted (highpass) prototype.
    if (bandstop) {
        if (n % 2 != 0) record.RealPoleN = 1 / record.RealPoleN;
        for (int k = 1; k <= p; ++k) {
            pairs[k].B0N = pairs[k].B0N / pairs[k].C0N;
            pairs[k].C0N = 1 / pairs[k].C0N;
            if (!allPole) zeros[k].Wz2N = 1 / zeros[k].Wz2N;
        }
    }
    // 3. The real pole becomes pole pair N.
    if (n % 2 != 0) {
        if (copiesInverse) {
            pairs[n] = state.PolePair[InverseChebyshev][n];
            zeros[n] = state.ZeroPair[InverseChebyshev][n];
            if (!bandstop) record.HasRealZero = 1;
        } else {
            pairs[n].B0 = record.RealPoleN * b;
            pairs[n].C0 = w;
            pairs[n].W0p = std::sqrt(w);
            pairs[n].Qp = pairs[n].W0p / pairs[n].B0;
            record.RealZero = 0;
            zeros[n].Wz2 = bandstop ? w : 0;
            if (!bandstop) record.HasRealZero = 1;
        }
        record.HasRealPole = 0;
    }
    // 4. Each prototype pair becomes two pairs of equal Q around the center.
    for (int k = 1; k <= p; ++k) {
        const long double bk = pairs[k].B0N, ck = pairs[k].C0N;
        const long double e = b * b * ck + 4 * w;
        const long double f = (state.W0 * b * bk) * (state.W0 * b * bk);
        const long double g = e / 2 + std::sqrt((e / 2) * (e / 2) - f);
        const long double wa = std::sqrt(g) / 2 + std::sqrt(g / 4 - w);
        const long double wb = w / wa;
        const long double q = (wa + wb) / (b * bk);
        for (auto [index, w0] : {std::pair{k, wa}, std::pair{p + k, wb}}) {
            pairs[index].W0p = w0;
            pairs[index].Qp = q;
            pairs[index].B0 = w0 / q;
            pairs[index].C0 = w0 * w0;
        }
        if (allPole) {
            zeros[k].Wz2 = zeros[p + k].Wz2 = bandstop ? w : 0;
        } else {
            const long double t = b * b * zeros[k].Wz2N / (2 * w) + 1;
            const long double u = std::sqrt(t * t - 1);
            zeros[k].Wz2 = (t - u) * w;
            zeros[p + k].Wz2 = (t + u) * w;
        }
    }
    // 5. Pole entries; a pair below Q = 0.5 keeps sqrt|Sigma^2 - C0| here and is
    //    treated as two real poles by the responses.
    for (int j = 1; j <= n; ++j) {
        PoleEntry& pole = state.Pole[approx][j];
        pole.Sigma = pairs[j].B0 / 2;
        pole.Omega = std::sqrt(std::fabs(pole.Sigma * pole.Sigma - pairs[j].C0));
    }
    // 6. Zero entries.
    for (int j = 1; j <= 2 * p; ++j) state.Zero[approx][j].Wz = std::sqrt(static_cast<long double>(zeros[j].Wz2));
    if (n % 2 != 0) state.Zero[approx][n].Wz = std::sqrt(static_cast<long double>(zeros[n].Wz2));
    // 7. Zero counts.
    record.ZeroPairCount = static_cast<std::int16_t>(bandstop ? n : (allPole ? p : 2 * p));
    // 8. Gain constant.
    if (bandstop) record.GainConst = EvenOrderRipple(state, approx, n);
    if (allPole && !bandstop) {
        record.GainConstN = 1;
        record.GainText = SciPower(record, b, n);
    } else {
        record.GainText = GainSciText(record.GainConst);
    }
    // 9. Counts of the final filter.
    record.PolePairCount = static_cast<std::int16_t>(n);
    record.Order = static_cast<std::int16_t>(2 * n);
}

}  // namespace

void Transform(DesignState& state) {
    const int approx = state.ApproxIndex;
    state.Approx[approx].GainConst = state.Approx[approx].GainConstN;
    switch (state.FilterKind) {
        case FilterKind::Lowpass: TransformLowpass(state, approx); break;
        case FilterKind::Highpass: TransformHighpass(state, approx); break;
        case FilterKind::Bandpass: TransformBandpass(state, approx); break;
        default: break;
    }
}

}  // namespace tavrel
