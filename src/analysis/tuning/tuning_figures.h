#pragma once
#include <complex>

#include "circuits/records/design.h"

namespace tavrel {

// What the tuning report needs of a stage: its type, pole and zero data (rad/s), corner of a
// first-order stage, its gain constant K (the gain the circuit realises: at DC for the lowpass
// types, at fp for a bandpass, at infinite frequency for the highpass and notch types) and
// whether the circuit's output is inverted.
struct TuningStage {
    int stageType = 0;
    long double wp = 0, qp = 0, wz = 0, wc = 0;
    long double gain = 0;
    bool inverting = false;
};

// The stage s of a design with its chosen circuit.
TuningStage TuningStageOf(const Design& design, int s);

// The stage's ideal response K·N(jw)/D(jw), scaled so that K is its gain where the type says;
// without the inversion of an inverting circuit.
std::complex<long double> IdealStageGain(const TuningStage& stage, long double w);

// The phase in degrees that a meter at the stage's output shows at w: the ideal phase, plus
// 180 for an inverting circuit, in (-180, 180].
long double TuningPhase(const TuningStage& stage, long double w);

// (wz/wp)^2, the ratio of a notch stage's gain at DC to its gain at infinite frequency.
long double NotchRatio(const TuningStage& stage);

// The maximum of a lowpass, highpass or notch stage's gain away from its passbands.
struct ResponsePeak {
    bool present = false;
    long double w = 0;     // rad/s
    long double gain = 0;  // V/V
};

// A response peaks when Qp exceeds 1/sqrt(2) (by a hundred-thousandth, so that a maximally flat
// stage stored with rounding noise has no peak); for a notch stage moreover only when its one
// stationary point lies at a real frequency, which a zero close to the pole pair prevents.
ResponsePeak PeakOf(const TuningStage& stage);

// The frequency where the gain is 3 dB below the passband gain: the corner of a first-order
// stage; for the second-order lowpass, highpass and notch types the edge of the passband next
// to the pole pair (for a notch stage measured from its gain at DC (SLPN) or at infinite
// frequency (SHPN)). Only meaningful without a peak, where the edge is unique.
long double MinusThreeDbFrequency(const TuningStage& stage);

// wp·(sqrt(4·Qp² + 1) ∓ 1)/(2·Qp): where a pole pair's phase is 45 degrees from its phase at wp,
// and where a bandpass is 3 dB down.
struct FrequencyPair {
    long double lower = 0, upper = 0;
};
FrequencyPair FortyFiveDegreeFrequencies(const TuningStage& stage);

}  // namespace tavrel
