#pragma once

namespace tavrel {

struct OpAmpShift {
    long double k1 = 0, k2 = 0;
};

// k1 and k2 of a single-amplifier biquad whose op amp has the gain wt/s. Its characteristic
// polynomial is then s² + a1·s + a0 + (s/wt)·N·(s² + b1·s + b0), with N the noise gain of the
// amplifier at high frequency and s² + b1·s + b0 the network's polynomial seen from the op
// amp's output. Matching it to (1 + s·N/wt)·(s² + A1·s + A0) to first order in 1/wt gives the
// shifts of A0 = wp² and A1 = wp/Qp, so the formulas hold at Qp = 0.5 as well.
OpAmpShift SingleAmplifierShift(long double a0, long double a1, long double noiseGain, long double b1,
                                long double b0);

}  // namespace tavrel
