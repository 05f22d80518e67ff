#!/usr/bin/python3
"""Writes tests/fixtures/approx/<case>.json: scipy.signal references for the five approximations.

Run with the Debian python3 (scipy, numpy, mpmath):  /usr/bin/python3 tools/make_approx_fixtures.py

For every specification of CASES and every approximation the fixture holds the expected order and
flags, the poles and zeros of the final filter, its gain constant, and on the program's default
frequency grid the magnitude (scipy.signal.freqs_zpk), the phase lag and the group delay. The time
responses are given as the partial-fraction expansion of H(s) (poles, residues, H(0)), so that the
test evaluates them on the program's own time grid; the expansion is checked here against
scipy.signal.impulse and scipy.signal.step.

Normalizations of the lowpass prototypes before scipy's lp2lp/lp2hp/lp2bp/lp2bs transforms:
- Butterworth: buttap poles scaled by eps^(-1/N), so the attenuation at w = 1 is Apb.
- Chebyshev: cheb1ap(N, Apb).
- Inverse Chebyshev: cheb2ap(N, rs) with the stopband edge at 1 and rs = 10 log10(1 + 1/eps^2),
  eps by the program's rule (forced or rounded-up order: Apb exactly at the passband edge 1/S;
  an order that came out an exact integer: eps from Asb).
- Elliptic: ellipap, passband edge at 1, modulus 1/S. The program's closed form takes the pole
  parameter in the limit k1 -> 0 (Lambda = asinh(1/eps)/N), which makes it the exact elliptic filter
  of a slightly smaller ripple: sc(2 K(k1) asinh(1/eps) / pi, k1') = 1/eps_eff. The reference is the
  exact filter of that ripple (printed next to Apb), with the gain at DC of the program's rule.
- Bessel: besselap(N, 'delay') renormalized so that the attenuation at w = 1 is exactly Apb.
"""
import json
import math
import os

import mpmath
import numpy as np
from scipy import optimize, signal

mpmath.mp.dps = 40

# name, kind, apb, asb, f1, f2, f0, unit, forced order, gain (V/V)
CASES = [
    ("lp_default", "lowpass", "0.5", "30", "1", "2", None, "khz", None, "1.0"),
    ("lp_1hz", "lowpass", "0.1", "40", "1", "1.5", None, "hz", None, "2"),
    ("lp_100mhz_forced20", "lowpass", "0.5", None, "100000", None, None, "khz", 20, "1"),
    ("lp_wide_rad", "lowpass", "1", "60", "1", "20", None, "krad/s", None, "1"),
    ("lp_narrow_ell3", "lowpass", "0.5", "4", "1", "1.05", None, "khz", None, "1"),
    ("lp_narrow_ell6", "lowpass", "0.5", "25", "1", "1.05", None, "khz", None, "1"),
    ("lp_forced1", "lowpass", "0.5", None, "1", None, None, "khz", 1, "1"),
    ("lp_tiny_ripple_forced2", "lowpass", "0.001", None, "1", None, None, "hz", 2, "1"),
    ("hp_default", "highpass", "0.5", "30", "2", "1", None, "khz", None, "1"),
    ("hp_forced5_rad", "highpass", "3", None, "5", None, None, "krad/s", 5, "10"),
    ("hp_50mhz", "highpass", "0.2", "50", "50000", "25000", None, "khz", None, "1"),
    ("bp_default", "bandpass", "0.5", "30", "1", "2", "2", "khz", None, "1"),
    ("bp_forced6", "bandpass", "1", None, "1", None, "2", "khz", 6, "1"),
    ("bp_real_pair_forced2", "bandpass", "0.5", None, "2", None, "2", "khz", 2, "1"),
    ("bp_narrow_order18", "bandpass", "0.5", "60", "1", "1.1", "2", "khz", None, "1"),
    ("bs_default", "bandstop", "0.5", "30", "2", "1", "2", "khz", None, "1"),
    ("bs_1hz_forced8", "bandstop", "0.5", None, "0.5", None, "1", "hz", 8, "1"),
    ("bs_50mhz", "bandstop", "1", "40", "10000", "2000", "50000", "khz", None, "1"),
]

NAMES = ["butterworth", "chebyshev", "inverse_chebyshev", "elliptic", "bessel"]
UNIT = {"hz": 2 * mpmath.pi, "khz": 2000 * mpmath.pi, "rad/s": mpmath.mpf(1), "krad/s": mpmath.mpf(1000)}
MAX_ORDER = 20
MAX_Q = 300


