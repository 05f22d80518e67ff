"""Symbolic nodal analysis of the circuit netlist templates (sympy).

Reads the templates from src/circuits/template_library_plain.cpp and gives a circuit's
transfer function V(2)/V(1) as a rational function of s, with ideal op amps (nullors) or
with single-pole op amps of open-loop gain 1/(tau*s), tau = 1/(2*pi*GBW).

Used by the derivation scripts of the design equations; not part of the program.
"""
import os
import re

import sympy as sp

HERE = os.path.dirname(os.path.abspath(__file__))
LIBRARY = os.path.join(HERE, "..", "src", "circuits", "template_library_plain.cpp")

s, tau = sp.symbols("s tau")


def template(key):
    text = open(LIBRARY).read()
    start = text.index("[" + key + "]")
    end = text.index("[", start + 1)
    elements = []
    for line in text[start:end].splitlines()[1:]:
        fields = line.split()
        if not fields or fields[0].startswith("."):
            continue
        name = fields[0]
        kind = "X" if name.startswith("X") else name[0]
        number = int(name[2:] if kind == "X" else name[1:])
        count = 3 if kind == "X" else 2
        elements.append((kind, number, [int(n) for n in fields[1:1 + count]]))
    return elements


def symbols_of(elements):
    r = {n: sp.Symbol("R%d" % n, positive=True) for k, n, _ in elements if k == "R"}
    c = {n: sp.Symbol("C%d" % n, positive=True) for k, n, _ in elements if k == "C"}
    return r, c


def transfer(key, single_pole=False, values=None):
    """(numerator, denominator) of V(2)/V(1) as expressions in s (and tau), from the two
    determinants of Cramer's rule for V(2); the entries are polynomials in the conductances
    and s*C, which keeps the determinants fast."""
    elements = template(key)
    r, c = symbols_of(elements)
    g = {n: sp.Symbol("G%d" % n, positive=True) for n in r}
    nodes = sorted({n for _, _, ns in elements for n in ns if n >= 2} | {2})
    amps = [e for e in elements if e[0] == "X"]
    index = {n: k for k, n in enumerate(nodes)}
    size = len(nodes) + len(amps)
    a = sp.zeros(size, size)
    b = sp.zeros(size, 1)

    def stamp(row, node, y):
        if node == 0:
            return
        if node == 1:
            b[row] -= y
        else:
            a[row, index[node]] += y

    for kind, number, ns in elements:
        if kind == "X":
            continue
        y = g[number] if kind == "R" else s * c[number]
        p, q = ns
        for here, there in ((p, q), (q, p)):
            if here in index:
                stamp(index[here], here, y)
                stamp(index[here], there, -y)
    for k, (kind, number, ns) in enumerate(amps):
        plus, minus, out = ns
        row = len(nodes) + k
        if out in index:
            a[index[out], row] += 1
        stamp(row, plus, 1)
        stamp(row, minus, -1)
        if single_pole:
            gain_tau = single_pole[k] if isinstance(single_pole, (list, tuple)) else tau
            stamp(row, out, -gain_tau * s)
    if values:
        full = {g[n]: 1 / r[n] for n in r}
        early = {k: sp.sympify(v) for k, v in values.items()}
        a = a.subs(full).subs(early)
        b = b.subs(full).subs(early)
    out = index[2]
    replaced = a.copy()
    replaced[:, out] = b
    back = {g[n]: 1 / r[n] for n in r}
    num = replaced.det(method="berkowitz").subs(back)
    den = a.det(method="berkowitz").subs(back)
    if values:
        num, den = num.subs(values), den.subs(values)
    num, den = sp.fraction(sp.together(num / den))
    return sp.expand(num), sp.expand(den)


def biquad(key, kind, values=None):
    """wp^2, wp/Qp and the gain constant K (HP: at infinity, BP: at wp) with ideal op amps,
    the sign taken so that K > 0 for an inverting circuit."""
    num, den = transfer(key, values=values)
    dp = sp.Poly(den, s)
    np_ = sp.Poly(num, s)
    deg = dp.degree()
    lead = dp.coeff_monomial(s ** deg)
    d = [sp.simplify(dp.coeff_monomial(s ** j) / lead) for j in range(deg + 1)]
    n = [sp.simplify(np_.coeff_monomial(s ** j) / lead) for j in range(deg + 1)]
    if kind == "SHP":
        k = n[deg]
    elif kind == "SBP":
        k = sp.simplify(n[1] / d[1])
    else:
        k = sp.simplify(n[0] / d[0])
    return d, n, k


def pole_shift(key, point, w, q):
    """k1, k2 at a numeric component point: the first-order relative shift of wp and Qp per
    unit wp*tau, with the sign such that wp(tau) = wp*(1 - k1*wp*tau) ... reported raw as
    (dwp/wp)/(wp*tau) and (dQ/Q)/(wp*tau)."""
    num, den = transfer(key, single_pole=True)
    den = sp.expand(den.subs(point))
    d0 = den.subs(tau, 0)
    d1 = sp.diff(den, tau).subs(tau, 0)
    p0 = w * (-1 / (2 * q) + sp.I * sp.sqrt(1 - 1 / (4 * q * q)))
    dp = -d1.subs(s, p0) / sp.diff(d0, s).subs(s, p0)
    dp = sp.N(dp, 30)
    p0 = sp.N(p0, 30)
    dw2 = 2 * sp.re(sp.conjugate(p0) * dp)
    dwq = -2 * sp.re(dp)
    rel_w = dw2 / (2 * w * w)
    rel_q = rel_w - dwq / (w / q)
    return sp.N(rel_w / w, 15), sp.N(rel_q / w, 15)


def shift_coefficients(key, design, q, amps=None):
    """k1, k2 and the per-op-amp terms of a design (component symbol -> expression in q and
    other parameters, normalised to W = 1), with the sign of the program: realised
    wp = W(1 - k1 W tau), Qp = Q(1 - k2 W tau).

    The ideal pole p0 is a root of p^2 + p/q + 1; the first-order shift dp/dtau_i =
    -D_i(p0)/D0'(p0) is reduced modulo that quadratic to alpha + beta*p0, from which
    k1 = alpha/(2q) - beta and k2 = -alpha*(2q - 1/(2q))."""
    elements = template(key)
    count = len([e for e in elements if e[0] == "X"])
    taus = sp.symbols("tau1:%d" % (count + 1))
    num, den = transfer(key, single_pole=taus, values=design)
    den = sp.expand(den)
    d0 = sp.expand(den.subs({t: 0 for t in taus}))
    p = sp.Symbol("p")
    quad = sp.Poly(p * p + p / q + 1, p)
    d0p = sp.Poly(sp.diff(d0, s).subs(s, p), p)
    inv = sp.invert(d0p, quad)
    terms = []
    for t in taus:
        di = sp.expand(sp.diff(den, t).subs({u: 0 for u in taus}).subs(s, p))
        ratio = sp.Poly(-di, p) * inv
        ratio = ratio.rem(quad)
        alpha = ratio.coeff_monomial(1)
        beta = ratio.coeff_monomial(p)
        k1 = sp.simplify(alpha / (2 * q) - beta)
        k2 = sp.simplify(-alpha * (2 * q - 1 / (2 * q)))
        terms.append((k1, k2))
    k1 = sp.simplify(sum(t[0] for t in terms))
    k2 = sp.simplify(sum(t[1] for t in terms))
    return k1, k2, terms
