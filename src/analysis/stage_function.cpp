#include "analysis/stage_function.h"

#include "analysis/coefficient_family.h"
#include "circuits/stage_type.h"

namespace tavrel {

namespace {

// c0 = 1/a and c1 = b·c0 of a·s^2 + b·s + 1; a zero value stays as it is.
void ToMonic(long double& c0, long double& c1) {
    if (c0 == 0) return;
    c0 = 1 / c0;
    c1 *= c0;
}

}  // namespace

StageFunction ReadStageFunction(CoefficientWork& work, int stageType, int circuitIndex) {
    const CoefficientFamilyRow* row = FindFamilyRow(stageType, circuitIndex);
    const bool third = row != nullptr && row->thirdOrder;
    const bool notch = IsNotch(stageType), first = IsFirstOrder(stageType);
    auto coefficient = [&](int kind, int power) { return StageCoefficient(work, stageType, circuitIndex, kind, power); };
    using namespace CoefficientKind;
    StageFunction f;
    f.n[2] = third ? coefficient(Numerator, 2) : (notch || stageType == StageType::SHP) ? 1 : 0;
    f.n[1] = (notch || stageType == StageType::SBP || third) ? coefficient(Numerator, 1)
             : stageType == StageType::FHP                  ? 1
                                                             : 0;
    f.n[0] = notch ? coefficient(Numerator, 0) : 0;
    if (work.UnitConstantForm && f.n[0] != 0) ToMonic(f.n[0], f.n[1]);
    f.d[2] = third ? coefficient(Denominator, 2) : first ? 0 : 1;
    f.d[1] = first ? 1 : coefficient(Denominator, 1);
    f.d[0] = coefficient(Denominator, 0);
    if (work.UnitConstantForm) ToMonic(f.d[0], f.d[1]);
    if (stageType == StageType::SLP || stageType == StageType::FLP) f.n[0] = f.d[0];
    if (stageType == StageType::SBP && !third) f.n[1] = f.d[1];
    f.n[3] = third ? (stageType == StageType::SLP || stageType == StageType::SBP ? 0 : 1) : 0;
    f.d[3] = third ? 1 : 0;
    f.k = coefficient(GainConstant, 0);
    return f;
}

Complex EvaluateStageFunction(const StageFunction& f, Complex s) {
    const Complex num = ((f.n[3] * s + f.n[2]) * s + f.n[1]) * s + f.n[0];
    const Complex den = ((f.d[3] * s + f.d[2]) * s + f.d[1]) * s + f.d[0];
    return f.k * num / den;
}

}  // namespace tavrel
