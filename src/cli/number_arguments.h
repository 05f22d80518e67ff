#pragma once
#include <string>

namespace tavrel::cli {

// A positive number as typed on the command line; throws std::invalid_argument naming `what`
// for text that is no plain number or a value that is not positive. Beyond the extended range
// it is an arithmetic failure.
long double PositiveNumber(const std::string& text, const std::string& what);

}  // namespace tavrel::cli
