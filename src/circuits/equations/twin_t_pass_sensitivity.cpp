#include "circuits/equations/twin_t_pass_sensitivity.h"

#include "circuits/equations/sensitivity.h"

namespace tavrel {

namespace {

// [SHP05]: C1, C2 in series from the input, R3 from their junction to the buffered fraction
// of the output, R1 to ground and R2 to the output from the node of C3.
long double HighpassD1(const TwinTValues& v) {
    const auto& R = v.R;
    const auto& C = v.C;
    return C[1] * R[3] * R[4] + C[1] * R[3] * R[5] + C[2] * R[1] * R[5] + C[2] * R[2] * R[5] + C[2] * R[3] * R[4] +
           C[2] * R[3] * R[5] + C[3] * R[1] * R[5];
}
long double HighpassD2(const TwinTValues& v) {
    const auto& R = v.R;
    const auto& C = v.C;
    return C[1] * C[2] * R[1] * R[3] * R[4] + C[1] * C[2] * R[1] * R[3] * R[5] + C[1] * C[2] * R[2] * R[3] * R[4] +
           C[1] * C[2] * R[2] * R[3] * R[5] + C[1] * C[3] * R[1] * R[3] * R[5] + C[2] * C[3] * R[1] * R[2] * R[5] +
           C[2] * C[3] * R[1] * R[3] * R[5];
}

// [SBP07]: R3, C1 from the input and C3, R1 to the follower's input, C2 and R2 to the output.
long double BandpassD1(const TwinTValues& v) {
    const auto& R = v.R;
    const auto& C = v.C;
    return C[1] * R[1] * R[4] + C[1] * R[2] * R[4] + C[1] * R[3] * R[4] + C[1] * R[3] * R[5] + C[2] * R[3] * R[4] +
           C[2] * R[3] * R[5] + C[3] * R[2] * R[4];
}
long double BandpassD2(const TwinTValues& v) {
    const auto& R = v.R;
    const auto& C = v.C;
    return C[1] * C[2] * R[1] * R[3] * R[4] + C[1] * C[2] * R[1] * R[3] * R[5] + C[1] * C[2] * R[2] * R[3] * R[4] +
           C[1] * C[2] * R[2] * R[3] * R[5] + C[1] * C[3] * R[1] * R[2] * R[4] + C[1] * C[3] * R[2] * R[3] * R[4] +
           C[2] * C[3] * R[2] * R[3] * R[4];
}

// Both cubics share d0 = 1/(C1·C2·C3·R1·R2·R3), written over the common denominator below.
long double FeedbackPairSum(const TwinTValues& v) { return v.R[4] + v.R[5]; }
long double CommonDenominator(const TwinTValues& v) {
    return v.C[1] * v.C[2] * v.C[3] * v.R[1] * v.R[2] * v.R[3] * (v.R[4] + v.R[5]);
}

// x·dP/dx / P of a polynomial of first degree in x: (P - P(x = 0)) / P.
long double LogSensitivityOf(TwinTPolynomial p, const TwinTValues& values, bool capacitor, int n) {
    TwinTValues v = values;
    const long double full = p(v);
    (capacitor ? v.C[static_cast<size_t>(n)] : v.R[static_cast<size_t>(n)]) = 0;
    return (full - p(v)) / full;
}

TwinTValues ValuesOf(const StageCircuitRecord& record) {
    TwinTValues v;
    for (int i = 1; i <= record.ResistorCount; ++i)
        v.R[static_cast<size_t>(i)] = record.Resistors[static_cast<size_t>(i - 1)].Value;
    for (int j = 1; j <= record.CapacitorCount; ++j)
        v.C[static_cast<size_t>(j)] = record.Capacitors[static_cast<size_t>(j - 1)].Value;
    return v;
}

long double RatioSensitivity(TwinTPolynomial numerator, TwinTPolynomial denominator, const TwinTValues& v,
                             bool capacitor, int n) {
    return LogSensitivityOf(numerator, v, capacitor, n) - LogSensitivityOf(denominator, v, capacitor, n);
}

}  // namespace

long double RatioOfComponentPolynomials(const StageCircuitRecord& record, TwinTPolynomial numerator,
                                        TwinTPolynomial denominator) {
    const TwinTValues v = ValuesOf(record);
    return numerator(v) / denominator(v);
}

void RatioSlots(StageCircuitRecord& record, TwinTPolynomial numerator, TwinTPolynomial denominator, int slot) {
    const TwinTValues v = ValuesOf(record);
    for (int i = 1; i <= record.ResistorCount; ++i)
        record.Resistors[static_cast<size_t>(i - 1)].Sens[static_cast<size_t>(slot)] =
            RatioSensitivity(numerator, denominator, v, false, i);
    for (int j = 1; j <= record.CapacitorCount; ++j)
        record.Capacitors[static_cast<size_t>(j - 1)].Sens[static_cast<size_t>(slot)] =
            RatioSensitivity(numerator, denominator, v, true, j);
}

const TwinTCubic& HighpassTwinTCubic() {
    static const TwinTCubic cubic{{FeedbackPairSum, HighpassD1, HighpassD2}, CommonDenominator};
    return cubic;
}

const TwinTCubic& LowpassTwinTCubic() { return HighpassTwinTCubic(); }

const TwinTCubic& BandpassTwinTCubic() {
    static const TwinTCubic cubic{{FeedbackPairSum, BandpassD1, BandpassD2}, CommonDenominator};
    return cubic;
}

void TwinTPassSlots(StageCircuitRecord& record, int stageType, long double q, const TwinTCubic& cubic) {
    const TwinTValues v = ValuesOf(record);
    SensitivityMatrix matrix{};
    for (int k = 0; k < 3; ++k) {
        const TwinTPolynomial p = cubic.numerators[static_cast<size_t>(k)];
        for (int i = 1; i <= record.ResistorCount; ++i)
            matrix[static_cast<size_t>(i - 1)][static_cast<size_t>(k)] =
                RatioSensitivity(p, cubic.denominator, v, false, i);
        for (int j = 1; j <= record.CapacitorCount; ++j)
            matrix[static_cast<size_t>(j - 1)][static_cast<size_t>(3 + k)] =
                RatioSensitivity(p, cubic.denominator, v, true, j);
    }
    const long double weight = 1 + 1 / q;
    SensitivityTransform(record, stageType, q, matrix, true, 1, weight, weight);
}

}  // namespace tavrel
