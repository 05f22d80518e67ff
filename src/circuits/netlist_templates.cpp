#include "circuits/netlist_templates.h"

#include <sstream>

#include "circuits/stage_type.h"
#include "circuits/template_library_text.h"

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

}  // namespace

std::string TemplateKey(int stageType, int circuitIndex) {
    const std::string digits = std::to_string(circuitIndex);
    return "[" + StageTypeCode(stageType) + (digits.size() < 2 ? "0" : "") + digits + "]";
}

std::vector<std::string> TemplateLibraryLines(TemplateLibrary library) {
    return SplitLines(library == TemplateLibrary::Plain ? PlainTemplateLibraryText() : CompensatedTemplateLibraryText());
}

std::optional<std::vector<std::string>> FindTemplate(TemplateLibrary library, const std::string& key) {
    const std::vector<std::string> lines = TemplateLibraryLines(library);
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] != key) continue;
        std::vector<std::string> body;
        for (size_t j = i + 1; j < lines.size() && (lines[j].empty() || lines[j][0] != '['); ++j)
            body.push_back(lines[j]);
        return body;
    }
    return std::nullopt;
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

}  // namespace tavrel
