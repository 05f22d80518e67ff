#pragma once
#include <string>
#include <vector>

namespace tavrel::schematic {

// The three lists of drawing scripts. In each, a circuit's script is a title line with its
// code (type letters and the two-digit circuit index, "FLP01", "SLPN03") followed by
// kScriptTokenLines lines of ten five-character tokens.
enum class ScriptSet {
    AllPole,      // first-order lowpass and highpass, second-order lowpass, highpass, bandpass
    Notch,        // lowpass notch, highpass notch, symmetric notch
    Compensated,  // the actively compensated variants, in the order of their variant numbers
};

inline constexpr int kScriptTokenLines = 8;

const std::vector<std::string>& ScriptSetLines(ScriptSet set);

// The token lines of the script titled `code` in the set; empty when the set has none.
std::vector<std::string> FindSchematicScript(ScriptSet set, const std::string& code);

// One script of the lists: the circuit's code and whether it is the compensated variant.
struct ScriptTitle {
    std::string code;
    bool compensated = false;
};

// Every script of the three lists, in list order (all-pole, notch, compensated).
std::vector<ScriptTitle> AllSchematicScripts();

// The script of a stage's circuit: from the compensated list while active compensation is
// in force, else from the list of the circuit's type.
std::vector<std::string> StageSchematicScript(const std::string& code, bool compensated);

}  // namespace tavrel::schematic
