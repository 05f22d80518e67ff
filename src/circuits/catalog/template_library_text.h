#pragma once

namespace tavrel {

// The template libraries as the netlist writer reads them: a key line "[TYPEnn]", the
// ".SUBCKT" line, one line per resistor, capacitor and op amp, the ".ENDS" line; "[END]" last.
const char* PlainTemplateLibraryText();
const char* CompensatedTemplateLibraryText();

}  // namespace tavrel
