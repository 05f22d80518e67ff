#pragma once
#include <cmath>
#include <vector>

#include "core/design_state.h"

namespace tavrel::test {

// A design's pole and zero tables written by hand (approximation slot 0).
struct HandPair {
    long double q, wp;
};

struct HandDesign {
    std::vector<HandPair> pairs;
    std::vector<long double> zeroPairs;  // wz of each zero pair, 0 = double zero at the origin
    std::vector<long double> realPoles;  // at most two
    bool realZero = false;
};

inline DesignState MakeHandDesign(const HandDesign& hand) {
    DesignState state;
    ApproxRecord& record = state.Approx[0];
    record.PolePairCount = static_cast<std::int16_t>(hand.pairs.size());
    for (size_t k = 0; k < hand.pairs.size(); ++k) {
        const HandPair& pair = hand.pairs[k];
        PolePairRecord& table = state.PolePair[0][k + 1];
        table.Qp = pair.q;
        table.W0p = pair.wp;
        table.B0 = pair.wp / pair.q;
        table.C0 = pair.wp * pair.wp;
        const long double sigma = pair.wp / (2 * pair.q);
        state.Pole[0][k + 1].Sigma = sigma;
        state.Pole[0][k + 1].Omega = std::sqrt(std::fabs(pair.wp * pair.wp - sigma * sigma));
    }
    record.ZeroPairCount = static_cast<std::int16_t>(hand.zeroPairs.size());
    for (size_t k = 0; k < hand.zeroPairs.size(); ++k) {
        state.Zero[0][k + 1].Wz = hand.zeroPairs[k];
        state.ZeroPair[0][k + 1].Wz2 = hand.zeroPairs[k] * hand.zeroPairs[k];
    }
    if (!hand.realPoles.empty()) {
        record.HasRealPole = 1;
        record.RealPole = hand.realPoles[0];
    }
    if (hand.realPoles.size() > 1) {
        record.HasRealPole2 = 1;
        record.RealPole2 = hand.realPoles[1];
    }
    record.HasRealZero = hand.realZero ? 1 : 0;
    state.ApproxIndex = 0;
    return state;
}

}  // namespace tavrel::test
