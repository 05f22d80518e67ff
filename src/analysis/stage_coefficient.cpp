#include "analysis/stage_coefficient.h"

#include <cmath>

#include "analysis/coefficient_family.h"
#include "analysis/nodal_analysis.h"
#include "circuits/circuit_catalog.h"
#include "circuits/netlist_templates.h"
#include "circuits/stage_type.h"

namespace tavrel {

namespace {

// The coefficients in the normal form H(s) = K·N(s)/D(s) with D monic.
struct NormalForm {
    TransferPolynomials h;  // as the nodal analysis gives them
    long double k = 0;
    std::array<long double, 4> d{};  // d0..d2 below the leading 1
    std::array<long double, 4> n{};  // n0..n2 as the routine returns them
};

long double At(const std::vector<long double>& p, int j) {
    return j < static_cast<int>(p.size()) ? p[static_cast<size_t>(j)] : 0;
}

// The circuit's function from its template, brought to the normal form of its stage type.
NormalForm NormalFormOf(const CoefficientWork& work, int stageType, const CoefficientFamilyRow& row) {
    const auto lines = FindTemplate(TemplateLibrary::Plain, TemplateKey(stageType, row.circuitIndex));
    NormalForm f;
    f.h = NodalTransfer(TemplateElements(lines.value_or(std::vector<std::string>{})), work.R, work.C);
    const TransferPolynomials& h = f.h;
    const int order = IsFirstOrder(stageType) ? 1 : row.thirdOrder ? 3 : 2;
    const long double lead = At(h.denominator, order);
    for (int j = 0; j < order; ++j) f.d[static_cast<size_t>(j)] = At(h.denominator, j) / lead;
    // c: numerator over the monic denominator.
    std::array<long double, 4> c{};
    for (int j = 0; j <= order; ++j) c[static_cast<size_t>(j)] = At(h.numerator, j) / lead;

    const bool lowpass = stageType == StageType::FLP || stageType == StageType::SLP;
    if (lowpass) {
        f.k = c[0] / f.d[0];
        f.n = {f.d[0], c[1] / f.k, c[2] / f.k, 0};
    } else if (stageType == StageType::SBP) {
        // The gain is referred to the pole frequency: N = d1·s (plus n2·s^2 for the twin-T).
        f.k = c[1] / f.d[1];
        f.n = {0, f.d[1], c[2] / f.k, 0};
    } else {
        // Highpass and notch types: K is the gain at infinite frequency.
        f.k = c[static_cast<size_t>(order)];
        for (int j = 0; j < order; ++j) f.n[static_cast<size_t>(j)] = c[static_cast<size_t>(j)] / f.k;
    }
    if (row.inverting) f.k = -f.k;
    return f;
}

// a and b of a polynomial c2·s^2 + c1·s + c0 written with constant term 1; a vanishing
// s^2 term gives a = 0.
long double UnitConstant(const std::vector<long double>& c, int power) {
    if (At(c, 0) == 0) return 0;
    return (power == 0 ? At(c, 2) : At(c, 1)) / At(c, 0);
}

}  // namespace

void LoadComponentValues(CoefficientWork& work, const StageCircuitRecord& record) {
    for (int i = 1; i <= record.ResistorCount && i <= kMaxResistors; ++i) {
        work.R[static_cast<size_t>(i)] = record.Resistors[static_cast<size_t>(i - 1)].Value;
        work.G[static_cast<size_t>(i)] = 1 / work.R[static_cast<size_t>(i)];
    }
    for (int j = 1; j <= record.CapacitorCount && j <= kMaxCapacitors; ++j) {
        work.C[static_cast<size_t>(j)] = record.Capacitors[static_cast<size_t>(j - 1)].Value;
        work.D[static_cast<size_t>(j)] = 1 / work.C[static_cast<size_t>(j)];
    }
}

long double StageCoefficient(CoefficientWork& work, int stageType, int circuitIndex, int kind, int power,
                             bool recordList) {
    work.UnitConstantForm = false;
    const CoefficientFamilyRow* row = FindFamilyRow(stageType, circuitIndex);
    if (row == nullptr || power < 0 || power > 3) return 0;
    const bool unitConstant = row->form == CoefficientForm::UnitConstant;
    work.UnitConstantForm = unitConstant;
    if (recordList && kind == CoefficientKind::Denominator && power == 0) {
        const CatalogRow* circuit = FindCircuit(stageType, circuitIndex);
        work.ResistorList = ResistorListText(*row, circuit ? circuit->resistorCount : 0);
    }
    const NormalForm f = NormalFormOf(work, stageType, *row);
    const size_t p = static_cast<size_t>(power);
    switch (kind) {
        case CoefficientKind::Denominator:
            return unitConstant && p < 2 ? UnitConstant(f.h.denominator, power) : f.d[p];
        case CoefficientKind::Numerator:
            if (unitConstant && p < 2 && IsNotch(stageType)) return UnitConstant(f.h.numerator, power);
            if (unitConstant && p == 1 && stageType == StageType::SBP) return UnitConstant(f.h.denominator, 1);
            return f.n[p];
        case CoefficientKind::GainConstant: return f.k;
        default: return 0;
    }
}

}  // namespace tavrel
