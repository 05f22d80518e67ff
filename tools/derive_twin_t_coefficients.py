"""Coefficient polynomials of the third-order (twin-T) notch circuits, for their design routines.

The denominator and numerator cubics of each template, normalised so that the s^3 term of the
denominator is 1 and the numerator is monic too, are written as ratios of expanded polynomials
in the component values. Every such polynomial is multilinear in each component (no component
appears squared in a term), which the design routines use for their sensitivities:
S_x(P) = 1 - P(x = 0)/P. Writes src/circuits/twin_t_coefficients.cpp.

Nodal analysis with ideal op amps (nullors); each op amp's output row is replaced by
V+ = V-. Run with the Debian python3 (sympy):  /usr/bin/python3 tools/derive_twin_t_coefficients.py
"""
import os
import sys

import sympy as sp

HERE = os.path.dirname(os.path.abspath(__file__))
LIBRARY = os.path.join(HERE, "..", "src", "circuits", "template_library_plain.cpp")
s = sp.Symbol("s")

CIRCUITS = [("SLPN05", "SlpnTwinT"), ("SHPN04", "ShpnTwinT"), ("SN01", "SallenKeyNotch"), ("SN03", "TwinTNotch")]


def template(key):
    text = open(LIBRARY).read()
    start = text.index("[" + key + "]")
    end = text.index("[", start + 1)
    elements = []
    for line in text[start:end].splitlines()[1:]:
        fields = line.split()
        if not fields or fields[0].startswith("."):
            continue
        kind = "X" if fields[0].startswith("X") else fields[0][0]
        number = int(fields[0][2:] if kind == "X" else fields[0][1:])
        elements.append((kind, number, [int(n) for n in fields[1:4 if kind == "X" else 3]]))
    return elements


def transfer(elements):
    r = {n: sp.Symbol("R%d" % n, positive=True) for k, n, _ in elements if k == "R"}
    c = {n: sp.Symbol("C%d" % n, positive=True) for k, n, _ in elements if k == "C"}
    nodes = sorted({n for _, _, ns in elements for n in ns if n >= 2} | {2})
    index = {n: i for i, n in enumerate(nodes)}
    a = sp.zeros(len(nodes), len(nodes))
    b = sp.zeros(len(nodes), 1)

    def stamp(row, node, y):
        if node == 1:
            b[row] -= y
        elif node >= 2:
            a[row, index[node]] += y

    for kind, number, ns in elements:
        if kind == "X":
            continue
        y = 1 / r[number] if kind == "R" else s * c[number]
        p, q = ns
        for here, there in ((p, q), (q, p)):
            if here in index:
                stamp(index[here], here, y)
                stamp(index[here], there, -y)
    for kind, _, ns in elements:
        if kind != "X":
            continue
        row = index[ns[2]]
        a[row, :] = sp.zeros(1, len(nodes))
        b[row] = 0
        stamp(row, ns[0], 1)
        stamp(row, ns[1], -1)
    den = a.det(method="berkowitz")
    a[:, index[2]] = b
    num = a.det(method="berkowitz")
    return sp.Poly(sp.expand(sp.cancel(num * 1)), s), sp.Poly(sp.expand(den), s)


def ccode(expr):
    text = sp.ccode(expr)
    for name in sorted({str(x) for x in expr.free_symbols}, key=len, reverse=True):
        kind, number = name[0], name[1:]
        text = text.replace(name, "v.%s[%s]" % (kind, number))
    return text


HEADER = """// Written by tools/derive_twin_t_coefficients.py from the netlist templates; do not edit.
#include "circuits/twin_t_coefficients.h"

namespace tavrel {

namespace {
"""


def main():
    lines = [HEADER]
    tables = []
    for key, name in CIRCUITS:
        num, den = transfer(template(key))
        lead_d = den.coeff_monomial(s ** 3)
        lead_n = num.coeff_monomial(s ** 3)
        entries = []
        for label, poly, lead in (("d", den, lead_d), ("n", num, lead_n)):
            for j in range(3):
                n, d = sp.fraction(sp.factor(sp.cancel(poly.coeff_monomial(s ** j) / lead)))
                for part, expr in (("Num", n), ("Den", d)):
                    fn = "%s%s%d%s" % (name, label.upper(), j, part)
                    lines.append("// [%s] %s%d, %s\n" % (key, label, j, "numerator" if part == "Num" else "denominator"))
                    arg = "const ComponentValues& v" if expr.free_symbols else "const ComponentValues&"
                    lines.append("long double %s(%s) { return %s; }\n" % (fn, arg, ccode(sp.expand(expr))))
                entries.append("{%s%s%dNum, %s%s%dDen}" % (name, label.upper(), j, name, label.upper(), j))
        tables.append((name, key, entries))
    lines.append("\n}  // namespace\n")
    for name, key, entries in tables:
        lines.append("\nconst CubicPolynomials& %sCubics() {\n" % name)
        lines.append("    static const CubicPolynomials cubics{{{%s}}, {{%s}}};\n" % (", ".join(entries[:3]), ", ".join(entries[3:])))
        lines.append("    return cubics;\n}\n")
    lines.append("\n}  // namespace tavrel\n")
    target = os.path.join(HERE, "..", "src", "circuits", "twin_t_coefficients.cpp")
    with open(target, "w") as f:
        f.write("".join(lines))


if __name__ == "__main__":
    main()
