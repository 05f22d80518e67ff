#pragma once
#include "circuits/calculation/gain_sensitivities.h"
#include "circuits/records/stage_circuit_record.h"
#include "stages/stage_record.h"

namespace tavrel {

// The tolerances the gain spread assumes, as fractions (the percent entries over 100). They
// are the ±3-sigma limits of each component's relative deviation.
struct SpreadTolerances {
    long double resistor = 0;
    long double capacitor = 0;
    bool capacitorsExact = false;  // exact capacitor values are in place: they add no spread
};

// The variance terms of one stage's gain at one frequency, in dB², and what they add up to.
// Each term is the square of a gain sensitivity times the squared relative deviation of the
// stage parameter it weighs; the terms add as if independent (the linear model).
struct StageSpread {
    long double poleFrequency = 0;        // Pw: resistors and capacitors through wp
    long double thirdPole = 0;            // P3: twin-T, through the network's third pole figure
    long double thirdZero = 0;            // P5: twin-T, through its third zero figure
    long double activePoleFrequency = 0;  // Aw: the op amp's GBW through wp
    long double poleQ = 0;                // PQ
    long double activeQ = 0;              // AQ
    long double zeroFrequency = 0;        // PZ: notch types

    long double PassiveVariance() const { return thirdZero + thirdPole + zeroFrequency + poleQ + poleFrequency; }
    long double ActiveVariance() const { return activeQ + activePoleFrequency; }
    // ±dB: the square roots the tables show.
    long double Passive() const;
    long double Active() const;
    long double Total() const;
};

// The terms from the gain sensitivities g of the stage at the frequency of interest, the
// circuit's sensitivity sums of squares and its op amp (OpAmpGBW, OpAmpGBWTol, the shift
// coefficients). A stage without an op-amp GBW (0: ideal) has no active terms.
StageSpread StageSpreadFrom(const GainSensitivities& g, const StageRecord& stage, const StageCircuitRecord& circuit,
                            const SpreadTolerances& tolerances);

// The same at angular frequency w.
StageSpread StageSpreadAt(const StageRecord& stage, const StageCircuitRecord& circuit,
                          const SpreadTolerances& tolerances, long double w);

}  // namespace tavrel
