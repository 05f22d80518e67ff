#include "core/pole_zero_listing.h"

#include <cmath>

#include "core/number_format.h"

namespace tavrel {

namespace {

constexpr const char* kPlusMinus = "\u00B1";
constexpr const char* kInfinity = "\u221E";

std::string Root(long double x) { return TrimLeading(Sci(x, 7, 4)); }

std::string Named(const char* name) {
    std::string s = name;
    s.resize(13, ' ');
    return s;
}

std::string Frequency(const DesignState& state, bool pole, long double w) {
    const char* label = pole ? (state.HzUnits ? "f0" : "w0") : (state.HzUnits ? "fz" : "wz");
    return std::string(label) + " = " + FormatFrequency(w, state.HzUnits);
}

std::string QText(long double q) { return "   Q =" + Fixed(q, 7, 4); }

}  // namespace

std::vector<std::string> PoleZeroListing(const DesignState& state, int approx) {
    std::vector<std::string> lines;
    const ApproxRecord& r = state.Approx[approx];
    if (r.OrderTooHigh) return lines;
    for (int k = 1; k <= r.PolePairCount; ++k) {
        const PolePairRecord& pair = state.PolePair[approx][k];
        std::string root;
        if (pair.B0 * pair.B0 > 4 * pair.C0) {  // below Q = 0.5 the pair is two real poles
            const long double sigma = pair.B0 / 2, d = std::sqrt(sigma * sigma - pair.C0);
            root = "p = " + Root(-(sigma - d)) + ", " + Root(-(sigma + d));
        } else {
            const PoleEntry& pole = state.Pole[approx][k];
            root = "p = " + Root(-pole.Sigma) + " " + kPlusMinus + " j" + Root(pole.Omega);
        }
        lines.push_back(Named("Pole pair") + Frequency(state, true, pair.W0p) + QText(pair.Qp) + "   " + root);
    }
    if (r.HasRealPole)
        lines.push_back(Named("Single pole") + Frequency(state, true, r.RealPole) + "   p = " + Root(-r.RealPole));
    if (r.HasRealPole2)
        lines.push_back(Named("Single pole") + Frequency(state, true, r.RealPole2) + "   p = " + Root(-r.RealPole2));
    for (int k = 1; k <= r.ZeroPairCount; ++k) {
        const long double wz = state.Zero[approx][k].Wz;
        const std::string root = wz == 0 ? "z = 0, 0" : std::string("z = ") + kPlusMinus + " j" + Root(wz);
        lines.push_back(Named("Zero pair") + Frequency(state, false, wz) + "   " + root);
    }
    if (r.HasRealZero)
        lines.push_back(Named("Single zero") + Frequency(state, false, r.RealZero) + "   z = " + Root(r.RealZero));

    // The zeros a transfer function has beyond its finite ones lie at infinity.
    const int poles = 2 * r.PolePairCount + r.HasRealPole + r.HasRealPole2;
    const int finiteZeros = 2 * r.ZeroPairCount + r.HasRealZero;
    const std::string atInfinity = (state.HzUnits ? "fz" : "wz") + std::string(" = ") + kInfinity;
    for (int i = 0; i < (poles - finiteZeros) / 2; ++i) lines.push_back(Named("Zero pair") + atInfinity);
    if ((poles - finiteZeros) % 2 == 1) lines.push_back(Named("Single zero") + atInfinity);
    return lines;
}

}  // namespace tavrel