def mp(x):
    return mpmath.mpf(x)


class Spec:
    def __init__(self, kind, apb, asb, f1, f2, f0, unit, forced, gain):
        self.kind, self.forced, self.gain = kind, forced, float(gain)
        self.band = kind in ("bandpass", "bandstop")
        self.hz = unit in ("hz", "khz")
        self.apb = mp(apb)
        self.asb = mp(asb) if asb is not None else None
        u = UNIT[unit]
        e1 = mp(f1) * u
        self.w0 = mp(f0) * u if self.band else None
        if forced:
            e2 = {"lowpass": 2 * e1, "highpass": e1 / 2, "bandpass": 2 * e1, "bandstop": e1 / 2}[kind]
        else:
            e2 = mp(f2) * u
        self.e1, self.e2 = e1, e2  # passband and stopband edge (or bandwidth)
        self.s = e2 / e1 if kind in ("lowpass", "bandpass") else e1 / e2
        self.eps_p = mpmath.sqrt(mpmath.power(10, self.apb / 10) - 1)


def ceil_order(raw):
    whole = int(mpmath.floor(raw))
    frac = raw - whole
    assert min(frac, 1 - frac) > 1e-6, "order estimate too close to an integer: %s" % raw
    return whole + 1


def nome_spec(s):
    k = 1 / s
    kp = mpmath.sqrt(1 - k * k)
    q0 = (1 - mpmath.sqrt(kp)) / (2 * (1 + mpmath.sqrt(kp)))
    return q0 + 2 * q0 ** 5 + 15 * q0 ** 9 + 150 * q0 ** 13


def closed_form_orders(spec):
    """Prototype orders of approximations 0..3 from the program's estimates."""
    if spec.forced:
        n = spec.forced // 2 if spec.band else spec.forced
        return [n] * 4, [False] * 4
    a = mpmath.power(10, spec.asb / 10) - 1
    p = mpmath.power(10, spec.apb / 10) - 1
    s = spec.s
    raws = [mpmath.log(a / p) / (2 * mpmath.log(s)),
            mpmath.acosh(mpmath.sqrt(a / p)) / mpmath.acosh(s),
            mpmath.acosh(mpmath.sqrt(a / p)) / mpmath.acosh(s),
            mpmath.log10(16 * a / p) / mpmath.log10(1 / nome_spec(s))]
    orders = [ceil_order(r) if r <= MAX_ORDER + 1 else MAX_ORDER + 1 for r in raws]
    return orders, [True] * 4  # every raw order here was rounded up


def zpk_float(z, p, k):
    return np.asarray(z, dtype=complex), np.asarray(p, dtype=complex), float(k)


def butterworth(spec, n):
    z, p, k = signal.buttap(n)
    p = p * float(spec.eps_p ** (-mp(1) / n))
    return z, p, float(np.real(np.prod(-p)))


def chebyshev(spec, n):
    return signal.cheb1ap(n, float(spec.apb))


def inverse_chebyshev_eps(spec, n, rounded):
    if spec.forced or rounded:
        return 1 / (mpmath.cosh(n * mpmath.acosh(spec.s)) * spec.eps_p)
    return mpmath.sqrt(1 / (mpmath.power(10, spec.asb / 10) - 1))


def inverse_chebyshev(spec, n, rounded):
    eps = inverse_chebyshev_eps(spec, n, rounded)
    rs = float(10 * mpmath.log10(1 + 1 / eps ** 2))
    z, p, k = signal.cheb2ap(n, rs)
    return z, p, k, float(10 * mpmath.log10(1 / eps ** 2 + 1))


def elliptic_effective_ripple(spec, n):
    """The ripple of the exact elliptic filter that the closed form produces, and k1."""
    k = 1 / spec.s
    q = mpmath.exp(-mpmath.pi * mpmath.ellipk(1 - k * k) / mpmath.ellipk(k * k))
    qn = q ** n
    k1 = (mpmath.jtheta(2, 0, qn) / mpmath.jtheta(3, 0, qn)) ** 2
    u = 2 * mpmath.ellipk(k1 ** 2) * mpmath.asinh(1 / spec.eps_p) / mpmath.pi
    if u >= mpmath.ellipk(1 - k1 ** 2):
        return None, k1  # the real pole would lie at or right of the origin
    eps = 1 / mpmath.ellipfun("sc", u, m=1 - k1 ** 2)
    return eps, k1


