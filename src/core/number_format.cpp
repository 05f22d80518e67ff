#include "core/number_format.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "core/arithmetic_failure.h"
#include "core/math_helpers.h"

namespace tavrel {

std::string Fixed(long double x, int width, int decimals) {
    if (!std::isfinite(x)) throw ArithmeticFailure(std::isnan(x) ? kInvalidOperationText : kOverflowText);
    const int size = std::snprintf(nullptr, 0, "%*.*Lf", width, decimals, x);
    std::vector<char> buffer(static_cast<size_t>(size) + 1);
    std::snprintf(buffer.data(), buffer.size(), "%*.*Lf", width, decimals, x);
    return std::string(buffer.data());
}

std::string Sci(long double x, int width, int decimals) {
    const char sign = x >= 0 ? ' ' : '-';
    long double m = std::fabs(x);
    if (!std::isfinite(m)) throw ArithmeticFailure(std::isnan(m) ? kInvalidOperationText : kOverflowText);
    if (m <= 1e-37L) m = 0;
    int e = 0;
    char exponentSign = '+';
    while (m >= 10) {
        m /= 10;
        ++e;
    }
    while (m < 0.99999999L && m != 0) {
        m *= 10;
        ++e;
        exponentSign = '-';
    }
    return std::string(1, sign) + TrimLeading(Fixed(m, width, decimals)) + "E" + exponentSign +
           std::to_string(e);
}

std::string TrimZeros(std::string s) {
    if (s.find('.') != std::string::npos) {
        while (!s.empty() && s.back() == '0') s.pop_back();
        if (!s.empty() && s.back() == '.') s.pop_back();
    }
    return TrimLeading(std::move(s));
}

std::string TrimLeading(std::string s) {
    s.erase(0, s.find_first_not_of(' ') == std::string::npos ? s.size() : s.find_first_not_of(' '));
    return s;
}

std::string TrimTrailing(std::string s) {
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
}

std::string RoundToWidth(const std::string& s, int n) {
    const size_t keep = static_cast<size_t>(n) + 1;
    if (s.size() <= keep) return s;
    std::string head = s.substr(0, keep);
    if (s[keep] >= '5' && s[keep] <= '9') {
        // Add one to the last kept digit and carry leftwards over the point.
        int i = static_cast<int>(keep) - 1;
        bool carry = true;
        while (carry && i >= 0) {
            if (head[i] == '.') {
                --i;
                continue;
            }
            if (head[i] == '9') {
                head[i] = '0';
                --i;
            } else {
                ++head[i];
                carry = false;
            }
        }
        if (carry) head.insert(head.begin(), '1');
        head.resize(keep);
    }
    if (head[keep - 1] == '.') head.resize(keep - 1);
    return head;
}

namespace {

struct Scaled {
    long double value;
    const char* suffix;
};

std::string ScaledWithDigits(const Scaled& scaled, int digits) {
    return RoundToWidth(TrimZeros(Fixed(scaled.value, 7, 4)), digits) + scaled.suffix;
}

}  // namespace

std::string FormatCapacitance(long double c, bool spiceDigits) {
    Scaled scaled{c, ""};
    if (c < 9.9999e-10L)
        scaled = {c * 1e12L, "pF"};
    else if (c < 9.9999e-7L)
        scaled = {c * 1e9L, "nF"};
    else if (c < 9.9999e-4L)
        scaled = {c * 1e6L, "uF"};
    return ScaledWithDigits(scaled, spiceDigits ? 5 : 3);
}

std::string FormatResistance(long double r, bool spiceDigits) {
    if (r == 0) return "  N/A";
    Scaled scaled{r, ""};
    if (r >= 1e9L)
        scaled = {r * 1e-9L, "G"};
    else if (r >= 1e6L)
        scaled = {r * 1e-6L, "M"};
    else if (r >= 1000)
        scaled = {r * 1e-3L, "K"};
    return ScaledWithDigits(scaled, spiceDigits ? 5 : 4);
}

std::string FormatFrequency(long double w, bool hzUnits) {
    const long double v = hzUnits ? w / (2 * kPi) : w;
    Scaled scaled{v, hzUnits ? " Hz" : " rad/s"};
    if (v >= 1e9L)
        scaled = {v * 1e-9L, hzUnits ? " GHz" : " Grad/s"};
    else if (v >= 1e6L)
        scaled = {v * 1e-6L, hzUnits ? " MHz" : " Mrad/s"};
    else if (v >= 1000)
        scaled = {v * 1e-3L, hzUnits ? " KHz" : " Krad/s"};
    return TrimZeros(Fixed(scaled.value, 7, 3)) + scaled.suffix;
}

bool IsPlainNumber(const std::string& text) {
    const std::string s = TrimTrailing(TrimLeading(text));
    size_t i = 0;
    auto digits = [&] {
        const size_t start = i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
        return i - start;
    };
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    size_t mantissaDigits = digits();
    if (i < s.size() && s[i] == '.') {
        ++i;
        mantissaDigits += digits();
    }
    if (mantissaDigits == 0) return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        if (digits() == 0) return false;
    }
    return i == s.size();
}

long double ReadReal(const std::string& text) {
    if (!IsPlainNumber(text)) return 0;
    const std::string s = TrimLeading(text);
    errno = 0;
    const long double value = std::strtold(s.c_str(), nullptr);
    if (errno == ERANGE && std::isinf(value)) throw ArithmeticFailure(kOverflowText);
    if (errno == ERANGE) return 0;  // below the extended range
    return value;
}

namespace {

// The prefixes an entry may end with; "m" is milli and "M" mega, as on a schematic.
struct EngineeringPrefix {
    char letter;
    long double factor;
};
constexpr EngineeringPrefix kEngineeringPrefixes[] = {{'p', 1e-12L}, {'n', 1e-9L}, {'u', 1e-6L}, {'m', 1e-3L},
                                                      {'k', 1e3L},   {'M', 1e6L},  {'G', 1e9L}};

}  // namespace

std::optional<long double> ReadEngineeringNumber(const std::string& text) {
    std::string s = TrimTrailing(TrimLeading(text));
    long double factor = 1;
    if (!s.empty()) {
        for (const EngineeringPrefix& prefix : kEngineeringPrefixes)
            if (s.back() == prefix.letter) {
                factor = prefix.factor;
                s.pop_back();
                break;
            }
    }
    // The prefix sits directly on the number: "2 k" is refused.
    if (!IsPlainNumber(s) || s != TrimTrailing(s)) return std::nullopt;
    errno = 0;
    const long double value = std::strtold(s.c_str(), nullptr);
    if (errno == ERANGE && std::isinf(value)) return std::nullopt;
    const long double scaled = (errno == ERANGE ? 0 : value) * factor;
    if (!std::isfinite(scaled)) return std::nullopt;
    return scaled;
}

}  // namespace tavrel
