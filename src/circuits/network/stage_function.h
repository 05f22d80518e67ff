#pragma once
#include <array>

#include "circuits/catalog/circuit_definition.h"
#include "circuits/network/component_values.h"
#include "circuits/network/nodal_analysis.h"

namespace tavrel {

// A realised stage's transfer function with ideal op amps, as the final response evaluates it:
// H(s) = k·(n3·s^3 + n2·s^2 + n1·s + n0)/(d3·s^3 + d2·s^2 + d1·s + d0), for an inverting circuit
// without its sign. D is monic in the circuit's order (s + d0, s^2 + d1·s + d0, or the cubic of
// a twin-T network). N is scaled so that k is the gain at DC for the lowpass types, at the pole
// frequency (N = d1·s; for the twin-T bandpass, whose balanced cubic (s + a)·(s^2 + b·s + c) the
// numerator's s·(s + a) cancels down to a second-order bandpass, N = b·s^2 + ...) for the bandpass, and at infinite frequency (N = s, s^2, s^2 + n1·s + n0,
// or the monic cubic) for the highpass and notch types.
//
// The function is exact for any component values: every power of s that the circuit's nodal
// equations give is kept, so values that are not the designed ones (standard values, a typed
// resistor, a trimmed capacitor) show their true effect, such as the small s term of a notch
// that sits off its notch condition or the numerator terms of a lowpass whose balance the
// design equations would have made vanish.
struct StageFunction {
    long double k = 0;
    std::array<long double, 4> n{};
    std::array<long double, 4> d{};
};

// The function of a circuit built with these values (the plain circuit: with ideal op amps the
// compensated variant realises the same function). A circuit whose values leave the leading
// denominator coefficient or the gain at zero (a capacitor of 0) gives all zeros.
StageFunction StageFunctionOf(const CircuitDefinition& circuit, const ComponentValues& values);

Complex EvaluateStageFunction(const StageFunction& f, Complex s);

// The phase in radians that the final response adds for a stage at angular frequency w:
// angle(N(jw)) - angle(D(jw)), each angle taken in [-pi/2, 3pi/2) so that a stage's curve runs
// on where its polynomials cross the negative real axis. Neither the sign of k nor the
// inversion of an inverting circuit is in it.
long double StagePhase(const StageFunction& f, long double w);

}  // namespace tavrel
