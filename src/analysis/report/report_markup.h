#pragma once
#include <map>
#include <span>
#include <string>
#include <vector>

namespace tavrel {

// A drawn report (tuning instructions, gain-spread notes) is stored as lines with backslash
// codes. A code is a backslash and three characters, and one blank right after it only ends
// it (so "\d03 \186  phase" reads "-90° phase"):
//   \par        start a new line
//   \und \unf   underline on / off
//   \blu \blk   blue / back to black
//   \xx1 \xx0   symbol font on / off
//   \bsp        a blank
//   \dNN        value slot NN, filled by the report
//   \NNN        the character of code NNN of the Windows-1252 page ("\177" ±), except that
//               "\186", which the texts use for degrees, is the degree sign °
// Everything else is text in the style in force.

// A stretch of text in one style. The text is UTF-8; in the symbol font it holds the letters
// that the font draws as Greek ("w" for omega), which UnicodeText turns into the Greek letters.
struct ReportRun {
    std::string text;
    bool underline = false;
    bool blue = false;
    bool symbol = false;
    bool operator==(const ReportRun&) const = default;
};

struct ReportLine {
    std::vector<ReportRun> runs;
    bool operator==(const ReportLine&) const = default;
};

// The texts of the value slots by number.
using ReportSlots = std::map<int, std::string>;

// Reads stored lines into drawn lines. The stored lines run on into each other; only "\par"
// breaks a line, and the first stored line starts one. The style starts plain (black, no
// underline, text font) with every call. A code the markup does not know or a slot without a
// value is a fault of the program's own texts and throws std::logic_error.
std::vector<ReportLine> ParseReportMarkup(std::span<const std::string> stored, const ReportSlots& slots);

// The text of a run as it reads: symbol-font letters as their Greek letters.
std::string UnicodeText(const ReportRun& run);

// One line of text without styles, trailing blanks removed.
std::string PlainText(const ReportLine& line);

// The lines of a report, each ended by a newline.
std::string PlainText(std::span<const ReportLine> lines);

}  // namespace tavrel
