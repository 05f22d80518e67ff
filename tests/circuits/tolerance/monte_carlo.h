#pragma once
// The gain spread measured by drawing component values: every resistor and capacitor
// independently normal about its designed value with 3 sigma at its tolerance, the gain in dB
// of the realised stage function at one frequency, and three standard deviations of it.
#include <cmath>
#include <random>

#include "circuits/network/nodal_analysis.h"
#include "circuits/network/stage_function.h"
#include "circuits/tolerance/stage_spread.h"

namespace tavrel::tolerance_testing {

// The gain of the realised stage function at w, in dB.
inline long double GainDb(const CircuitDefinition& circuit, const ComponentValues& values, long double w) {
    return 20 * std::log10(std::abs(EvaluateStageFunction(StageFunctionOf(circuit, values), Complex(0, w))));
}

// The same gain solved directly from the nodal equations at one frequency (ideal op amps):
// the samples of a Monte Carlo need only that one point.
inline long double NodalGainDb(const CircuitDefinition& circuit, const ComponentValues& values, long double w) {
    return 20 * std::log10(std::abs(NodalResponse(circuit.plain.topology, values, Complex(0, w))));
}

inline long double MonteCarloSpread(const CircuitDefinition& circuit, const StageCircuitRecord& record, long double w,
                                    const SpreadTolerances& t, int samples) {
    std::mt19937_64 random(17);
    std::normal_distribution<double> normal(0.0, 1.0);
    const ComponentValues nominal = ValuesOf(record);
    long double sum = 0, squares = 0;
    for (int k = 0; k < samples; ++k) {
        ComponentValues v = nominal;
        for (int i = 1; i <= record.ResistorCount; ++i) v.R[static_cast<size_t>(i)] *= 1 + t.resistor / 3 * normal(random);
        for (int j = 1; j <= record.CapacitorCount; ++j) v.C[static_cast<size_t>(j)] *= 1 + t.capacitor / 3 * normal(random);
        const long double g = NodalGainDb(circuit, v, w);
        sum += g;
        squares += g * g;
    }
    const long double mean = sum / samples;
    return 3 * std::sqrt(std::max(0.0L, squares / samples - mean * mean));
}

}  // namespace tavrel::tolerance_testing
