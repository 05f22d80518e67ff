#pragma once
#include "circuits/catalog/circuit_definition.h"
#include "circuits/network/stage_function.h"

namespace tavrel {

// What a stage function realises: the pole pair with its Q (for a third-order circuit the
// complex pair of the cubic, with its real pole p3), the zero pair of the notch types with its
// Q, the corner frequency of a first-order stage, and the gain constant. A figure the
// coefficients do not give (a negative d0, roots off their usual places) is NaN; figures the
// stage type has not are 0.
struct RealizedFigures {
    long double wp = 0, qp = 0, wz = 0, qz = 0, wc = 0, gain = 0, p3 = 0;
};

RealizedFigures RealizedFiguresOf(const StageFunction& f, const CircuitDefinition& circuit);

}  // namespace tavrel
