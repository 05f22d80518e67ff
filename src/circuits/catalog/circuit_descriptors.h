#pragma once
#include <array>
#include <string>

namespace tavrel {

// The twelve fields of a calculation descriptor.
struct CalcDescriptor {
    bool c2Adjustable = false;
    long double capRatio = 0;
    int resistorCount = 0;
    int capacitorCount = 0;
    bool gainPair = false;
    bool c2VariableOption = false;
    bool gainForced = false;
    int opAmpCount = 0;
    bool twinT = false;
    bool inverting = false;
    bool hasCompVariant = false;
    int compVariant = 0;
};

// How the resistors are re-solved when capacitors are changed one by one.
struct AdjustDescriptor {
    int field1 = 0;
    int field2 = 0;
    int heldCount = 0;                      // N
    std::array<int, 5> resistors{};         // r1..r5, the first N used
    std::array<int, 3> extraParameters{};   // codes of the 3rd, 4th and 5th held parameters
    char flag34 = '0';
    bool keepCapRatio = false;              // character 35 is "1"
};

// Field n (1-based) of a descriptor, from its fixed character positions.
CalcDescriptor ParseCalcDescriptor(const std::string& text);
AdjustDescriptor ParseAdjustDescriptor(const std::string& text);

}  // namespace tavrel
