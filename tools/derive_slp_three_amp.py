"""Checks the design equations of the three-op-amp lowpass circuits (KHN non-inverting and
inverting input, Tow-Thomas) against their netlist templates and derives the op-amp
coefficients k1, k2 with the per-op-amp terms.

Normalised to W = 1 rad/s and C1 = C2 = 1 F; q is the pole Q realised, K the gain.
Run with Debian's python3 (sympy): /usr/bin/python3 tools/derive_slp_three_amp.py [KEY...]
"""
import sys

import sympy as sp

from circuit_symbolic import biquad, shift_coefficients

q, K = sp.symbols("q K", positive=True)
R = {i: sp.Symbol("R%d" % i, positive=True) for i in range(1, 11)}
C = {i: sp.Symbol("C%d" % i, positive=True) for i in range(1, 5)}

DESIGNS = {
    # KHN non-inverting input: the equal resistors and R4 = (2q - 1)·R1 fix the gain.
    "SLP08": {C[1]: 1, C[2]: 1, R[1]: 1, R[2]: 1, R[3]: 1, R[5]: 1, R[6]: 1, R[4]: 2 * q - 1},
    # KHN inverting input: gain R5/R3 = 1, R7 = (3q - 1)·R4.
    "SLP09": {C[1]: 1, C[2]: 1, R[1]: 1, R[2]: 1, R[3]: 1, R[4]: 1, R[5]: 1, R[6]: 1, R[7]: 3 * q - 1},
    # Tow-Thomas: R3 = R1/K, R4 = q·R1, unity inverter R5 = R6.
    "SLP10": {C[1]: 1, C[2]: 1, R[1]: 1, R[2]: 1, R[3]: 1 / K, R[4]: q, R[5]: 1, R[6]: 1},
}


def check(key):
    design = DESIGNS[key]
    d, n, k = biquad(key, "SLP")
    print(key)
    print("  general: wp^2 =", sp.factor(d[0]), "  wp/Qp =", sp.factor(d[1]), "  K =", sp.factor(k))
    print("  design:  wp^2 =", sp.simplify(d[0].subs(design)), "  wp/Qp =", sp.simplify(d[1].subs(design)),
          "  K =", sp.simplify(k.subs(design)))
    sys.stdout.flush()
    k1, k2, terms = shift_coefficients(key, design, q)
    print("  k1 =", sp.factor(k1), "  k2 =", sp.factor(k2))
    print("  terms:", [(sp.factor(t1), sp.factor(t2)) for t1, t2 in terms])
    print("  s1 =", sp.factor(sum(t[0] ** 2 for t in terms)), "  s2 =", sp.factor(sum(t[1] ** 2 for t in terms)))
    sys.stdout.flush()


if __name__ == "__main__":
    for key in sys.argv[1:] or sorted(DESIGNS):
        check(key)
