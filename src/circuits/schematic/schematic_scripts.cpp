#include "circuits/schematic/schematic_scripts.h"

#include "circuits/schematic/script_lists.h"

namespace tavrel::schematic {

const std::vector<std::string>& ScriptSetLines(ScriptSet set) {
    switch (set) {
        case ScriptSet::AllPole: return AllPoleScriptLines();
        case ScriptSet::Notch: return NotchScriptLines();
        case ScriptSet::Compensated: return CompensatedScriptLines();
    }
    return AllPoleScriptLines();
}

std::vector<std::string> FindSchematicScript(ScriptSet set, const std::string& code) {
    const std::vector<std::string>& lines = ScriptSetLines(set);
    for (size_t i = 0; i + kScriptTokenLines < lines.size(); i += kScriptTokenLines + 1) {
        // Title lines may carry trailing blanks.
        const std::string& title = lines[i];
        if (title.substr(0, title.find_last_not_of(' ') + 1) == code) {
            return {lines.begin() + static_cast<long>(i) + 1, lines.begin() + static_cast<long>(i) + 1 + kScriptTokenLines};
        }
    }
    return {};
}

std::vector<ScriptTitle> AllSchematicScripts() {
    std::vector<ScriptTitle> titles;
    for (const ScriptSet set : {ScriptSet::AllPole, ScriptSet::Notch, ScriptSet::Compensated}) {
        const std::vector<std::string>& lines = ScriptSetLines(set);
        for (size_t i = 0; i < lines.size(); i += kScriptTokenLines + 1) {
            titles.push_back({lines[i].substr(0, lines[i].find_last_not_of(' ') + 1), set == ScriptSet::Compensated});
        }
    }
    return titles;
}

std::vector<std::string> StageSchematicScript(const std::string& code, bool compensated) {
    if (compensated) return FindSchematicScript(ScriptSet::Compensated, code);
    // The notch types are the ones whose code ends in "N" before the index.
    const bool notch = code.size() > 2 && code[code.size() - 3] == 'N';
    return FindSchematicScript(notch ? ScriptSet::Notch : ScriptSet::AllPole, code);
}

}  // namespace tavrel::schematic
