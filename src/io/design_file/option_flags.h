#pragma once
#include <string>

#include "circuits/records/design.h"

namespace tavrel {

// The 40 characters of the design file's option string, "1" where a flag is true.
inline constexpr int kOptionFlagCount = 40;

// What opening a design does with the character at a position.
enum class FlagOnOpen {
    Restored,     // the flag is set from the file
    NotRestored,  // written as the program has it; opening leaves the program's value alone
    AlwaysZero,   // written as "0", ignored on opening
};

struct OptionFlagRow {
    int position;  // 1..40
    const char* flag;
    FlagOnOpen onOpen;
};

// One row per position, in order.
const OptionFlagRow (&OptionFlagTable())[kOptionFlagCount];

// The option string of the design.
std::string OptionFlagsText(const Design& design);

// Sets the flags the table restores from the characters of an option string (a position past
// the end of the text reads as "0").
void ApplyOptionFlags(const std::string& text, Design& design);

// Position of the flag that says the resistor-trim block follows the cascading preferences.
inline constexpr int kTrimBlockFlag = 36;

}  // namespace tavrel
