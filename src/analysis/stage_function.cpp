#include "analysis/stage_function.h"

#include <cmath>

#include "analysis/coefficient_family.h"
#include "circuits/stage_type.h"
#include "core/math_helpers.h"

namespace tavrel {

namespace {

// c0 = 1/a and c1 = b·c0 of a·s^2 + b·s + 1; a zero value stays as it is.
void ToMonic(long double& c0, long double& c1) {
    if (c0 == 0) return;
    c0 = 1 / c0;
    c1 *= c0;
}

Complex Cubic(const std::array<long double, 4>& p, Complex s) { return ((p[3] * s + p[2]) * s + p[1]) * s + p[0]; }

// The angle of a complex value in [-pi/2, 3pi/2), with the arctangent of Im/Re.
long double Angle(Complex p) {
    constexpr long double kNearZero = 1e-20L;
    const long double re = p.real(), im = p.imag();
    if (im == 0) return re > 0 ? 0 : kPi;
    if (std::fabs(re) < kNearZero) return im > 0 ? kPi / 2 : 3 * kPi / 2;
    return std::atan(im / re) + (re > 0 ? 0 : kPi);
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

long double StagePhase(const StageFunction& f, long double w) {
    const Complex s(0, w);
    return Angle(Cubic(f.n, s)) - Angle(Cubic(f.d, s));
}

Complex EvaluateStageFunction(const StageFunction& f, Complex s) { return f.k * Cubic(f.n, s) / Cubic(f.d, s); }

}  // namespace tavrel
