#pragma once
#include <initializer_list>
#include <vector>

#include "circuits/records/stage_circuit_record.h"

namespace tavrel {

// One factor of a term: resistor or capacitor n raised to a power.
struct ComponentPower {
    char kind;  // 'R' or 'C'
    int n;
    int power;
};

// A coefficient of a stage's transfer function written as a sum of terms, each a constant
// times a product of component powers (the form nodal analysis gives). Its logarithmic
// derivative with respect to a component is the power-weighted share of the terms.
class ComponentPolynomial {
public:
    void Add(long double value, std::initializer_list<ComponentPower> powers);
    long double Value() const;
    // d ln|P| / d ln x of resistor or capacitor n.
    long double LogDerivative(char kind, int n) const;

private:
    struct Term {
        long double value;
        std::vector<ComponentPower> powers;
    };
    std::vector<Term> terms_;
};

// The pole frequency, pole Q and gain slots of every component of a bandpass stage whose
// transfer function is n1·s/(s² + a1·s + a0): wp² = a0, wp/Qp = a1, gain at wp n1/a1.
void SetBandpassSlots(StageCircuitRecord& record, const ComponentPolynomial& a0, const ComponentPolynomial& a1,
                      const ComponentPolynomial& n1);

}  // namespace tavrel
