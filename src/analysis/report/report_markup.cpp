#include "analysis/report/report_markup.h"

#include <cctype>
#include <stdexcept>

namespace tavrel {

namespace {

// UTF-8 of one code point (the report texts need no more than the Basic Multilingual Plane).
std::string Utf8(unsigned codePoint) {
    std::string out;
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
    return out;
}

// Codes 128..159 of the Windows-1252 page; 0 marks the five it leaves unassigned. The codes
// from 160 up are those of Latin-1 and so their own code points.
constexpr unsigned kWindows1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

// The texts write the degree sign as 186, the raised o of the page, which the report fonts
// draw as a small circle; what they mean is degrees.
constexpr int kStoredDegreeSign = 186;

std::string Windows1252Character(int code, const std::string& stored) {
    if (code == kStoredDegreeSign) return Utf8(0x00B0);
    if (code >= 32 && code < 128) return std::string(1, static_cast<char>(code));
    if (code >= 160 && code <= 255) return Utf8(static_cast<unsigned>(code));
    if (code >= 128 && code < 160 && kWindows1252High[code - 128] != 0)
        return Utf8(kWindows1252High[code - 128]);
    throw std::logic_error("report text: no character " + std::to_string(code) + " in \"" + stored + "\"");
}

// The Greek letters the symbol font draws for the Latin ones ("w" omega, "D" Delta).
constexpr const char* kSymbolLower[26] = {"α", "β", "χ", "δ", "ε", "φ", "γ", "η", "ι", "ϕ", "κ", "λ", "μ",
                                          "ν", "ο", "π", "θ", "ρ", "σ", "τ", "υ", "ϖ", "ω", "ξ", "ψ", "ζ"};
constexpr const char* kSymbolUpper[26] = {"Α", "Β", "Χ", "Δ", "Ε", "Φ", "Γ", "Η", "Ι", "ϑ", "Κ", "Λ", "Μ",
                                          "Ν", "Ο", "Π", "Θ", "Ρ", "Σ", "Τ", "Υ", "ς", "Ω", "Ξ", "Ψ", "Ζ"};

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

struct Style {
    bool underline = false, blue = false, symbol = false;
};

class Reader {
public:
    explicit Reader(const ReportSlots& slots) : slots_(slots) { lines_.emplace_back(); }

    void Read(const std::string& stored) {
        for (size_t at = 0; at < stored.size();) {
            if (stored[at] != '\\') {
                Append(std::string(1, stored[at]));
                ++at;
                continue;
            }
            if (at + 4 > stored.size()) Fault("a code cut short", stored);
            Apply(stored.substr(at + 1, 3), stored);
            at += 4;
            if (at < stored.size() && stored[at] == ' ') ++at;  // the blank that ends the code
        }
    }

    std::vector<ReportLine> Lines() && { return std::move(lines_); }

private:
    void Apply(const std::string& code, const std::string& stored) {
        if (code == "par") {
            lines_.emplace_back();
        } else if (code == "und") {
            style_.underline = true;
        } else if (code == "unf") {
            style_.underline = false;
        } else if (code == "blu") {
            style_.blue = true;
        } else if (code == "blk") {
            style_.blue = false;
        } else if (code == "xx1") {
            style_.symbol = true;
        } else if (code == "xx0") {
            style_.symbol = false;
        } else if (code == "bsp") {
            Append(" ");
        } else if (code[0] == 'd' && IsDigit(code[1]) && IsDigit(code[2])) {
            const auto slot = slots_.find(std::stoi(code.substr(1)));
            if (slot == slots_.end()) Fault("no value for slot " + code.substr(1), stored);
            Append(slot->second);
        } else if (IsDigit(code[0]) && IsDigit(code[1]) && IsDigit(code[2])) {
            Append(Windows1252Character(std::stoi(code), stored));
        } else {
            Fault("unknown code \\" + code, stored);
        }
    }

    void Append(const std::string& text) {
        std::vector<ReportRun>& runs = lines_.back().runs;
        if (!runs.empty() && runs.back().underline == style_.underline && runs.back().blue == style_.blue &&
            runs.back().symbol == style_.symbol) {
            runs.back().text += text;
            return;
        }
        runs.push_back({text, style_.underline, style_.blue, style_.symbol});
    }

    [[noreturn]] static void Fault(const std::string& what, const std::string& stored) {
        throw std::logic_error("report text: " + what + " in \"" + stored + "\"");
    }

    const ReportSlots& slots_;
    Style style_;
    std::vector<ReportLine> lines_;
};

}  // namespace

std::vector<ReportLine> ParseReportMarkup(std::span<const std::string> stored, const ReportSlots& slots) {
    Reader reader(slots);
    for (const std::string& line : stored) reader.Read(line);
    std::vector<ReportLine> lines = std::move(reader).Lines();
    // A text that opens with "\par" starts its first line there, not after an empty one.
    if (lines.size() > 1 && lines.front().runs.empty()) lines.erase(lines.begin());
    return lines;
}

std::string UnicodeText(const ReportRun& run) {
    if (!run.symbol) return run.text;
    std::string out;
    for (const char c : run.text) {
        if (c >= 'a' && c <= 'z')
            out += kSymbolLower[c - 'a'];
        else if (c >= 'A' && c <= 'Z')
            out += kSymbolUpper[c - 'A'];
        else
            out += c;
    }
    return out;
}

std::string PlainText(const ReportLine& line) {
    std::string text;
    for (const ReportRun& run : line.runs) text += UnicodeText(run);
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

std::string PlainText(std::span<const ReportLine> lines) {
    std::string text;
    for (const ReportLine& line : lines) text += PlainText(line) + "\n";
    return text;
}

}  // namespace tavrel
