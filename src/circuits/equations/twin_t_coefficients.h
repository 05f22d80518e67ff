#pragma once
#include <array>

#include "circuits/equations/design_notch_common.h"

namespace tavrel {

// The cubics of the third-order notch circuits as ratios of polynomials in the component
// values (written from the netlist templates by tools/derive_twin_t_coefficients.py).
// Denominator s³ + d2·s² + d1·s + d0 and the monic numerator s³ + n2·s² + n1·s + n0.
using ComponentPolynomial = long double (*)(const ComponentValues& v);

struct CubicCoefficient {
    ComponentPolynomial numerator;
    ComponentPolynomial denominator;
};

struct CubicPolynomials {
    std::array<CubicCoefficient, 3> d;  // d0, d1, d2
    std::array<CubicCoefficient, 3> n;  // n0, n1, n2
};

const CubicPolynomials& SlpnTwinTCubics();      // Twin-T Second Order Lowpass Notch
const CubicPolynomials& ShpnTwinTCubics();      // Twin-T Second Order Highpass Notch
const CubicPolynomials& SallenKeyNotchCubics(); // Sallen-Key (SK) Second Order Notch
const CubicPolynomials& TwinTNotchCubics();     // Twin-T Second Order Notch I and II

long double Evaluate(const CubicCoefficient& coefficient, const ComponentValues& values);

// S_x of the coefficient for every component x of the circuit: each polynomial is linear in
// every single component, so x·dP/dx = P - P(x = 0).
ComponentFigures LogSensitivities(const CubicCoefficient& coefficient, const ComponentValues& values,
                                  int resistorCount, int capacitorCount);

}  // namespace tavrel

namespace tavrel {

// The pole and zero slots of a third-order circuit through SensitivityTransform: the
// classical sensitivities of d0, d1, d2 with the weights 1, poleWeight, poleWeight and the
// pole flag, then those of n0, n1, n2 with the weights 1, 1, 1.
void CubicSlotsThroughMatrix(StageCircuitRecord& record, int stageType, long double qp, const CubicPolynomials& cubics,
                             long double poleWeight);

}  // namespace tavrel
