#pragma once
#include <array>

#include "circuits/records/stage_circuit_record.h"

namespace tavrel {

// Component values by number for the polynomials below: v.R[i] is Ri, v.C[j] is Cj (index 0 unused).
struct TwinTValues {
    std::array<long double, kMaxResistors + 1> R{};
    std::array<long double, kMaxCapacitors + 1> C{};
};

// A polynomial in the component values that holds every component at most to the first power.
using TwinTPolynomial = long double (*)(const TwinTValues& v);

// The denominator cubic of a twin-T highpass or bandpass circuit, s³ + d2·s² + d1·s + d0,
// as di = numerator[i] / common denominator (from nodal analysis of the netlist template).
struct TwinTCubic {
    std::array<TwinTPolynomial, 3> numerators;
    TwinTPolynomial denominator;
};

const TwinTCubic& HighpassTwinTCubic();  // Twin-T Second Order Highpass
// Twin-T Second Order Lowpass: the input enters through R1 instead of C1 and C1 goes to
// ground instead of R1; with the input grounded the two networks are one, so is the cubic.
const TwinTCubic& LowpassTwinTCubic();
const TwinTCubic& BandpassTwinTCubic();  // Twin-T Second Order Bandpass

// numerator / denominator at the record's component values.
long double RatioOfComponentPolynomials(const StageCircuitRecord& record, TwinTPolynomial numerator,
                                        TwinTPolynomial denominator);

// One slot of every component: d ln(numerator / denominator) / d ln x.
void RatioSlots(StageCircuitRecord& record, TwinTPolynomial numerator, TwinTPolynomial denominator, int slot);

// The pole slots of a balanced twin-T design, whose cubic is (s + W)·(s² + W·s/q + W²):
// the classical sensitivities of d0, d1, d2 to every component go through
// SensitivityTransform with the pole flag and the weights 1, 1 + 1/q, 1 + 1/q (the
// normalised d0, d1, d2), which gives the pole-frequency, pole-Q and real-pole slots.
void TwinTPassSlots(StageCircuitRecord& record, int stageType, long double q, const TwinTCubic& cubic);

}  // namespace tavrel
