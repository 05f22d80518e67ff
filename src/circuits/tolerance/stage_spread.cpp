#include "circuits/tolerance/stage_spread.h"

#include <cmath>

#include "circuits/equations/sensitivity.h"
#include "circuits/tolerance/op_amp_shift.h"

namespace tavrel {

namespace {

// The sum of the squared sensitivities of one stage parameter, weighed by the squared
// tolerances of the resistors and of the capacitors.
long double SquaredDeviation(const StageCircuitRecord& circuit, int sum, const SpreadTolerances& t) {
    const long double c = t.capacitorsExact ? 0 : t.capacitor;
    const long double squaresR = circuit.SensTotals[static_cast<size_t>(sum + SensSum::Squares + SensSum::Resistors)];
    const long double squaresC = circuit.SensTotals[static_cast<size_t>(sum + SensSum::Squares + SensSum::Capacitors)];
    return c * c * squaresC + t.resistor * t.resistor * squaresR;
}

}  // namespace

long double StageSpread::Passive() const { return std::sqrt(PassiveVariance()); }
long double StageSpread::Active() const { return std::sqrt(ActiveVariance()); }
long double StageSpread::Total() const { return std::sqrt(PassiveVariance() + ActiveVariance()); }

StageSpread StageSpreadFrom(const GainSensitivities& g, const StageRecord& stage, const StageCircuitRecord& circuit,
                            const SpreadTolerances& tolerances) {
    StageSpread s;
    s.poleFrequency = g.w * g.w * SquaredDeviation(circuit, SensSum::PoleFrequency, tolerances);
    // The sums of the twin-T figures are 0 for every other circuit, and so is g.third.
    s.thirdPole = g.third * g.third * SquaredDeviation(circuit, SensSum::ThirdPole, tolerances);
    s.thirdZero = g.third * g.third * SquaredDeviation(circuit, SensSum::ThirdZero, tolerances);
    if (IsFirstOrderStage(stage.StageType)) return s;
    s.poleQ = g.q * g.q * SquaredDeviation(circuit, SensSum::PoleQ, tolerances);
    const long double a = circuit.OpAmpGBWTol / 100;
    const OpAmpSpreadFactors f = OpAmpSpreadFactorsOf(stage, circuit);
    s.activePoleFrequency = a * a * g.w * g.w * f.poleFrequency;
    s.activeQ = a * a * g.q * g.q * f.poleQ;
    if (IsNotchStage(stage.StageType)) s.zeroFrequency = g.z * g.z * SquaredDeviation(circuit, SensSum::ZeroFrequency, tolerances);
    return s;
}

StageSpread StageSpreadAt(const StageRecord& stage, const StageCircuitRecord& circuit,
                          const SpreadTolerances& tolerances, long double w) {
    return StageSpreadFrom(GainSensitivitiesAt(stage, circuit.AuxPoleW, w), stage, circuit, tolerances);
}

}  // namespace tavrel
