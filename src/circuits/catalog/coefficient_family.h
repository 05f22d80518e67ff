#pragma once
#include <span>

namespace tavrel {

enum class CoefficientForm {
    Monic,         // d0, d1 of s^2 + d1·s + d0
    UnitConstant,  // a, b of a·s^2 + b·s + 1: the natural form of a function analysed in R and C
};

// How a circuit's transfer function is written, one row per circuit as the coefficient table
// lists them.
struct CoefficientFamilyRow {
    int stageType;
    int circuitIndex;
    CoefficientForm form;
    bool thirdOrder;
    bool inverting;
    const char* listed;  // resistors whose values enter d0, as "R1,R2"; empty for all of them
};

std::span<const CoefficientFamilyRow> CoefficientFamily();

}  // namespace tavrel
