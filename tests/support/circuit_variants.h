#pragma once
// Every catalog circuit and every actively compensated variant, as cases of a parametrized
// suite.
#include <ostream>
#include <vector>

#include "circuits/catalog/circuit_definition.h"

namespace tavrel::testing_support {

struct Variant {
    const CircuitDefinition* circuit;
    bool compensated;
};

inline void PrintTo(const Variant& v, std::ostream* os) {
    *os << "circuit " << v.circuit->circuitNo << (v.compensated ? " compensated" : "");
}

inline std::vector<Variant> AllVariants() {
    std::vector<Variant> all;
    for (const CircuitDefinition& circuit : Circuits()) {
        all.push_back({&circuit, false});
        if (circuit.compensated) all.push_back({&circuit, true});
    }
    return all;
}

}  // namespace tavrel::testing_support
