#include "circuits/tolerance/op_amp_shift.h"

#include <numbers>

namespace tavrel {

long double OpAmpShiftScale(const StageRecord& stage, const StageCircuitRecord& circuit) {
    if (IsFirstOrderStage(stage.StageType) || !(circuit.OpAmpGBW > 0)) return 0;
    return stage.Wp / (2 * std::numbers::pi_v<long double> * circuit.OpAmpGBW);
}

OpAmpSpreadFactors OpAmpSpreadFactorsOf(const StageRecord& stage, const StageCircuitRecord& circuit) {
    const long double x = OpAmpShiftScale(stage, circuit);
    if (circuit.OpAmpCount > 1) return {circuit.SpreadCoef1 * x * x, circuit.SpreadCoef2 * x * x};
    const long double k1 = circuit.FreqShiftCoef, k2 = circuit.QShiftCoef;
    return {k1 * k1 * x * x, k2 * k2 * x * x};
}

}  // namespace tavrel
