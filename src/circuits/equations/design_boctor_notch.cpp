#include <cmath>

#include "circuits/equations/design_notch_common.h"
#include "circuits/equations/design_single_amplifier_notch.h"
#include "circuits/equations/design_skeleton.h"

namespace tavrel {

namespace {

// The impedance level of the input divider R5/R6, the program's default resistor.
constexpr long double kDividerLevel = 10000;

}  // namespace

// Boctor Second Order Lowpass Notch. The passive network R1, R2, R4, C1 (to the output), C2
// (from the input) with the amplifier's inverting input at R2, R3 gives
//   wp² = 1/(C1·C2·R1·R2), wp/Qp = (1/R1 + 1/R2 + 1/R4)/C2,
//   (wz/wp)² = 1 + R1/R4 + (R1 + R2)/R3 + R1·R2/(R3·R4),
// and the input reaches the non-inverting input through the divider R5/R6, whose fraction is
// the gain at infinity K = R6/(R5 + R6); the notch (no s term in the numerator) fixes it.
// With R1 = R2 and C2 = (1/j + 2)²·Q²·C1 the network needs R4 = j·R1, and R3 is positive for
// the integer j > 1/((Wz/W)² - 1): the smallest such j keeps R3 lowest. Then
//   R5/R6 = ((Wz/W)² - 1 - 1/j + 1/Q²)/(2 + 1/j), K = (2 + 1/j)/(1 + (Wz/W)² + 1/Q²).
void DesignBoctorLowpassNotch(const StageRecord& stage, StageCircuitRecord& r) {
    const long double zp = stage.Wz / stage.Wp;
    SetOpAmpCoefficients(r, (1 + zp * zp) * stage.Qp / 2, -(3 - zp * zp) * stage.Qp / 2);
    PreDistort(stage, r);
    const long double w = r.DesignW, q = r.DesignQ, ratio = NotchRatio(stage, r);
    const long double c1 = C(r, 1).Value;
    // A zero at or below the pole leaves no j; the design is then invalid through R3.
    const long double j = ratio > 1 ? std::floor(1 / (ratio - 1)) + 1 : 1;
    const long double u = 1 / j + 2;
    C(r, 2).Value = u * u * q * q * c1;
    const long double r1 = 1 / (w * c1 * q * u);
    R(r, 1).Value = R(r, 2).Value = r1;
    R(r, 4).Value = j * r1;
    R(r, 3).Value = ratio - 1 - 1 / j > 0 ? r1 * u / (ratio - 1 - 1 / j) : -1;
    R(r, 6).Value = kDividerLevel / r.ScaleFactor;
    R(r, 5).Value = R(r, 6).Value * (ratio - 1 - 1 / j + 1 / (q * q)) / u;
    FixGain(r, u / (1 + ratio + 1 / (q * q)));
    NoteInputDivider(r, 5, 6);

    const ComponentValues v = ValuesOf(r);
    const auto& x = v.R;
    ComponentFigures sw, sq, sk;
    sw.R[1] = sw.R[2] = sw.C[1] = sw.C[2] = -0.5L;
    // Q = wp·C2/(1/R1 + 1/R2 + 1/R4).
    const long double g = 1 / x[1] + 1 / x[2] + 1 / x[4];
    sq = sw;
    sq.C[2] += 1;
    sq.R[1] += 1 / (x[1] * g);
    sq.R[2] += 1 / (x[2] * g);
    sq.R[4] = 1 / (x[4] * g);
    sk.R[6] = x[5] / (x[5] + x[6]);
    sk.R[5] = -sk.R[6];
    // wz² = P/(C1·C2·R1·R2·R3·R4), P = R1·R2 + R1·R3 + R1·R4 + R2·R4 + R3·R4: the share of
    // P's terms that hold a resistor, less 1, halved.
    const long double p = x[1] * x[2] + x[1] * x[3] + x[1] * x[4] + x[2] * x[4] + x[3] * x[4];
    ComponentFigures swz;
    swz.C[1] = swz.C[2] = -0.5L;
    swz.R[1] = 0.5L * (x[1] * (x[2] + x[3] + x[4]) / p - 1);
    swz.R[2] = 0.5L * (x[2] * (x[1] + x[4]) / p - 1);
    swz.R[3] = 0.5L * (x[3] * (x[1] + x[4]) / p - 1);
    swz.R[4] = 0.5L * (x[4] * (x[1] + x[2] + x[3]) / p - 1);
    SetSlots(r, sw, sq, sk);
    SetZeroFrequencySlots(r, swz);
    CheckComponentValues(r, true);
}

void NoteInputDivider(StageCircuitRecord& r, int series, int shunt, int otherShunt) {
    const long double g = 1 / R(r, series).Value;
    long double total = g + 1 / R(r, shunt).Value;
    if (otherShunt > 0) total += 1 / R(r, otherShunt).Value;
    r.InputAttenuation = total / g;
    r.AttenResistors = {static_cast<char>('0' + series), static_cast<char>('0' + shunt)};
}

}  // namespace tavrel
