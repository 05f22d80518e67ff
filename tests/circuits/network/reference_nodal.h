#pragma once
// An independent solution of a netlist template at one complex frequency, for checking the
// program's stage functions: the template text is read here on its own, and the op amps are
// nullors written as constraints (the output node gets no current equation, the inputs are
// forced equal) rather than the program's modified nodal form with output currents.
#include <complex>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "circuits/catalog/topology.h"
#include "circuits/network/component_values.h"

namespace tavrel::reference {

using Complex = std::complex<long double>;

struct Element {
    char kind;
    int number;
    std::vector<int> nodes;
};

// The elements of the template under a key, read from the library text.
inline std::vector<Element> ReadTemplate(TemplateLibrary library, const std::string& key) {
    std::vector<Element> elements;
    bool inside = false;
    for (const std::string& line : TemplateLibraryLines(library)) {
        if (!line.empty() && line[0] == '[') {
            inside = line == key;
            continue;
        }
        if (!inside) continue;
        std::istringstream in(line);
        std::string name;
        in >> name;
        if (name.empty() || name[0] == '.') continue;
        Element e{name[0], std::stoi(name.substr(name[0] == 'X' ? 2 : 1)), {}};
        for (int n; in >> n && e.nodes.size() < (e.kind == 'X' ? 3u : 2u);) e.nodes.push_back(n);
        elements.push_back(e);
    }
    return elements;
}

// V(2)/V(1) with ideal op amps; NaN when the equations are singular.
inline Complex Response(const std::vector<Element>& elements, const ComponentValues& v, Complex s) {
    std::map<int, int> index;  // node -> unknown
    for (const Element& e : elements)
        for (int n : e.nodes)
            if (n >= 2 && !index.count(n)) index.emplace(n, 0);
    int count = 0;
    for (auto& [node, i] : index) i = count++;
    const size_t n = static_cast<size_t>(count);
    std::vector<std::vector<Complex>> a(n, std::vector<Complex>(n + 1, Complex(0)));  // last column: right side
    std::map<int, bool> driven;  // op-amp outputs: their current equation is not written
    for (const Element& e : elements)
        if (e.kind == 'X') driven[e.nodes[2]] = true;
    auto add = [&](int row, int col, Complex y) {
        if (row < 2 || driven.count(row)) return;
        auto& r = a[static_cast<size_t>(index[row])];
        if (col == 1) r[n] -= y;  // V(1) = 1 moves to the right side
        else if (col >= 2) r[static_cast<size_t>(index[col])] += y;
    };
    for (const Element& e : elements) {
        if (e.kind == 'X') continue;
        const Complex y = e.kind == 'R' ? Complex(1 / v.R[static_cast<size_t>(e.number)])
                                        : s * v.C[static_cast<size_t>(e.number)];
        const int p = e.nodes[0], q = e.nodes[1];
        add(p, p, y), add(p, q, -y), add(q, q, y), add(q, p, -y);
    }
    // Each op amp's constraint V+ - V- = 0 takes the row of its output node.
    for (const Element& e : elements) {
        if (e.kind != 'X') continue;
        auto& r = a[static_cast<size_t>(index[e.nodes[2]])];
        for (int k = 0; k < 2; ++k) {
            const int node = e.nodes[static_cast<size_t>(k)];
            const Complex sign = k == 0 ? Complex(1) : Complex(-1);
            if (node == 1) r[n] -= sign;
            else if (node >= 2) r[static_cast<size_t>(index[node])] += sign;
        }
    }
    // Gauss-Jordan with partial pivoting.
    for (size_t k = 0; k < n; ++k) {
        size_t pivot = k;
        for (size_t i = k + 1; i < n; ++i)
            if (std::abs(a[i][k]) > std::abs(a[pivot][k])) pivot = i;
        if (a[pivot][k] == Complex(0)) return Complex(NAN, NAN);
        std::swap(a[k], a[pivot]);
        for (size_t i = 0; i < n; ++i) {
            if (i == k) continue;
            const Complex f = a[i][k] / a[k][k];
            for (size_t j = k; j <= n; ++j) a[i][j] -= f * a[k][j];
        }
    }
    const size_t out = static_cast<size_t>(index[2]);
    return a[out][n] / a[out][out];
}

}  // namespace tavrel::reference
