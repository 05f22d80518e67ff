#include "cli/number_option.h"

#include <cstdio>
#include <stdexcept>

#include "core/number_format.h"

namespace tavrel::cli {

long double NumberOption(const std::string& text, const std::string& option) {
    const auto value = ReadEngineeringNumber(text);
    if (!value) throw std::invalid_argument(option + " is not a number: \"" + text + "\"");
    return *value;
}

long double PositiveNumber(const std::string& text, const std::string& what) {
    const long double value = NumberOption(text, what);
    if (!(value > 0)) throw std::invalid_argument(what + " must be positive: " + text);
    return value;
}

std::string EntryText(const std::string& text) {
    if (IsPlainNumber(text)) return text;
    const auto value = ReadEngineeringNumber(text);
    if (!value) return text;
    // 21 significant digits give back the same extended value when the entry is read.
    char written[64];
    std::snprintf(written, sizeof written, "%.21Lg", *value);
    return written;
}

std::vector<std::string> SplitList(const std::string& text) {
    std::vector<std::string> items;
    size_t start = 0;
    for (size_t comma = text.find(',');; comma = text.find(',', start)) {
        items.push_back(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return items;
}

}  // namespace tavrel::cli
