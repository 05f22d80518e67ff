#include "circuits/tolerance/stage_change.h"

#include "circuits/equations/sensitivity.h"
#include "circuits/tolerance/op_amp_shift.h"

namespace tavrel {

namespace {

// The relative deviation of one stage parameter per deg C: the signed sensitivity sums over
// the resistors and over the capacitors times their coefficients.
long double RelativeDrift(const StageCircuitRecord& circuit, int sum, const TemperatureSettings& t) {
    const long double sumR = circuit.SensTotals[static_cast<size_t>(sum + SensSum::Resistors)];
    const long double sumC = circuit.SensTotals[static_cast<size_t>(sum + SensSum::Capacitors)];
    return t.capacitor * sumC + t.resistor * sumR;
}

}  // namespace

StageChange StageChangeFrom(const GainSensitivities& g, const StageRecord& stage, const StageCircuitRecord& circuit,
                            const TemperatureSettings& settings) {
    StageChange c;
    c.range = settings.range;
    c.poleFrequency = RelativeDrift(circuit, SensSum::PoleFrequency, settings) * g.w;
    c.thirdPole = RelativeDrift(circuit, SensSum::ThirdPole, settings) * g.third;
    c.thirdZero = RelativeDrift(circuit, SensSum::ThirdZero, settings) * g.third;
    if (IsFirstOrderStage(stage.StageType)) return c;
    c.poleQ = RelativeDrift(circuit, SensSum::PoleQ, settings) * g.q;
    const long double drift = circuit.OpAmpGBWTC * OpAmpShiftScale(stage, circuit);
    c.activePoleFrequency = drift * circuit.FreqShiftCoef * g.w;
    c.activeQ = drift * circuit.QShiftCoef * g.q;
    if (IsNotchStage(stage.StageType)) c.zeroFrequency = RelativeDrift(circuit, SensSum::ZeroFrequency, settings) * g.z;
    return c;
}

StageChange StageChangeAt(const StageRecord& stage, const StageCircuitRecord& circuit,
                          const TemperatureSettings& settings, long double w) {
    return StageChangeFrom(GainSensitivitiesAt(stage, circuit.AuxPoleW, w), stage, circuit, settings);
}

}  // namespace tavrel
