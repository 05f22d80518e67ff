#include "circuits/equations/component_polynomial.h"

#include <cmath>

#include "circuits/equations/design_skeleton.h"

namespace tavrel {

void ComponentPolynomial::Add(long double value, std::initializer_list<ComponentPower> powers) {
    terms_.push_back({value, std::vector<ComponentPower>(powers)});
}

long double ComponentPolynomial::Value() const {
    long double sum = 0;
    for (const Term& t : terms_) sum += t.value;
    return sum;
}

long double ComponentPolynomial::LogDerivative(char kind, int n) const {
    long double weighted = 0;
    for (const Term& t : terms_)
        for (const ComponentPower& p : t.powers)
            if (p.kind == kind && p.n == n) weighted += p.power * t.value;
    return weighted / Value();
}

void SetBandpassSlots(StageCircuitRecord& record, const ComponentPolynomial& a0, const ComponentPolynomial& a1,
                      const ComponentPolynomial& n1) {
    auto set = [&](ComponentEntry& e, char kind, int n) {
        const long double w = a0.LogDerivative(kind, n) / 2, d1 = a1.LogDerivative(kind, n);
        SetSensitivities(e, w, w - d1, n1.LogDerivative(kind, n) - d1);
    };
    for (int i = 1; i <= record.ResistorCount; ++i) set(R(record, i), 'R', i);
    for (int j = 1; j <= record.CapacitorCount; ++j) set(C(record, j), 'C', j);
}

}  // namespace tavrel
