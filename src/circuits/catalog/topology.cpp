#include "circuits/catalog/topology.h"

#include <algorithm>
#include <map>
#include <sstream>

#include "circuits/catalog/template_library_text.h"
#include "stages/stage_record.h"

namespace tavrel {

namespace {

std::vector<std::string> SplitLines(const char* text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    std::getline(in, line);  // the raw literal opens with a line break
    while (std::getline(in, line)) lines.push_back(line);
    return lines;
}

using TemplateBodies = std::map<std::string, std::vector<std::string>>;

TemplateBodies SplitLibrary(TemplateLibrary library) {
    const std::vector<std::string> lines = TemplateLibraryLines(library);
    TemplateBodies bodies;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].empty() || lines[i][0] != '[') continue;
        std::vector<std::string>& body = bodies[lines[i]];
        for (size_t j = i + 1; j < lines.size() && (lines[j].empty() || lines[j][0] != '['); ++j) body.push_back(lines[j]);
    }
    return bodies;
}

const TemplateBodies& Bodies(TemplateLibrary library) {
    static const TemplateBodies plain = SplitLibrary(TemplateLibrary::Plain);
    static const TemplateBodies compensated = SplitLibrary(TemplateLibrary::Compensated);
    return library == TemplateLibrary::Plain ? plain : compensated;
}

}  // namespace

std::string TemplateKey(int stageType, int circuitIndex) {
    const std::string digits = std::to_string(circuitIndex);
    return "[" + StageTypeCode(stageType) + (digits.size() < 2 ? "0" : "") + digits + "]";
}

std::vector<std::string> TemplateLibraryLines(TemplateLibrary library) {
    return SplitLines(library == TemplateLibrary::Plain ? PlainTemplateLibraryText() : CompensatedTemplateLibraryText());
}

std::optional<std::vector<std::string>> FindTemplate(TemplateLibrary library, const std::string& key) {
    const TemplateBodies& bodies = Bodies(library);
    const auto found = bodies.find(key);
    if (found == bodies.end()) return std::nullopt;
    return found->second;
}

std::vector<TemplateElement> TemplateElements(const std::vector<std::string>& templateLines) {
    std::vector<TemplateElement> elements;
    for (const std::string& line : templateLines) {
        std::istringstream in(line);
        std::string name;
        in >> name;
        if (name.empty() || name[0] == '.') continue;
        TemplateElement e;
        e.kind = name[0] == 'X' ? 'X' : name[0];
        e.number = std::stoi(name.substr(name[0] == 'X' ? 2 : 1));
        const int nodeCount = e.kind == 'X' ? 3 : 2;
        for (int k = 0; k < nodeCount; ++k) {
            int node = 0;
            in >> node;
            e.nodes.push_back(node);
        }
        e.line = line;
        elements.push_back(e);
    }
    return elements;
}

Topology ParseTopology(const std::string& key, const std::vector<std::string>& templateLines) {
    Topology t;
    t.key = key;
    if (!templateLines.empty()) {
        t.subcircuitLine = templateLines.front();
        t.endLine = templateLines.back();
    }
    t.elements = TemplateElements(templateLines);
    int highest = 2;
    for (const TemplateElement& e : t.elements) {
        t.resistorCount += e.kind == 'R';
        t.capacitorCount += e.kind == 'C';
        t.opAmpCount += e.kind == 'X';
        for (int n : e.nodes) highest = std::max(highest, n);
    }
    // The output always has an unknown; every other node from 2 up as the elements use it.
    t.unknownOfNode.assign(static_cast<size_t>(highest) + 1, -1);
    std::vector<bool> used(static_cast<size_t>(highest) + 1, false);
    used[2] = true;
    for (const TemplateElement& e : t.elements)
        for (int n : e.nodes) used[static_cast<size_t>(n)] = true;
    for (int n = 2; n <= highest; ++n)
        if (used[static_cast<size_t>(n)]) t.unknownOfNode[static_cast<size_t>(n)] = t.nodeUnknowns++;
    t.unknowns = t.nodeUnknowns + t.opAmpCount;
    return t;
}

}  // namespace tavrel