def elliptic(spec, n):
    eps, k1 = elliptic_effective_ripple(spec, n)
    if eps is None:
        return None
    rp = float(10 * mpmath.log10(1 + eps ** 2))
    rs = float(10 * mpmath.log10(1 + eps ** 2 / k1 ** 2))
    z, p, k = signal.ellipap(n, rp, rs)
    # ellipap finds the modulus from (N, rp, rs) again: its stopband must start at S.
    assert abs(attenuation_db_zpk(z, p, k, float(spec.s)) - rs) < 1e-6 * max(rs, 1)
    dc = 10 ** (-float(spec.apb) / 20) if n % 2 == 0 else 1.0
    k = dc * float(np.real(np.prod(-p) / np.prod(-z)))
    return z, p, k, rp, rs


def bessel_table_filter(n):
    z, p, k = signal.besselap(n, norm="delay")
    return p


def attenuation_db_zpk(z, p, k, w):
    return -20 * math.log10(abs(signal.freqs_zpk(z, p, k, worN=[w])[1][0]))


def attenuation_db(p, w):
    """-20 log10 |H(jw)| of the all-pole filter with unit DC gain."""
    h = np.prod(-p) / np.prod(1j * w - p)
    return -20 * math.log10(abs(h))


def bessel_normalized(n, apb):
    p = bessel_table_filter(n)
    wn = optimize.brentq(lambda w: attenuation_db(p, w) - apb, 1e-6, 100, xtol=1e-300, rtol=1e-15)
    return p / wn


def bessel_order(spec):
    apb = float(spec.apb)
    if spec.forced:
        return spec.forced // 2 if spec.band else spec.forced
    s = float(spec.s)
    asb = float(spec.asb)
    for n in range(1, MAX_ORDER + 1):
        a = attenuation_db(bessel_normalized(n, apb), s)
        assert abs(a - asb) > 0.01, "Bessel order search too close to the limit"
        if a >= asb:
            return n
    return MAX_ORDER + 1


def bessel(spec, n):
    p = bessel_normalized(n, float(spec.apb))
    return np.array([]), p, float(np.real(np.prod(-p)))


def transform(spec, approx, z, p, k):
    """The final filter of the kind. z, p, k: lowpass prototype, normalized as the approximation."""
    f = float
    if approx == 2:  # inverse Chebyshev: stopband edge at 1
        if spec.band:
            z, p, k = signal.lp2lp_zpk(z, p, k, wo=f(spec.s))
        scale = f(spec.e2)
    else:
        scale = f(spec.e1)
    if spec.kind == "lowpass":
        return signal.lp2lp_zpk(z, p, k, wo=scale)
    if spec.kind == "highpass":
        return signal.lp2hp_zpk(z, p, k, wo=scale)
    if spec.kind == "bandpass":
        return signal.lp2bp_zpk(z, p, k, wo=f(spec.w0), bw=f(spec.e1))
    return signal.lp2bs_zpk(z, p, k, wo=f(spec.w0), bw=f(spec.e1))


def clean_roots(roots, imaginary_axis):
    """Real roots get an imaginary part of exactly 0, jw-axis zeros a real part of exactly 0."""
    out = []
    for r in np.asarray(roots, dtype=complex):
        scale = max(abs(r), 1e-300)
        re, im = r.real, r.imag
        if imaginary_axis:
            assert abs(re) <= 1e-9 * scale, r
            re = 0.0
        if abs(im) <= 1e-12 * scale:
            im = 0.0
        out.append(complex(re, im))
    return np.array(out, dtype=complex)


def upper_half(roots):
    """One root per conjugate pair (im > 0) and every real root, by magnitude then angle."""
    kept = [r for r in roots if r.imag >= 0]
    assert 2 * len([r for r in kept if r.imag > 0]) + len([r for r in kept if r.imag == 0]) == len(roots)
    return sorted(kept, key=lambda r: (abs(r), math.atan2(r.imag, r.real)))


