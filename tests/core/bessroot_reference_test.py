#!/usr/bin/python3
"""data/BessRoot.dat against scipy.signal.besselap(norm='delay'), orders 1 to 20.

Decodes the Real48 values itself (exponent byte biased by 129, 39 fraction bits, sign in the top
bit) and requires every sigma and omega to equal scipy's root to within half a Real48 unit plus
scipy's own error (its roots come from a double-precision polynomial solver, about 1e-13 of the
largest root magnitude at order 20)."""
import sys

import numpy as np
from scipy import signal


def real48(b):
    if b[0] == 0:
        return 0.0
    bits = int.from_bytes(b[1:6], "little")
    fraction = bits & ((1 << 39) - 1)
    sign = -1.0 if bits >> 39 else 1.0
    return sign * (1 + fraction / 2.0 ** 39) * 2.0 ** (b[0] - 129)


def main(path):
    data = open(path, "rb").read()
    assert len(data) >= 2400, "table shorter than 2400 bytes"
    worst = 0.0
    for n in range(1, 21):
        block = data[(n - 1) * 120:n * 120]
        entries = [(real48(block[12 * j:12 * j + 6]), real48(block[12 * j + 6:12 * j + 12]))
                   for j in range((n + 1) // 2)]
        if n % 2:
            assert entries[0][1] == 0, "order %d: real root with an imaginary part" % n
        file_roots = sorted((-s, w) for s, w in entries)
        p = signal.besselap(n, norm="delay")[1]
        upper = sorted((r.real, abs(r.imag) if abs(r.imag) > 1e-9 else 0.0) for r in p if r.imag >= -1e-9)
        assert len(upper) == len(file_roots), "order %d: %d roots, scipy %d" % (n, len(file_roots), len(upper))
        largest = max(abs(complex(*r)) for r in upper)
        for (fr, fi), (sr, si) in zip(file_roots, upper):
            assert fr < 0, "order %d: sigma must be positive" % n
            for got, want in ((fr, sr), (fi, si)):
                error = abs(got - want)
                allowed = 2.0 ** -40 * abs(want) + 1e-13 * largest
                worst = max(worst, error / allowed)
                assert error <= allowed, "order %d: %r against scipy %r" % (n, got, want)
    print("BessRoot.dat matches scipy for orders 1..20 (worst error %.2f of the allowance)" % worst)


if __name__ == "__main__":
    main(sys.argv[1])
