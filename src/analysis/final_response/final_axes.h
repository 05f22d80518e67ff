#pragma once
#include <string>

#include "core/design_state.h"

namespace tavrel {

// The y axis of the gain tab, from the peak gain of the curves: the -3 dB level drawn below
// the peak, and round upper and lower limits for the linear (V/V) and the dB scale.
struct GainAxis {
    long double peak = 0;
    long double level = 0;    // peak / sqrt 2
    long double levelDb = 0;  // 20·log10 of it
    long double linearTop = 0, linearBottom = 0;
    long double dbTop = 0, dbBottom = 0;
};
GainAxis GainAxisOf(long double peak, const DesignState& state);

// The y axis of the delay tab: a round upper limit and the decimal exponent its label names.
struct DelayAxis {
    long double top = 0;
    int exponent = 0;
    std::string label;  // "Delay (X1e-3 s)"
};
DelayAxis DelayAxisOf(long double largest);

// The y axis of the phase tab from the smallest and largest phase (radians), in degrees or
// radians as the axis shows them.
struct PhaseAxis {
    long double low = 0, high = 0;
};
PhaseAxis PhaseAxisOf(long double low, long double high, bool degrees);

// The axis titles of the plot.
inline const char* FrequencyAxisTitle(bool hzUnits) { return hzUnits ? "Frequency  (Hz)" : "Frequency  (rad/s)"; }
inline const char* GainAxisTitle(bool db) { return db ? "Gain  (dB)" : "Gain  (Vo/Vin)"; }
inline const char* PhaseAxisTitle(bool degrees) { return degrees ? "Phase (degrees)" : "Phase (radians)"; }

}  // namespace tavrel
