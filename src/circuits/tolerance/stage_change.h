#pragma once
#include "circuits/calculation/gain_sensitivities.h"
#include "circuits/records/stage_circuit_record.h"
#include "stages/stage_record.h"

namespace tavrel {

// The temperature coefficients of the passive components (per deg C) and the temperature
// range (deg C) the gain change is computed for.
struct TemperatureSettings {
    long double resistor = 0;
    long double capacitor = 0;
    long double range = 0;
};

// The terms of one stage's gain change per deg C, in dB, and what they add up to over the
// range. Unlike the spread, the deviations are deterministic and signed, so they add linearly.
struct StageChange {
    long double poleFrequency = 0;        // Tw
    long double thirdPole = 0;            // T3: twin-T
    long double thirdZero = 0;            // T5: twin-T
    long double poleQ = 0;                // TQ
    long double zeroFrequency = 0;        // TZ: notch types
    long double activePoleFrequency = 0;  // Aw: the op amp's GBW drift through wp
    long double activeQ = 0;              // AQ
    long double range = 0;                // deg C

    long double Passive() const { return range * (thirdZero + thirdPole + zeroFrequency + poleQ + poleFrequency); }
    long double Active() const { return range * (activeQ + activePoleFrequency); }
    long double Total() const { return Passive() + Active(); }
};

// The terms from the gain sensitivities g at the frequency of interest, the circuit's signed
// sensitivity sums, its shift coefficients and its op amp (OpAmpGBW, OpAmpGBWTC).
//
// The op-amp terms: GBW·(1 + aA·dT) moves wp relatively by k1·aA·dT·wp/(2·pi·GBW) and Qp by
// k2 times the same, so Aw = aA·k1·(wp/(2·pi·GBW))·GW, the scale of the spread's active terms.
StageChange StageChangeFrom(const GainSensitivities& g, const StageRecord& stage, const StageCircuitRecord& circuit,
                            const TemperatureSettings& settings);

StageChange StageChangeAt(const StageRecord& stage, const StageCircuitRecord& circuit,
                          const TemperatureSettings& settings, long double w);

}  // namespace tavrel
