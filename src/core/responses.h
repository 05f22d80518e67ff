#pragma once
#include "core/design_state.h"

namespace tavrel {

// Default frequency range, frequency grid, time span and time grid of the ideal responses.
void PrepareRanges(DesignState& state);
// The frequency grid of FreqLo..FreqHi (display unit) on a log or linear axis.
void BuildFrequencyGrid(DesignState& state);
// The time grid of TimeSpan.
void BuildTimeGrid(DesignState& state);

// Fills the response table of one approximation for points first..last.
void ComputeResponses(DesignState& state, int approx, int first = 0, int last = kGridPoints - 1);

// The point calculator: the same formulas at one frequency or time.
struct FrequencyPoint {
    long double gainVv, gainDb, phaseRad, phaseDeg, delaySec;
};
FrequencyPoint IdealResponseAt(const DesignState& state, int approx, long double w);
struct TimePoint {
    long double step, impulse;
};
TimePoint IdealTimeResponseAt(const DesignState& state, int approx, long double t);

}  // namespace tavrel
