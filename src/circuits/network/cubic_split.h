#pragma once

namespace tavrel {

// s^3 + c2·s^2 + c1·s + c0 = (s - root)·(s^2 + b1·s + b0): the real root and the quadratic
// factor left beside it. When all three roots are real, root is the one of largest magnitude,
// so the quadratic holds the pair nearer the origin.
struct CubicSplit {
    long double root = 0;
    long double b1 = 0, b0 = 0;
};

CubicSplit SplitCubic(long double c2, long double c1, long double c0);

}  // namespace tavrel
