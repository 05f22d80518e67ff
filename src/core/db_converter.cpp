#include "core/db_converter.h"

#include <cmath>
#include <cstring>

#include "core/math_helpers.h"
#include "core/number_format.h"

namespace tavrel {

std::optional<std::string> ConvertDbToVv(DbConverter& converter) {
    if (converter.holds != DbConverter::Holds::Db) return std::nullopt;
    const long double x = ReadReal(converter.text);
    if (std::fabs(x) > 700) return std::string(kDbLimitMessage);
    converter.text = Sci(Pow10(x / 20), 15, 6);
    converter.holds = DbConverter::Holds::VoltsPerVolt;
    return std::nullopt;
}

std::optional<std::string> ConvertVvToDb(DbConverter& converter) {
    if (converter.holds != DbConverter::Holds::VoltsPerVolt) return std::nullopt;
    const long double x = ReadReal(converter.text);
    std::optional<std::string> message;
    if (x < 0) message = kNegativeSignMessage;
    // 0 V/V shows the log10 convention for 0 itself: -1000.
    const long double db = x == 0 ? Log10(0) : 20 * Log10(std::fabs(x));
    converter.text = TrimZeros(Fixed(db, 10, 6));
    converter.holds = DbConverter::Holds::Db;
    return message;
}

bool DbConverterAcceptsChar(char c) { return c != 0 && std::strchr("0123456789.+-eE\b", c) != nullptr; }

}  // namespace tavrel
