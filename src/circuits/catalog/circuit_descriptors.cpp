#include "circuits/catalog/circuit_descriptors.h"

#include "core/number_format.h"

namespace tavrel {

namespace {

// Fields sit at fixed character positions; a short text reads as zeros.
std::string Slice(const std::string& text, size_t first, size_t width) {
    return first < text.size() ? text.substr(first, width) : std::string();
}

int IntegerAt(const std::string& text, size_t first, size_t width) {
    return static_cast<int>(ReadReal(Slice(text, first, width)));
}

}  // namespace

CalcDescriptor ParseCalcDescriptor(const std::string& text) {
    CalcDescriptor d;
    d.c2Adjustable = IntegerAt(text, 0, 2) == 1;
    d.capRatio = ReadReal(Slice(text, 3, 3));
    d.resistorCount = IntegerAt(text, 7, 2);
    d.capacitorCount = IntegerAt(text, 10, 2);
    d.gainPair = IntegerAt(text, 13, 2) == 1;
    d.c2VariableOption = IntegerAt(text, 16, 2) == 1;
    d.gainForced = IntegerAt(text, 19, 2) == 1;
    d.opAmpCount = IntegerAt(text, 22, 2);
    d.twinT = IntegerAt(text, 25, 2) == 1;
    d.inverting = IntegerAt(text, 28, 2) == 1;
    d.hasCompVariant = IntegerAt(text, 31, 2) == 1;
    d.compVariant = IntegerAt(text, 34, 2);
    return d;
}

AdjustDescriptor ParseAdjustDescriptor(const std::string& text) {
    AdjustDescriptor d;
    d.field1 = IntegerAt(text, 0, 2);
    d.field2 = IntegerAt(text, 3, 2);
    d.heldCount = IntegerAt(text, 6, 2);
    for (size_t i = 0; i < d.resistors.size(); ++i) d.resistors[i] = IntegerAt(text, 9 + 3 * i, 2);
    for (size_t i = 0; i < d.extraParameters.size(); ++i) d.extraParameters[i] = IntegerAt(text, 24 + 3 * i, 2);
    d.flag34 = text.size() > 33 ? text[33] : '0';
    d.keepCapRatio = text.size() > 34 && text[34] == '1';
    return d;
}

}  // namespace tavrel
