#pragma once
#include <array>

#include "circuits/network/component_values.h"
#include "circuits/records/design.h"

namespace tavrel {

// The versions of the realised filter the final responses compare, numbered as the window's
// check boxes: 1 " Standard C, exact R" (the values as calculated), 2 " Exact C substitution"
// (after exact capacitor values were put in), 3 " Standard R substitution" (after standard
// resistor values were put in). The user-assigned resistor values are not a version of their
// own but switch into whichever versions are shown.
inline constexpr int kVersionCount = 3;

// The check box of each version and the colour of its curve (index version - 1), and the box
// that switches the user-assigned values in, drawn in the colour of the highest version shown.
enum class CurveColour { Black, Red, Purple };
struct VersionBox {
    const char* caption;
    CurveColour colour;
};
inline constexpr std::array<VersionBox, kVersionCount> kVersionBoxes{{
    {" Standard C, exact R", CurveColour::Black},
    {" Exact C substitution", CurveColour::Red},
    {" Standard R substitution", CurveColour::Purple},
}};
inline constexpr const char* kUserValuesBox = " User-assigned R values";

// Which substitutions the design has been through, and whether any resistor carries a value
// the user assigned.
struct VersionAvailability {
    bool exactCapacitors = false;    // some stage's capacitors were adjusted to exact values
    bool standardResistors = false;  // standard resistor values are substituted
    bool userResistors = false;      // a resistor of some stage carries a user-assigned value
};
VersionAvailability AvailabilityOf(const Design& design);

// What is computed: every available version (the window), or only the highest one with the
// capacitors in force (printing); and whether the user-assigned values are switched in.
struct VersionChoice {
    bool userValues = false;
    bool highestOnly = false;
};

// The versions computed, by index version - 1.
std::array<bool, kVersionCount> ComputedVersions(const VersionAvailability& available, const VersionChoice& choice);

// The highest version available: 3 with standard resistors, else 2 with exact capacitors, else 1.
int HighestVersion(const VersionAvailability& available);

// The component values of one stage in each computed version (index version - 1; versions
// not computed are left empty). Later versions fall back on earlier ones where they keep a
// value, so the three are worked out together.
std::array<ComponentValues, kVersionCount> StageVersionValues(const StageCircuitRecord& record,
                                                              const VersionAvailability& available,
                                                              const VersionChoice& choice);

}  // namespace tavrel
