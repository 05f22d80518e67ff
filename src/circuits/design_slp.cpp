#include <cmath>

#include "circuits/design_routine.h"
#include "circuits/design_skeleton.h"

namespace tavrel {

namespace {

// Sallen-Key (SK) Second Order Lowpass I: R1 (input) and R2 in series, C2 from their junction
// to the output, C1 to ground at the follower's input.
// wp² = 1/(R1·R2·C1·C2), Q = sqrt(R1·R2·C1·C2)/(C1·(R1 + R2)).
void SetSallenKeyLowpassSensitivities(StageCircuitRecord& r) {
    const long double r1 = R(r, 1).Value, r2 = R(r, 2).Value;
    SetSensitivities(R(r, 1), -0.5L, 0.5L - r1 / (r1 + r2), 0);
    SetSensitivities(R(r, 2), -0.5L, 0.5L - r2 / (r1 + r2), 0);
    SetSensitivities(C(r, 1), -0.5L, -0.5L, 0);
    SetSensitivities(C(r, 2), -0.5L, 0.5L, 0);
}

// The smallest power of ten above x, from 10 up to 1 000 000.
long double DecadeAbove(long double x) {
    long double m = 10;
    while (m <= x && m < 1e6L) m *= 10;
    return m;
}

void DesignSallenKeyLowpassI(const StageRecord& stage, StageCircuitRecord& r) {
    const long double qp = stage.Qp;
    FixGain(r, 1);
    r.C2Adjustable = 0;
    if (!r.C2Variable) {
        SetOpAmpCoefficients(r, qp, -qp);
        PreDistort(stage, r);
        const long double w = r.DesignW, q = r.DesignQ;
        C(r, 2).Value = 4 * q * q * C(r, 1).Value;
        R(r, 1).Value = R(r, 2).Value = 1 / (2 * q * w * C(r, 1).Value);
    } else {
        // A decade capacitor ratio; the resistor ratio n² then gives the Q.
        const long double m = DecadeAbove(4 * qp * qp);
        r.CapRatio = m;
        C(r, 2).Value = C(r, 1).Value * m;
        const long double a = std::sqrt(m) / (2 * qp);
        if (a <= 1) {
            r.Invalid = 1;
            return;
        }
        const long double n = a + std::sqrt(a * a - 1);
        const long double x = (m + n * n + 1) / (std::sqrt(m) * n);
        SetOpAmpCoefficients(r, (x - 1 / qp) / 2, -(x - 1 / qp) / 2);
        PreDistort(stage, r);
        // The resistor ratio realises the pre-distorted Q.
        const long double ad = std::sqrt(m) / (2 * r.DesignQ);
        if (ad <= 1) {
            r.Invalid = 1;
            return;
        }
        const long double nd = ad + std::sqrt(ad * ad - 1);
        R(r, 2).Value = std::sqrt(m) * nd / (C(r, 2).Value * r.DesignW);
        R(r, 1).Value = R(r, 2).Value / (nd * nd);
    }
    SetSallenKeyLowpassSensitivities(r);
    CheckComponentValues(r);
}

constexpr DesignRoutine kSlpRoutines[] = {
    DesignSallenKeyLowpassI,
};

}  // namespace

std::span<const DesignRoutine> SlpDesignRoutines() { return kSlpRoutines; }

}  // namespace tavrel