def default_grid(spec):
    """The 351-point logarithmic grid of the default range, in rad/s."""
    center = spec.w0 if spec.band else spec.e1
    to_display = 1 / (2 * mpmath.pi) if spec.hz else mp(1)
    lo = (center / 2 if spec.band else center / 10) * to_display
    hi = (2 * center if spec.band else 10 * center) * to_display
    e = int(mpmath.floor(mpmath.log10(lo) + mp(10) ** -20))  # an exact power of ten has mantissa 1
    m = lo / mpmath.power(10, e)
    assert 1 - 1e-15 <= m < 10
    x = 1.001 * m
    assert abs(x - mpmath.nint(x)) > 1e-6
    lo = mpmath.floor(x) * mpmath.power(10, e)
    to_rad = 2 * mpmath.pi if spec.hz else mp(1)
    llo, lhi = mpmath.log10(lo), mpmath.log10(hi)
    return np.array([float(mpmath.power(10, llo + (lhi - llo) * j / 350) * to_rad) for j in range(351)])


def phase_lag_deg(z, p, w):
    """Lag accumulated from 0: sum of arg(jw - p) minus sum of arg(jw - z). A conjugate pair of
    jw-axis zeros adds pi (a single zero at the origin pi/2) once w is past it."""
    s = 1j * w
    lag = sum(np.angle(s - pk) for pk in p) - sum(np.angle(s - zk) for zk in z)
    return math.degrees(lag)


def group_delay(p, w):
    return sum((-pk.real) / (pk.real ** 2 + (w - pk.imag) ** 2) for pk in p)


def residues(z, p, k):
    """Residues of H(s) at its (distinct) poles and H(0), in 40-digit arithmetic."""
    zm = [mpmath.mpc(x) for x in z]
    pm = [mpmath.mpc(x) for x in p]
    out = []
    for i, pi in enumerate(pm):
        num = mpmath.mpf(k)
        for zj in zm:
            num *= pi - zj
        for j, pj in enumerate(pm):
            if j != i:
                num /= pi - pj
        out.append(complex(num))
    h0 = mpmath.mpf(k)
    for zj in zm:
        h0 *= -zj
    for pj in pm:
        h0 /= -pj
    return out, float(mpmath.re(h0))


def time_response(p, r, h0, t):
    impulse = sum((ri * np.exp(pi * t)).real for pi, ri in zip(p, r))
    step = h0 + sum((ri / pi * np.exp(pi * t)).real for pi, ri in zip(p, r))
    return step, impulse


def check_against_scipy_time(z, p, k, r, h0):
    """The expansion against scipy.signal.impulse/step, on a time scale of the slowest pole."""
    if len(p) > 10:
        return
    scale = float(np.max(np.abs(p)))
    zn, pn = z / scale, p / scale
    kn = k * scale ** (len(z) - len(p))
    tn = np.linspace(0, 30 / float(np.min(-pn.real)), 200)
    _, hi = signal.impulse((zn, pn, kn), T=tn)
    _, hs = signal.step((zn, pn, kn), T=tn)
    ys, yi = zip(*(time_response(p, r, h0, tau / scale) for tau in tn))
    peak_i = np.max(np.abs(hi))
    assert np.max(np.abs(np.array(yi) / scale - hi)) <= 1e-6 * peak_i
    assert np.max(np.abs(np.array(ys) - hs)) <= 1e-6 * max(np.max(np.abs(hs)), 1)


def max_pole_q(spec, p):
    complex_poles = [x for x in p if x.imag > 0]
    if complex_poles:
        return max(abs(x) / (-2 * x.real) for x in complex_poles)
    real = [-x.real for x in p]
    if spec.band and len(real) == 2:
        return math.sqrt(real[0] * real[1]) / (real[0] + real[1])
    return None


