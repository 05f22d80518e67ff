#pragma once
#include <optional>
#include <string>

namespace tavrel {

std::string Fixed(long double x, int width, int decimals);
std::string Sci(long double x, int width, int decimals);
std::string TrimZeros(std::string s);
std::string TrimLeading(std::string s);
std::string TrimTrailing(std::string s);
std::string RoundToWidth(const std::string& s, int n);

std::string FormatCapacitance(long double farads, bool spiceDigits = false);
std::string FormatResistance(long double ohms, bool spiceDigits = false);
std::string FormatFrequency(long double radPerSecond, bool hzUnits);

// Plain decimal conversion (blanks around the number are ignored); empty or
// unconvertible text gives 0. A number beyond the extended range is an arithmetic failure.
long double ReadReal(const std::string& text);

// True when text is a complete plain decimal number (digits, point, sign, exponent).
bool IsPlainNumber(const std::string& text);

// A number as an engineer types it: a plain decimal number, optionally followed directly
// (no blank) by one of the prefixes p n u m k M G, as in "4.7n" or "2k"; blanks around the
// whole are ignored. Anything else, and a value beyond the extended range, gives nullopt.
std::optional<long double> ReadEngineeringNumber(const std::string& text);

}  // namespace tavrel
