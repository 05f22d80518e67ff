#pragma once
#include <complex>
#include <vector>

#include "circuits/catalog/topology.h"
#include "circuits/network/component_values.h"

namespace tavrel {

using Complex = std::complex<long double>;

// An op amp of finite gain: Vout = A(s)·(V+ - V-) with 1/A(s) = 1/dcGain + s/unityGainW, a
// single pole at unityGainW/dcGain. A zero field stands for an infinite value, so the default
// is the ideal op amp (a nullor: no input current, equal input voltages).
struct OpAmpModel {
    long double dcGain = 0;
    long double unityGainW = 0;  // rad/s
};

// H(s) = V(2)/V(1) of a topology with ideal op amps as two polynomials in s, lowest power first,
// with a common factor left in both. Each capacitor adds at most one power of s.
struct TransferPolynomials {
    std::vector<long double> numerator;
    std::vector<long double> denominator;
};
TransferPolynomials NodalTransfer(const Topology& topology, const ComponentValues& values);

// V(2)/V(1) at one complex frequency, solved directly.
Complex NodalResponse(const Topology& topology, const ComponentValues& values, Complex s,
                      const OpAmpModel& opAmps = {});

// The determinant of the nodal equations at s with the input grounded: its zeros are the
// natural frequencies of the circuit.
Complex NodalDeterminant(const Topology& topology, const ComponentValues& values, Complex s,
                         const OpAmpModel& opAmps = {});

}  // namespace tavrel
