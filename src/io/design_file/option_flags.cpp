#include "io/design_file/option_flags.h"

namespace tavrel {

namespace {

using enum FlagOnOpen;

constexpr OptionFlagRow kOptionFlags[kOptionFlagCount] = {
    {1, "AutoPairing", Restored},
    {2, "AutoCascading", Restored},
    {3, "DbDisplay", Restored},
    {4, "LogFrequencyAxis", Restored},
    {5, "display option", Restored},
    {6, "HzUnits", Restored},
    {7, "graph display option", Restored},
    {8, "ForceOrder", Restored},
    {9, "ViewAllApprox", Restored},
    {10, "grid lines (axis configuration)", Restored},
    {11, "grid lines (axis configuration)", Restored},
    {12, "AllPole", Restored},
    {13, "specification Next disabled", Restored},
    {14, "approximation redraw request", Restored},
    {15, "approximation redraw request", Restored},
    {16, "automatic-cascading option", Restored},
    {17, "automatic-cascading option", Restored},
    {18, "unused", Restored},
    {19, "UseQ", Restored},
    {20, "unused", Restored},
    {21, "DesignModified", Restored},
    {22, "circuit-calculation option", Restored},
    {23, "unused", Restored},
    {24, "component-characteristics option", Restored},
    {25, "always 0", AlwaysZero},
    {26, "graph and print display option", Restored},
    {27, "print option", NotRestored},
    {28, "print option", NotRestored},
    {29, "print option", Restored},
    {30, "print option", Restored},
    {31, "print option", Restored},
    {32, "print option", Restored},
    {33, "unused (same as 23)", Restored},
    {34, "circuit option", Restored},
    {35, "circuit option", Restored},
    {36, "resistor-trim block present", Restored},
    {37, "&All capacitors standard values", Restored},
    {38, "always 0", AlwaysZero},
    {39, "always 0", AlwaysZero},
    {40, "always 0", AlwaysZero},
};

// Where the flag at a position lives: a field of the design's own, or its kept window option.
// Position 33 repeats the flag of position 23, so both read and write the same place.
template <class D>
auto* FlagOf(D& design, int position) {
    switch (position) {
        case 1: return &design.State.AutoPairing;
        case 2: return &design.State.AutoCascading;
        case 3: return &design.State.DbDisplay;
        case 4: return &design.State.LogFrequencyAxis;
        case 6: return &design.State.HzUnits;
        case 8: return &design.State.ForceOrder;
        case 12: return &design.State.AllPole;
        case 19: return &design.Stages.Criteria.UseQ;
        case 21: return &design.State.DesignModified;
        case 33: return &design.WindowOptionFlags[23];
        case 37: return &design.Options.AllCapsStandard;
        default: return &design.WindowOptionFlags[static_cast<std::size_t>(position)];
    }
}

// A resistor of a stage carries a hand-typed value: the trim block must be written.
bool HasResistorTrims(const Design& design) {
    for (int s = 1; s <= design.State.StageCount && s <= kMaxStages; ++s)
        for (const ComponentEntry& r : design.Circuit(s).Resistors)
            if (r.UserFixed != 0 || r.UserValue != 0) return true;
    return false;
}

}  // namespace

const OptionFlagRow (&OptionFlagTable())[kOptionFlagCount] { return kOptionFlags; }

std::string OptionFlagsText(const Design& design) {
    std::string text(kOptionFlagCount, '0');
    for (const OptionFlagRow& row : kOptionFlags) {
        if (row.onOpen == AlwaysZero) continue;
        bool on = *FlagOf(design, row.position);
        if (row.position == kTrimBlockFlag) on = on || HasResistorTrims(design);
        text[static_cast<std::size_t>(row.position - 1)] = on ? '1' : '0';
    }
    return text;
}

void ApplyOptionFlags(const std::string& text, Design& design) {
    for (const OptionFlagRow& row : kOptionFlags) {
        if (row.onOpen != Restored) continue;
        const auto at = static_cast<std::size_t>(row.position - 1);
        *FlagOf(design, row.position) = at < text.size() && text[at] == '1';
    }
}

}  // namespace tavrel
