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

// A value as an engineer types it: a plain decimal number (with an "e" exponent or not)
// followed directly by at most one suffix p n u m k M G ("m" milli, "M" mega; "K" and
// "MEG"/"meg" too), blanks around it ignored: "4.7K", "1.5M", "10n", "220p", "2e3k".
// Anything else ("2 k", "k2", "1kk", "nan", "") gives nullopt. A value beyond the extended
// range is an arithmetic failure; one below it gives 0.
std::optional<long double> ReadEngineeringNumber(const std::string& text);

}  // namespace tavrel
