#include "circuits/equations/design_fliege_pass.h"

#include "circuits/equations/design_skeleton.h"

namespace tavrel {

void DesignFliegePass(const StageRecord& stage, StageCircuitRecord& r) {
    const long double qp = stage.Qp;
    FixGain(r, 2);
    // Each op amp moves Q by ±(2·Qp + 1); the two shares cancel in k2 but not in its spread.
    SetOpAmpCoefficients(r, 2, 0, 2, 2 * (2 * qp + 1) * (2 * qp + 1));
    PreDistort(stage, r);
    const long double w = r.DesignW, q = r.DesignQ;
    const long double c1 = C(r, 1).Value, c2 = C(r, 2).Value;
    R(r, 2).Value = 1 / (c1 * w);
    R(r, 3).Value = 1 / (c2 * w);
    R(r, 1).Value = q * R(r, 2).Value;
    R(r, 4).Value = R(r, 5).Value = R(r, 2).Value;
    const long double r4 = R(r, 4).Value, r5 = R(r, 5).Value, g = r4 / (r4 + r5);
    SetSensitivities(R(r, 1), 0, 1, 0);
    SetSensitivities(R(r, 2), -0.5L, -0.5L, 0);
    SetSensitivities(R(r, 3), -0.5L, -0.5L, 0);
    SetSensitivities(R(r, 4), 0.5L, 0.5L, g);
    SetSensitivities(R(r, 5), -0.5L, -0.5L, -g);
    SetSensitivities(C(r, 1), -0.5L, 0.5L, 0);
    SetSensitivities(C(r, 2), -0.5L, -0.5L, 0);
    CheckComponentValues(r);
}

}  // namespace tavrel
