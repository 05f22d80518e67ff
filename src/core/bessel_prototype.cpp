#include "core/bessel_prototype.h"

#include <algorithm>
#include <cmath>
#include <fstream>

#include "core/arithmetic_failure.h"
#include "core/math_helpers.h"
#include "core/order_estimate.h"
#include "core/prototypes.h"
#include "core/specification.h"

namespace tavrel {

std::string BesselTableMissingMessage() {
    return std::string("Unable to open file BessRoot.dat. This file ") + "should be in the application directory";
}

std::optional<BesselTable> LoadBesselTable(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    BesselTable table{};
    file.read(reinterpret_cast<char*>(table.data()), kBesselTableBytes);
    if (file.gcount() != kBesselTableBytes) return std::nullopt;
    if (!AllRootsInLeftHalfPlane(table)) return std::nullopt;
    return table;
}

bool AllRootsInLeftHalfPlane(const BesselTable& table) {
    // Order n uses entries 0 .. (n + 1)/2 - 1: the pairs, and for odd n the real root first.
    for (int n = 1; n <= kMaxOrder; ++n)
        for (int j = 0; j < (n + 1) / 2; ++j)
            if (!(BesselTableRoot(table, n, j).sigma > 0)) return false;
    return true;
}

BesselRoot BesselTableRoot(const BesselTable& table, int n, int j) {
    const size_t offset = static_cast<size_t>(n - 1) * 120 + static_cast<size_t>(j) * 12;
    Real48::Bytes sigma{}, omega{};
    for (int i = 0; i < 6; ++i) {
        sigma[i] = table[offset + i];
        omega[i] = table[offset + 6 + i];
    }
    return {Real48::Decode(sigma), Real48::Decode(omega)};
}

long double BesselMagnitudeDb(const BesselTable& table, int n, long double w, long double apb) {
    long double h = 1;
    const bool odd = n % 2 != 0;
    for (int k = 0; k < n / 2; ++k) {
        const BesselRoot r = BesselTableRoot(table, n, k + (odd ? 1 : 0));
        const long double s2 = r.sigma * r.sigma;
        h *= (s2 + r.omega * r.omega) /
             (std::sqrt(s2 + (r.omega + w) * (r.omega + w)) * std::sqrt(s2 + (w - r.omega) * (w - r.omega)));
    }
    if (odd) {
        const long double sr = BesselTableRoot(table, n, 0).sigma;
        h *= sr / std::sqrt(sr * sr + w * w);
    }
    return apb + 20 * Log10(h);
}

long double BesselNormalizingFrequency(const BesselTable& table, int n, long double apb) {
    auto f = [&](long double w) { return BesselMagnitudeDb(table, n, w, apb); };
    long double lo = 0, hi = 1;
    if (f(1) == 0) return 1;
    while (f(hi) > 0) {
        // The poles are divided by this frequency and stored: beyond the stored range there is
        // no prototype. A huge Apb gets here; without the bound the bracket would double on to
        // infinity, where the magnitude is 0 and its attenuation is taken as 20000 dB.
        if (hi > Real48::kMax) throw ArithmeticFailure(kOverflowText);
        lo = hi;
        hi *= 2;
    }
    // 0.0001 dB, and a ten-thousandth of Apb below 1 dB: a passband of 0.001 dB would
    // otherwise end anywhere between 0.0009 and 0.0011 dB.
    const long double tolerance = 0.0001L * std::min(1.0L, apb);
    long double mid, value;
    int steps = 0;
    do {
        // Only an attenuation that no frequency reaches (Apb <= 0) keeps the bisection going.
        if (++steps > 400) throw ArithmeticFailure(kInvalidOperationText);
        mid = lo + (hi - lo) / 2;
        value = f(mid);
        if (value > 0) lo = mid;
        if (value < 0) hi = mid;
    } while (std::fabs(value) > tolerance);
    return mid;
}

void BesselPrototype(DesignState& state, const BesselTable& table) {
    int n = 0;
    long double wn = 1;
    if (state.ForceOrder) {
        n = IsBandKind(state.FilterKind) ? state.ForcedOrder / 2 : state.ForcedOrder;
        wn = BesselNormalizingFrequency(table, n, state.Apb);
    } else if (!(state.Asb > state.Apb)) {
        n = 0;  // no loss asked beyond the passband's: no filter, as for the other approximations
    } else {
        for (int i = 1;; ++i) {
            wn = BesselNormalizingFrequency(table, i, state.Apb);
            // Attenuation at the stopband edge with the roots divided by wn.
            const long double attenuation =
                -(BesselMagnitudeDb(table, i, state.Selectivity * wn, state.Apb) - state.Apb);
            if (attenuation >= state.Asb) {
                n = i;
                break;
            }
            if (i == kMaxOrder) {
                state.Approx[Bessel].Order = kMaxOrder + 1;
                state.Approx[Bessel].OrderTooHigh = 1;
                return;
            }
        }
    }
    if (!SetPrototypeOrder(state, Bessel, n)) return;
    const bool odd = n % 2 != 0;
    long double gain = 1;
    for (int k = 1; k <= n / 2; ++k) {
        const BesselRoot r = BesselTableRoot(table, n, k - 1 + (odd ? 1 : 0));
        StoreNormalizedPolePair(state, Bessel, k, r.sigma / wn, r.omega / wn);
        gain *= state.PolePair[Bessel][k].C0N;
    }
    if (odd) {
        state.Approx[Bessel].RealPoleN = BesselTableRoot(table, n, 0).sigma / wn;
        gain *= state.Approx[Bessel].RealPoleN;
    }
    state.Approx[Bessel].GainConstN = gain;
}

}  // namespace tavrel
