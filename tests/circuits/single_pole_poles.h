#pragma once
// The pole pair of a circuit whose op amps have the single-pole gain wt/s, by modified nodal
// analysis of its template: the independent check of the op-amp coefficients k1 and k2.
#include <algorithm>
#include <complex>
#include <span>
#include <vector>

#include "circuits/catalog/topology.h"

namespace tavrel::design_testing {

using Complex = std::complex<long double>;

// det of the nodal matrix at s; its zeros are the circuit's natural frequencies. Unknowns: the
// voltages of the nodes but ground and the (grounded) input, then one output current per op
// amp, whose row reads (s/wt + 1/a0)·Vout - V+ + V- = 0 (a0 = 0: an infinite DC gain).
inline Complex NodalDeterminant(const std::vector<TemplateElement>& elements, std::span<const long double> r,
                                std::span<const long double> c, long double wt, Complex s, long double a0 = 0) {
    int highest = 2;
    for (const TemplateElement& e : elements)
        for (int n : e.nodes) highest = std::max(highest, n);
    std::vector<int> unknown(static_cast<size_t>(highest) + 1, -1);
    int size = 0;
    for (int n = 2; n <= highest; ++n) unknown[static_cast<size_t>(n)] = size++;
    const int firstOpAmp = size;
    size += static_cast<int>(std::count_if(elements.begin(), elements.end(),
                                           [](const TemplateElement& e) { return e.kind == 'X'; }));
    std::vector<Complex> a(static_cast<size_t>(size * size));
    auto at = [&](int i, int j) -> Complex& { return a[static_cast<size_t>(i * size + j)]; };
    auto node = [&](int n) { return n >= 2 ? unknown[static_cast<size_t>(n)] : -1; };
    int opAmp = firstOpAmp;
    for (const TemplateElement& e : elements) {
        if (e.kind == 'X') {
            if (node(e.nodes[2]) >= 0) {
                at(node(e.nodes[2]), opAmp) += 1;
                at(opAmp, node(e.nodes[2])) += s / wt + (a0 > 0 ? 1 / a0 : 0.0L);
            }
            if (node(e.nodes[0]) >= 0) at(opAmp, node(e.nodes[0])) -= 1;
            if (node(e.nodes[1]) >= 0) at(opAmp, node(e.nodes[1])) += 1;
            ++opAmp;
            continue;
        }
        const Complex y = e.kind == 'R' ? Complex(1 / r[static_cast<size_t>(e.number)])
                                        : s * c[static_cast<size_t>(e.number)];
        const int p = node(e.nodes[0]), q = node(e.nodes[1]);
        if (p >= 0) at(p, p) += y;
        if (q >= 0) at(q, q) += y;
        if (p >= 0 && q >= 0) at(p, q) -= y, at(q, p) -= y;
    }
    // Nodes that no element touches would make the matrix singular; give them a unit row.
    for (int i = 0; i < firstOpAmp; ++i) {
        bool used = false;
        for (int j = 0; j < size; ++j) used = used || at(i, j) != Complex(0) || at(j, i) != Complex(0);
        if (!used) at(i, i) = 1;
    }
    Complex det = 1;
    for (int k = 0; k < size; ++k) {
        int pivot = k;
        for (int i = k + 1; i < size; ++i)
            if (std::abs(at(i, k)) > std::abs(at(pivot, k))) pivot = i;
        if (at(pivot, k) == Complex(0)) return 0;
        if (pivot != k) {
            for (int j = 0; j < size; ++j) std::swap(at(k, j), at(pivot, j));
            det = -det;
        }
        det *= at(k, k);
        for (int i = k + 1; i < size; ++i) {
            const Complex f = at(i, k) / at(k, k);
            for (int j = k; j < size; ++j) at(i, j) -= f * at(k, j);
        }
    }
    return det;
}

// The natural frequency nearest to start, by Newton's method on the determinant.
inline Complex NaturalFrequencyNear(const std::vector<TemplateElement>& elements, std::span<const long double> r,
                                    std::span<const long double> c, long double wt, Complex start) {
    Complex s = start;
    for (int i = 0; i < 100; ++i) {
        const Complex h = 1e-6L * std::abs(s);
        const Complex f = NodalDeterminant(elements, r, c, wt, s);
        const Complex df = (NodalDeterminant(elements, r, c, wt, s + h) - NodalDeterminant(elements, r, c, wt, s - h)) /
                           (2.0L * h);
        const Complex step = f / df;
        s -= step;
        if (std::abs(step) <= 1e-17L * std::abs(s)) break;
    }
    return s;
}

}  // namespace tavrel::design_testing
