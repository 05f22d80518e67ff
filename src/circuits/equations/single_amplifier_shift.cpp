#include "circuits/equations/single_amplifier_shift.h"

#include <cmath>

namespace tavrel {

OpAmpShift SingleAmplifierShift(long double a0, long double a1, long double noiseGain, long double b1,
                                long double b0) {
    // Per unit 1/wt: d ln A0 = -N·(b1 - a1), dA1 = N·((b0 - a0) - a1·(b1 - a1)); realised
    // wp = W·(1 - k1·W/wt) and Qp = Q·(1 - k2·W/wt).
    const long double w = std::sqrt(a0);
    OpAmpShift k;
    k.k1 = noiseGain * (b1 - a1) / (2 * w);
    k.k2 = k.k1 + noiseGain * ((b0 - a0) - a1 * (b1 - a1)) / (a1 * w);
    return k;
}

}  // namespace tavrel
