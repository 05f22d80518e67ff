#include "cli/number_arguments.h"

#include <stdexcept>

#include "core/number_format.h"

namespace tavrel::cli {

long double PositiveNumber(const std::string& text, const std::string& what) {
    if (!IsPlainNumber(text)) throw std::invalid_argument(what + " is not a number: \"" + text + "\"");
    const long double value = ReadReal(text);
    if (!(value > 0)) throw std::invalid_argument(what + " must be positive: " + text);
    return value;
}

}  // namespace tavrel::cli
