"""Checks the highpass and bandpass design equations against the netlist templates and
derives the op-amp coefficients k1, k2 (and the per-op-amp terms whose squares give s1, s2).

Every design is normalised to W = 1 rad/s and C1 = 1 F; q is the pole Q realised, K the gain.
Run with Debian's python3 (sympy): /usr/bin/python3 tools/derive_shp_sbp_design.py [KEY...]
"""
import sys

import sympy as sp

from circuit_symbolic import biquad, shift_coefficients

q, m, K = sp.symbols("q m K", positive=True)
R = {i: sp.Symbol("R%d" % i, positive=True) for i in range(1, 11)}
C = {i: sp.Symbol("C%d" % i, positive=True) for i in range(1, 5)}


def deliyannis_ii():
    # gamma = 1 - beta from K*g^2 - (K+1)*g + (1+m)q^2/(mK) = 0; symbolic in beta instead.
    beta = sp.Symbol("beta", positive=True)
    r1 = q / (K * (1 - beta) * m)
    r2 = K * (1 - beta) / q
    return {C[1]: 1, C[2]: m, R[1]: r1, R[2]: r2, R[4]: 1, R[3]: beta / (1 - beta)}


b = 1 / sp.sqrt(q)
a_mb = sp.Rational(8, 5) * q ** sp.Rational(1, 4)

DESIGNS = {
    "SHP01": ("SHP", {C[1]: 1, C[2]: m, R[1]: (1 + m) * q / m, R[2]: 1 / ((1 + m) * q)}),
    "SHP03": ("SHP", {C[1]: 1, C[2]: m, C[3]: 1, R[2]: (2 + m) * q / m, R[1]: 1 / (2 + m) / q}),
    "SHP04": ("SHP", {C[1]: 1, C[2]: 1, R[2]: 1, R[3]: 1, R[1]: q, R[4]: 1, R[5]: 1}),
    "SHP05": ("SHP", {C[1]: 1, C[2]: 1, C[3]: 2, R[1]: 1, R[2]: 1, R[3]: sp.Rational(1, 2),
                      R[5]: 1, R[4]: 4 * q - 1}),
    "SHP07": ("SHP", {C[1]: 1, C[2]: 1, R[1]: 1, R[2]: 1, R[4]: 1, R[5]: 1, R[6]: 1, R[3]: 1 / K,
                      R[7]: q * (2 + K) - 1}),
    "SHP08": ("SHP", {C[1]: 1, C[2]: 1, R[7]: 1, R[5]: 1, R[1]: (b + 1) / K, R[2]: 1 / (1 - K / (b + 1)),
                      R[3]: 1 / b, R[6]: 1 / b, R[4]: 1 / a_mb, R[8]: a_mb}),
    "SHP09": ("SHP", {C[1]: 1, C[2]: 1, R[1]: 1, R[2]: 2, R[7]: q / 3, R[8]: q, R[9]: 3 / q, R[3]: 1,
                      R[4]: 1, R[5]: 1, R[6]: 1}),
    "SHP10": ("SHP", {C[1]: 1, C[3]: 1, C[2]: K, R[2]: 1, R[5]: q, R[1]: K, R[3]: 1, R[4]: 1, R[6]: 1}),
    "SBP01": ("SBP", {C[1]: 1, C[2]: m, R[1]: 1 / ((m + 1) * q), R[2]: (m + 1) * q / m}),
    "SBP02": ("SBP", deliyannis_ii()),
    "SBP04": ("SBP", {C[1]: 1, C[2]: m, R[1]: q / (K * m), R[2]: (m + 1) * q / m,
                      R[3]: 1 / ((m + 1) * q - K * m / q)}),
    "SBP06": ("SBP", {C[1]: 1, C[2]: 1, R[2]: 1, R[3]: 1, R[1]: q, R[4]: 1, R[5]: 1}),
    "SBP07": ("SBP", {C[1]: 1, C[2]: 1, C[3]: 2, R[1]: 1, R[2]: 1, R[3]: sp.Rational(1, 2),
                      R[4]: 1, R[5]: 4 * q - 1}),
    "SBP08": ("SBP", {C[1]: 1, C[2]: 1, R[3]: 1, R[5]: 1, R[6]: 1, R[4]: K, R[1]: 2 * q / (1 + K),
                      R[2]: (1 + K) / (2 * q)}),
    "SBP09": ("SBP", {C[1]: 1, C[2]: 1, R[1]: 1, R[2]: 1, R[4]: 1, R[5]: 1, R[6]: 1, R[3]: q / K,
                      R[7]: 2 * q + K - 1}),
    "SBP10": ("SBP", {C[1]: 1, C[2]: 1, R[1]: 1, R[2]: 1, R[5]: 1, R[6]: 1, R[3]: q / K, R[4]: q}),
    "SBP11": ("SBP", {C[1]: 1, C[2]: 1, R[1]: 1, R[5]: 1, R[7]: 1, R[4]: 1 / a_mb, R[8]: a_mb,
                      R[6]: q * b, R[2]: 2 / (K * b), R[3]: 1 / ((1 - K / 2) * b)}),
    "SBP12": ("SBP", {C[1]: 1, C[2]: 1, R[1]: 1, R[2]: 1, R[4]: 1, R[5]: 1, R[7]: 1, R[3]: q,
                      R[6]: 2 * q / K - 1}),
    "SBP13": ("SBP", {C[1]: 1, C[2]: 1, R[2]: 1, R[3]: 1, R[4]: 1, R[6]: 1, R[5]: q, R[1]: q / K}),
}


def check(key):
    kind, design = DESIGNS[key]
    d, n, k = biquad(key, kind)
    w2 = sp.simplify(d[0].subs(design)) if len(d) == 3 else None
    print(key)
    if len(d) == 3:
        print("  wp^2 =", w2, "  1/Qp =", sp.simplify(d[1].subs(design)), "  K =", sp.simplify(k.subs(design)))
    else:
        cubic = [sp.simplify(x.subs(design)) for x in d]
        print("  cubic", cubic, " = (s+1)(s^2+s/q+1)?",
              sp.simplify(sp.expand((sp.Symbol('s') + 1) * (sp.Symbol('s') ** 2 + sp.Symbol('s') / q + 1))
                          - sum(c * sp.Symbol('s') ** i for i, c in enumerate(cubic))) == 0,
              "  K =", sp.simplify(k.subs(design)))
    k1, k2, terms = shift_coefficients(key, design, q)
    print("  k1 =", sp.factor(k1), "  k2 =", sp.factor(k2))
    print("  terms:", [(sp.factor(t1), sp.factor(t2)) for t1, t2 in terms])
    sys.stdout.flush()


if __name__ == "__main__":
    for key in sys.argv[1:] or sorted(DESIGNS):
        check(key)
