"""Checks the design equations of the three-op-amp lowpass circuits (KHN non-inverting and
inverting input, Tow-Thomas, Mikhael-Bhattacharyya, Berka-Herpy, Akerberg-Mossberg) against
their netlist templates and derives the op-amp coefficients k1, k2 with the per-op-amp terms.

Normalised to W = 1 rad/s and C1 = C2 = 1 F; q is the pole Q realised, K the gain. The MB, BH
and AM networks are solved with the design values put in before the determinants are taken
(their general forms take minutes).
Run with Debian's python3 (sympy): /usr/bin/python3 tools/derive_slp_three_amp.py [KEY...]
"""
import sys

import sympy as sp

from circuit_symbolic import biquad, shift_coefficients

q, K, a, b = sp.symbols("q K a b", positive=True)
R = {i: sp.Symbol("R%d" % i, positive=True) for i in range(1, 11)}
C = {i: sp.Symbol("C%d" % i, positive=True) for i in range(1, 5)}

DESIGNS = {
    # KHN non-inverting input: the equal resistors and R4 = (2q - 1)·R1 fix the gain.
    "SLP08": {C[1]: 1, C[2]: 1, R[1]: 1, R[2]: 1, R[3]: 1, R[5]: 1, R[6]: 1, R[4]: 2 * q - 1},
    # KHN inverting input: gain R5/R3 = 1, R7 = (3q - 1)·R4.
    "SLP09": {C[1]: 1, C[2]: 1, R[1]: 1, R[2]: 1, R[3]: 1, R[4]: 1, R[5]: 1, R[6]: 1, R[7]: 3 * q - 1},
    # Tow-Thomas: R3 = R1/K, R4 = q·R1, unity inverter R5 = R6.
    "SLP10": {C[1]: 1, C[2]: 1, R[1]: 1, R[2]: 1, R[3]: 1 / K, R[4]: q, R[5]: 1, R[6]: 1},
    # MB: a = 1.6*q^(1/4) in the program (any a > 0 gives the same pole data and gain),
    # b = 1/sqrt(q) keeps the square roots out: R3 = R6 = sqrt(q).
    "SLP11": {C[1]: 1, C[2]: 1, R[1]: 1, R[5]: 1, R[7]: 1, R[2]: 2 / (K * a), R[4]: 1 / ((1 - K / 2) * a),
              R[3]: 1 / b, R[6]: 1 / b, R[8]: a},
    # BH: equal resistors but R8 = q (the numerator s term goes with R1*R6 - R2*R5).
    "SLP12": {C[1]: 1, C[2]: 1, R[1]: 1, R[2]: 1, R[3]: 1, R[4]: 1, R[5]: 1, R[6]: 1, R[7]: 1, R[8]: q, R[9]: 1},
    # AM: R5 = q, R1 = R6/K.
    "SLP13": {C[1]: 1, C[2]: 1, R[2]: 1, R[3]: 1, R[4]: 1, R[6]: 1, R[5]: q, R[1]: 1 / K},
}
# The pole Q of a design where it is not the symbol q.
Q_OF = {"SLP11": 1 / b ** 2}
# The designs whose general form is not derived.
VALUES_ONLY = {"SLP11", "SLP12", "SLP13"}


def check(key):
    design = DESIGNS[key]
    print(key)
    if key in VALUES_ONLY:
        d, n, k = biquad(key, "SLP", values=design)
        design = {}
        print("  numerator s term:", sp.simplify(n[1]))
    else:
        d, n, k = biquad(key, "SLP")
        print("  general: wp^2 =", sp.factor(d[0]), "  wp/Qp =", sp.factor(d[1]), "  K =", sp.factor(k))
    print("  design:  wp^2 =", sp.simplify(d[0].subs(design)), "  wp/Qp =", sp.simplify(d[1].subs(design)),
          "  K =", sp.simplify(k.subs(design)))
    sys.stdout.flush()
    k1, k2, terms = shift_coefficients(key, DESIGNS[key], Q_OF.get(key, q))
    print("  k1 =", sp.factor(k1), "  k2 =", sp.factor(k2))
    print("  terms:", [(sp.factor(t1), sp.factor(t2)) for t1, t2 in terms])
    print("  s1 =", sp.factor(sum(t[0] ** 2 for t in terms)), "  s2 =", sp.factor(sum(t[1] ** 2 for t in terms)))
    sys.stdout.flush()


if __name__ == "__main__":
    for key in sys.argv[1:] or sorted(DESIGNS):
        check(key)
