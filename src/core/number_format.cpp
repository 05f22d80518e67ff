#include "core/number_format.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
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

namespace {

// Where a plain decimal number at the start of s ends: sign, digits with at most one point
// (at least one digit), then an exponent when "e" or "E" is followed by digits.
struct PlainNumberExtent {
    size_t mantissaEnd = 0;
    size_t end = 0;
};

std::optional<PlainNumberExtent> ScanPlainNumber(const std::string& s) {
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
    if (mantissaDigits == 0) return std::nullopt;
    PlainNumberExtent extent{i, i};
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        if (digits() > 0) extent.end = i;
    }
    return extent;
}

// strtold of a plain number: beyond the extended range an arithmetic failure, below it 0.
long double ConvertPlain(const std::string& s) {
    errno = 0;
    const long double value = std::strtold(s.c_str(), nullptr);
    if (errno == ERANGE && std::isinf(value)) throw ArithmeticFailure(kOverflowText);
    if (errno == ERANGE) return 0;
    return value;
}

std::string TrimBlanks(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The suffixes an engineer types after a value, as powers of ten. "m" is milli and "M" mega;
// "K" and "MEG"/"meg" are the spellings circuit simulators take.
struct EngineeringSuffix {
    const char* text;
    int exponent;
};
constexpr EngineeringSuffix kEngineeringSuffixes[] = {
    {"p", -12}, {"n", -9}, {"u", -6}, {"m", -3}, {"k", 3}, {"K", 3},
    {"M", 6},   {"MEG", 6}, {"meg", 6}, {"G", 9},
};

// A typed exponent with more digits than this is beyond any long double either way.
constexpr long kExponentCap = 100000;

long ReadExponent(const std::string& text) {
    long value = 0;
    size_t i = 0;
    const bool negative = text[i] == '-';
    if (text[i] == '+' || text[i] == '-') ++i;
    for (; i < text.size(); ++i) value = std::min(kExponentCap, value * 10 + (text[i] - '0'));
    return negative ? -value : value;
}

}  // namespace

bool IsPlainNumber(const std::string& text) {
    const std::string s = TrimTrailing(TrimLeading(text));
    const auto extent = ScanPlainNumber(s);
    return extent && extent->end == s.size();
}

std::optional<long double> ReadEngineeringNumber(const std::string& text) {
    const std::string s = TrimBlanks(text);
    const auto extent = ScanPlainNumber(s);
    if (!extent) return std::nullopt;
    const std::string suffixText = s.substr(extent->end);
    if (suffixText.empty()) return ConvertPlain(s);
    const EngineeringSuffix* suffix = nullptr;
    for (const EngineeringSuffix& candidate : kEngineeringSuffixes)
        if (suffixText == candidate.text) suffix = &candidate;
    if (suffix == nullptr) return std::nullopt;
    // The suffix joins the typed exponent, so that the value is rounded once: "4.7k" is
    // exactly what "4.7e3" is.
    long exponent = suffix->exponent;
    if (extent->end > extent->mantissaEnd)
        exponent += ReadExponent(s.substr(extent->mantissaEnd + 1, extent->end - extent->mantissaEnd - 1));
    return ConvertPlain(s.substr(0, extent->mantissaEnd) + "e" + std::to_string(exponent));
}

long double ReadReal(const std::string& text) {
    if (!IsPlainNumber(text)) return 0;
    return ConvertPlain(TrimLeading(text));
}

}  // namespace tavrel
