#include "circuits/network/cubic_split.h"

#include <algorithm>
#include <cmath>

namespace tavrel {

namespace {

long double Value(long double c2, long double c1, long double c0, long double s) { return ((s + c2) * s + c1) * s + c0; }

// A real root by bisection inside the Cauchy bound, where the cubic changes sign.
long double RealRoot(long double c2, long double c1, long double c0) {
    long double hi = 1 + std::max({std::fabs(c2), std::fabs(c1), std::fabs(c0)});
    long double lo = -hi;
    for (int i = 0; i < 200 && lo < hi; ++i) {
        const long double mid = lo + (hi - lo) / 2;
        if (mid == lo || mid == hi) break;
        (Value(c2, c1, c0, mid) < 0 ? lo : hi) = mid;
    }
    return lo + (hi - lo) / 2;
}

CubicSplit Deflate(long double c2, long double c1, long double root) {
    CubicSplit split;
    split.root = root;
    split.b1 = c2 + root;
    split.b0 = c1 + root * split.b1;
    return split;
}

}  // namespace

CubicSplit SplitCubic(long double c2, long double c1, long double c0) {
    CubicSplit split = Deflate(c2, c1, RealRoot(c2, c1, c0));
    const long double discriminant = split.b1 * split.b1 - 4 * split.b0;
    if (discriminant < 0) return split;
    // Three real roots: keep the pair nearer the origin in the quadratic.
    const long double q = -(split.b1 + std::copysign(std::sqrt(discriminant), split.b1)) / 2;
    long double largest = split.root;
    for (const long double r : {q, q != 0 ? split.b0 / q : 0.0L})
        if (std::fabs(r) > std::fabs(largest)) largest = r;
    return largest == split.root ? split : Deflate(c2, c1, largest);
}

}  // namespace tavrel
