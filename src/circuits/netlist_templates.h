#pragma once
#include <optional>
#include <string>
#include <vector>

namespace tavrel {

enum class TemplateLibrary { Plain, Compensated };

// "[" + type code + two-digit circuit index + "]", for example "[SLP01]".
std::string TemplateKey(int stageType, int circuitIndex);

// The whole library text as lines, ending with "[END]".
std::vector<std::string> TemplateLibraryLines(TemplateLibrary library);

// The lines after the key up to the next line that begins with "[" (".SUBCKT" line first,
// ".ENDS" line last); nothing when the key is not in the library.
std::optional<std::vector<std::string>> FindTemplate(TemplateLibrary library, const std::string& key);

// One element line of a template: a resistor, a capacitor or an op amp.
struct TemplateElement {
    char kind = 0;            // 'R', 'C' or 'X' (op amp)
    int number = 0;           // Ri, Ci, XAi
    std::vector<int> nodes;   // two nodes; op amps: non-inverting input, inverting input, output
    std::string line;         // the line as written in the template
};

// The element lines of a template in their order; the framing lines are skipped.
std::vector<TemplateElement> TemplateElements(const std::vector<std::string>& templateLines);

}  // namespace tavrel
