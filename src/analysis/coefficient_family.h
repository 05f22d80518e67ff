#pragma once
#include <span>
#include <string>

namespace tavrel {

enum class CoefficientForm {
    Monic,         // d0, d1 of s^2 + d1·s + d0
    UnitConstant,  // a, b of a·s^2 + b·s + 1
};

// How a circuit's coefficient routine returns its values.
struct CoefficientFamilyRow {
    int stageType;
    int circuitIndex;
    CoefficientForm form;
    bool thirdOrder;
    bool inverting;
    const char* listed;  // resistors whose values enter d0, as "R1,R2"; empty for all of them
};

std::span<const CoefficientFamilyRow> CoefficientFamily();
const CoefficientFamilyRow* FindFamilyRow(int stageType, int circuitIndex);

// The resistor list text: the count and the numbers, two digits each, separated by commas
// ("02,01,02" for R1 and R2). resistorCount resolves the empty "all" entry.
std::string ResistorListText(const CoefficientFamilyRow& row, int resistorCount);

}  // namespace tavrel
