#pragma once
#include <string>
#include <vector>

namespace tavrel::cli {

// Every number the commands take may be written as an engineer writes it: plain ("4700",
// "4.7e3") or with one suffix p n u m k K M MEG meg G ("4.7K", "10n", "1.5M").

// The value of an option; text that is no such number is bad usage (std::invalid_argument
// naming the option). A value beyond the extended range is an arithmetic failure.
long double NumberOption(const std::string& text, const std::string& option);

// As NumberOption, and a value that is not positive is bad usage too.
long double PositiveNumber(const std::string& text, const std::string& what);

// The specification entry a suffixed number stands for, written out in full ("2k" becomes
// "2000"); any other text is passed on as typed, so that the entry check reads a plain number
// itself and refuses the rest with the program's own message. A suffixed value beyond the
// extended range is an arithmetic failure here.
std::string EntryText(const std::string& text);

// The items of a comma-separated list, empty items included.
std::vector<std::string> SplitList(const std::string& text);

}  // namespace tavrel::cli
