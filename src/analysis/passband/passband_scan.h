#pragma once
#include <functional>
#include <vector>

#include "core/design_state.h"

namespace tavrel {

// The points of a passband scan per passband part (k = 0..350, uniform in frequency).
inline constexpr int kPassbandPoints = 351;

// The passband parts the scans walk, in rad/s: the passband of a lowpass, highpass or bandpass
// filter, the two of a bandstop filter. A part that runs to infinite frequency ends a decade
// above its edge, where every realisable highpass response has settled. None for a
// user-defined filter, which has no specification.
struct PassbandPart {
    long double lo = 0, hi = 0;
};
std::vector<PassbandPart> PassbandParts(const DesignState& state);

// The design gain of the chosen approximation at w in dB relative to the overall gain (the
// passband level the attenuation figures refer to); -1e20 stands for a gain below 1e-20.
long double DesignGainDb(const DesignState& state, long double w);
inline constexpr long double kNoGainDb = -1e20L;

// The deviation of the realised gain from the design gain at one frequency, as a band below
// and above the design curve (in dB, lower ≤ upper): ±S for the spread, the signed change
// twice for the temperature drift.
struct GainDeviation {
    long double lower = 0, upper = 0;
};
using DeviationAt = std::function<GainDeviation(long double w)>;

// Where the passband reaches its extremes once the deviation is added: the lowest design
// gain plus lower deviation (maximum attenuation) and the highest design gain plus upper
// deviation (minimum attenuation), with their frequencies (rad/s).
struct PassbandExtremes {
    long double lowestW = 0, lowest = 0;
    long double highestW = 0, highest = 0;
    bool found = false;  // false without a passband (user-defined filter)
};
PassbandExtremes ScanPassband(const DesignState& state, const DeviationAt& deviation);

// One point of the graphical view: the design curve and the curves of its deviation.
struct PassbandPoint {
    long double w = 0, design = 0, lower = 0, upper = 0;  // rad/s, dB
};
// kPassbandPoints per passband part, uniform in frequency or, with logAxis, in its logarithm
// (a part from 0 starts two decades below its upper edge on a logarithmic axis).
std::vector<PassbandPoint> PassbandCurve(const DesignState& state, const DeviationAt& deviation, bool logAxis);

}  // namespace tavrel
