#pragma once
#include <string>
#include <vector>

namespace tavrel::schematic {

// The script lists as written, one entry per line (see schematic_scripts.h for their form).
const std::vector<std::string>& AllPoleScriptLines();
const std::vector<std::string>& NotchScriptLines();
const std::vector<std::string>& CompensatedScriptLines();

}  // namespace tavrel::schematic