def approximation(spec, approx, n, rounded, inverse_result):
    final_order = 2 * n if spec.band else n
    entry = {"name": NAMES[approx], "order": final_order, "order_too_high": final_order > MAX_ORDER,
             "failed": False}
    if entry["order_too_high"]:
        return entry, None
    note = {}
    if approx == 0:
        z, p, k = butterworth(spec, n)
    elif approx == 1:
        z, p, k = chebyshev(spec, n)
    elif approx == 2:
        z, p, k, reached = inverse_chebyshev(spec, n, rounded)
        entry["epsilon_rule"] = "forced" if spec.forced else ("rounded_up" if rounded else "exact_order")
        if spec.forced:
            entry["reached_asb"] = reached
    elif approx == 3:
        if n == 1 and (spec.forced or spec.band):
            # The first-order elliptic filter is the inverse Chebyshev one of the same calculation.
            entry.update({k_: v for k_, v in inverse_result.items() if k_ not in ("name", "epsilon_rule",
                                                                                 "reached_asb")})
            entry["name"] = NAMES[3]
            return entry, None
        result = elliptic(spec, n)
        if result is None:
            entry["failed"] = True
            return entry, None
        z, p, k, rp, rs = result
        entry["effective_apb"] = rp
        note = {"effective_apb": rp, "effective_asb": rs}
    else:
        z, p, k = bessel(spec, n)
        # d ln|H| / d ln w at the prototype's Apb point w = 1: what turns the bisection's 1e-4 dB
        # into a frequency error.
        entry["apb_point_slope"] = float(abs(np.sum((1j / (1j - p)).real)))
    z, p, k = transform(spec, approx, *zpk_float(z, p, k))
    z = clean_roots(z, True)
    p = clean_roots(p, False)
    assert np.all(p.real < 0)
    q = max_pole_q(spec, p)
    entry["max_pole_q"] = None if q is None else float(q)
    entry["failed"] = bool(q is not None and q > MAX_Q)
    entry["poles"] = [[r.real, r.imag] for r in upper_half(p)]
    entry["zeros"] = sorted(abs(r.imag) for r in upper_half(z))
    entry["gain_const"] = k
    w = spec.grid
    h = signal.freqs_zpk(z, p, k * spec.gain, worN=w)[1]
    # A grid point on a jw-axis zero (the center of a bandstop): gain 0, phase undefined (null).
    on_zero = [bool(np.any(np.abs(1j * x - z) <= 1e-12 * x)) for x in w]
    entry["gain_vv"] = [0.0 if hit else float(abs(x)) for x, hit in zip(h, on_zero)]
    entry["phase_lag_deg"] = [None if hit else phase_lag_deg(z, p, x) for x, hit in zip(w, on_zero)]
    entry["delay_s"] = [float(group_delay(p, x)) for x in w]
    if approx in (2, 3):
        entry["notch_points"] = notch_points(z, w)
    r, h0 = residues(z, p, k * spec.gain)
    check_against_scipy_time(z, p, k * spec.gain, r, h0)
    entry["time"] = {"poles": [[x.real, x.imag] for x in p], "residues": [[x.real, x.imag] for x in r],
                     "h0": h0}
    return entry, note


def notch_points(z, w):
    lw0, lw1 = math.log10(w[0]), math.log10(w[-1])
    points = set()
    for wz in {abs(x.imag) for x in z if x.imag > 0}:
        if w[0] <= wz <= w[-1]:
            pos = 350 * (math.log10(wz) - lw0) / (lw1 - lw0)
            assert abs(pos - math.floor(pos) - 0.5) > 1e-6
            points.add(int(math.floor(pos + 0.5)))
    return sorted(points)


def make_case(row):
    name, kind, apb, asb, f1, f2, f0, unit, forced, gain = row
    spec = Spec(kind, apb, asb, f1, f2, f0, unit, forced, gain)
    spec.grid = default_grid(spec)
    orders, rounded = closed_form_orders(spec)
    orders.append(bessel_order(spec))
    out = {"case": name,
           "spec": {"kind": kind, "apb": apb, "asb": asb, "f1": f1, "f2": f2, "f0": f0, "unit": unit,
                    "force_order": forced, "gain": gain},
           "w": [float(x) for x in spec.grid], "approximations": []}
    inverse = None
    for approx in range(5):
        entry, note = approximation(spec, approx, orders[approx], rounded[min(approx, 3)], inverse)
        if approx == 2:
            inverse = entry
        if note:
            print("  %s %s: Apb %s dB gives the exact elliptic filter of %.9f dB ripple (stopband %.4f dB)" %
                  (name, NAMES[approx], apb, note["effective_apb"], note["effective_asb"]))
        out["approximations"].append(entry)
    return out


def main():
    folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "fixtures", "approx")
    os.makedirs(folder, exist_ok=True)
    for row in CASES:
        case = make_case(row)
        print(row[0], [(a["name"], a["order"], "too high" if a["order_too_high"] else
                        ("failed" if a["failed"] else "")) for a in case["approximations"]])
        with open(os.path.join(folder, row[0] + ".json"), "w") as f:
            json.dump(case, f, indent=0)
            f.write("\n")


if __name__ == "__main__":
    main()
