#pragma once
#include <optional>
#include <string>
#include <vector>

namespace tavrel {

// The two template libraries: one netlist template per circuit, and one per actively
// compensated variant.
enum class TemplateLibrary { Plain, Compensated };

// "[" + type code + two-digit circuit index + "]", for example "[SLP01]".
std::string TemplateKey(int stageType, int circuitIndex);

// The whole library text as lines, ending with "[END]".
std::vector<std::string> TemplateLibraryLines(TemplateLibrary library);

// The lines after the key up to the next line that begins with "[" (".SUBCKT" line first,
// ".ENDS" line last); nothing when the key is not in the library. The library text is split
// once.
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

// A circuit as its template connects it: the framing lines the netlist writer copies, the
// elements, and the numbering of the modified nodal equations. Node 0 is ground, node 1 the
// input (driven, so not an unknown), node 2 the output.
struct Topology {
    std::string key;             // "[SLP01]"
    std::string subcircuitLine;  // ".SUBCKT SLP " as written
    std::string endLine;         // ".ENDS SLP " as written
    std::vector<TemplateElement> elements;
    int resistorCount = 0, capacitorCount = 0, opAmpCount = 0;
    // Unknowns of the nodal equations: the voltage of every node in use other than ground and
    // the input (unknownOfNode[n], -1 for those two and for numbers no element uses), then
    // the output current of each op amp in element order.
    std::vector<int> unknownOfNode;
    int nodeUnknowns = 0;
    int unknowns = 0;
};

// The topology of a template's lines (key, then the body FindTemplate gives).
Topology ParseTopology(const std::string& key, const std::vector<std::string>& templateLines);

}  // namespace tavrel
