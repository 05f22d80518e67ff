#!/usr/bin/env python3
"""Writes data/BessRoot.dat: the roots of the Bessel polynomials of orders 1 to 20.

The roots of the reverse Bessel polynomial theta_n(s) (unit delay at DC) are badly
conditioned at high order, so they are found with mpmath at 80 digits and polished with
Newton steps on the exact integer coefficients before being rounded to Real48.

Layout: 20 blocks of 120 bytes, block n at (n-1)*120; 10 entries of 12 bytes, each the
Real48 sigma (> 0, the root is -sigma +- j omega) and the Real48 omega. For odd n entry 0
is the real root, then the complex pairs by increasing omega; unused entries are zero.
"""
import math
import os
import sys

import mpmath

mpmath.mp.dps = 80


def bessel_coefficients(n):
    """theta_n(s) = sum a_k s^k, a_k = (2n-k)! / (2^(n-k) k! (n-k)!), highest power first."""
    coeffs = [math.factorial(2 * n - k) // (2 ** (n - k) * math.factorial(k) * math.factorial(n - k))
              for k in range(n + 1)]
    return list(reversed(coeffs))


def bessel_roots(n):
    coeffs = [mpmath.mpf(c) for c in bessel_coefficients(n)]
    roots = mpmath.polyroots(coeffs, maxsteps=2000, extraprec=400)
    polished = []
    for r in roots:
        for _ in range(20):
            p = mpmath.polyval(coeffs, r)
            dp = mpmath.polyval([c * (len(coeffs) - 1 - i) for i, c in enumerate(coeffs[:-1])], r)
            r = r - p / dp
        polished.append(r)
    return polished


def real48(x):
    """The 6 bytes of x rounded to nearest with 39 fraction bits."""
    if x == 0:
        return bytes(6)
    negative = x < 0
    m, e = mpmath.frexp(abs(mpmath.mpf(x)))  # x = m * 2^e, 0.5 <= m < 1
    scaled = int(mpmath.nint(mpmath.ldexp(m, 40)))
    if scaled == 1 << 40:
        scaled >>= 1
        e += 1
    exponent = e - 1 + 129
    assert 1 <= exponent <= 255
    bits = (scaled - (1 << 39)) | ((1 << 39) if negative else 0)
    return bytes([exponent]) + bits.to_bytes(5, "little")


def order_block(n):
    roots = bessel_roots(n)
    real = [r for r in roots if abs(mpmath.im(r)) < mpmath.mpf(10) ** -40]
    upper = sorted((r for r in roots if mpmath.im(r) > mpmath.mpf(10) ** -40), key=lambda r: mpmath.im(r))
    entries = []
    for r in real:
        entries.append((-mpmath.re(r), 0))
    for r in upper:
        entries.append((-mpmath.re(r), mpmath.im(r)))
    assert len(entries) == (n + 1) // 2
    block = b"".join(real48(s) + real48(w) for s, w in entries)
    return block + bytes(120 - len(block))


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "data", "BessRoot.dat")
    data = b"".join(order_block(n) for n in range(1, 21))
    assert len(data) == 2400
    with open(out, "wb") as f:
        f.write(data)


if __name__ == "__main__":
    main()
