#include "circuits/equations/twin_t_coefficients.h"

namespace tavrel {

long double Evaluate(const CubicCoefficient& coefficient, const ComponentValues& values) {
    return coefficient.numerator(values) / coefficient.denominator(values);
}

namespace {

// 1 - P(x = 0)/P of one polynomial for every component.
ComponentFigures PolynomialLogSensitivities(ComponentPolynomial p, const ComponentValues& values, int resistorCount,
                                            int capacitorCount) {
    ComponentFigures s;
    const long double whole = p(values);
    for (int i = 1; i <= resistorCount; ++i) {
        ComponentValues without = values;
        without.R[static_cast<size_t>(i)] = 0;
        s.R[static_cast<size_t>(i)] = 1 - p(without) / whole;
    }
    for (int j = 1; j <= capacitorCount; ++j) {
        ComponentValues without = values;
        without.C[static_cast<size_t>(j)] = 0;
        s.C[static_cast<size_t>(j)] = 1 - p(without) / whole;
    }
    return s;
}

}  // namespace

ComponentFigures LogSensitivities(const CubicCoefficient& coefficient, const ComponentValues& values,
                                  int resistorCount, int capacitorCount) {
    const ComponentFigures n = PolynomialLogSensitivities(coefficient.numerator, values, resistorCount, capacitorCount);
    const ComponentFigures d =
        PolynomialLogSensitivities(coefficient.denominator, values, resistorCount, capacitorCount);
    ComponentFigures s;
    for (size_t i = 0; i < s.R.size(); ++i) s.R[i] = n.R[i] - d.R[i];
    for (size_t j = 0; j < s.C.size(); ++j) s.C[j] = n.C[j] - d.C[j];
    return s;
}

}  // namespace tavrel

#include "circuits/equations/sensitivity.h"

namespace tavrel {

namespace {

SensitivityMatrix MatrixOf(const std::array<CubicCoefficient, 3>& coefficients, const ComponentValues& values,
                           int resistorCount, int capacitorCount) {
    SensitivityMatrix m{};
    for (size_t k = 0; k < 3; ++k) {
        const ComponentFigures s = LogSensitivities(coefficients[k], values, resistorCount, capacitorCount);
        for (int i = 1; i <= kMaxResistors; ++i) m[static_cast<size_t>(i - 1)][k] = s.R[static_cast<size_t>(i)];
        for (int j = 1; j <= kMaxCapacitors; ++j) m[static_cast<size_t>(j - 1)][k + 3] = s.C[static_cast<size_t>(j)];
    }
    return m;
}

}  // namespace

void CubicSlotsThroughMatrix(StageCircuitRecord& record, int stageType, long double qp, const CubicPolynomials& cubics,
                             long double poleWeight) {
    const ComponentValues v = ValuesOf(record);
    const int nr = record.ResistorCount, nc = record.CapacitorCount;
    SensitivityTransform(record, stageType, qp, MatrixOf(cubics.d, v, nr, nc), true, 1, poleWeight, poleWeight);
    SensitivityTransform(record, stageType, qp, MatrixOf(cubics.n, v, nr, nc), false, 1, 1, 1);
}

}  // namespace tavrel
