#pragma once
#include <complex>
#include <span>
#include <vector>

#include "circuits/netlist_templates.h"

namespace tavrel {

using Complex = std::complex<long double>;

// H(s) = V(2)/V(1) of a template as two polynomials in s, lowest power first, with a
// common factor left in both. Op amps are ideal (nullors: no input current, equal input
// voltages, any output current).
struct TransferPolynomials {
    std::vector<long double> numerator;
    std::vector<long double> denominator;
};

// Component values by element number: r[i] is Ri (r[0] unused), c[j] is Cj (c[0] unused).
TransferPolynomials NodalTransfer(const std::vector<TemplateElement>& elements, std::span<const long double> r,
                                  std::span<const long double> c);

// V(2)/V(1) at one complex frequency, solved directly. With openLoopGain > 0 every op amp is
// a voltage source of that gain times its input difference, as the netlist's ideal model is.
Complex NodalResponse(const std::vector<TemplateElement>& elements, std::span<const long double> r,
                      std::span<const long double> c, Complex s, long double openLoopGain = 0);

}  // namespace tavrel
