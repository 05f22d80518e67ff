#include "circuits/network/realized_figures.h"

#include <cmath>
#include <limits>

#include "circuits/network/cubic_split.h"

namespace tavrel {

namespace {

long double Sqrt(long double x) { return x >= 0 ? std::sqrt(x) : std::numeric_limits<long double>::quiet_NaN(); }

// w and Q of the pair s^2 + b·s + c.
void PairOf(long double b, long double c, long double& w, long double& q) {
    w = Sqrt(c);
    q = b == 0 ? std::numeric_limits<long double>::infinity() : w / b;
}

}  // namespace

RealizedFigures RealizedFiguresOf(const StageFunction& f, const CircuitDefinition& circuit) {
    RealizedFigures r;
    r.gain = f.k;
    if (IsFirstOrderStage(circuit.stageType)) {
        r.wc = f.d[0];
        return r;
    }
    const bool notch = IsNotchStage(circuit.stageType);
    if (circuit.thirdOrder) {
        const CubicSplit poles = SplitCubic(f.d[2], f.d[1], f.d[0]);
        PairOf(poles.b1, poles.b0, r.wp, r.qp);
        r.p3 = poles.root;
        if (notch) {
            const CubicSplit zeros = SplitCubic(f.n[2], f.n[1], f.n[0]);
            PairOf(zeros.b1, zeros.b0, r.wz, r.qz);
        }
        return r;
    }
    PairOf(f.d[1], f.d[0], r.wp, r.qp);
    if (notch) PairOf(f.n[1], f.n[0], r.wz, r.qz);
    return r;
}

}  // namespace tavrel
