#pragma once
#include <map>
#include <string>
#include <vector>

#include "circuits/schematic/schematic_connectivity.h"

namespace tavrel::schematic::testing {

// The element lines of one netlist template: name ("R1", "XA2") and its nodes.
using TemplateNetlist = std::map<std::string, std::vector<int>>;

// Every template of a library text, by its key without brackets ("SLP01"). Read here with
// a reader of its own so that the drawing checks depend only on the library texts.
std::map<std::string, TemplateNetlist> ReadTemplateLibrary(const char* text);

// Empty when the drawn circuit is the template's up to the numbering of its inner nodes
// (ground, input and output fixed, every element on the same nets, op-amp pins in place),
// else what differs.
std::string CircuitDifference(const DrawnCircuit& drawn, const TemplateNetlist& netlist);

}  // namespace tavrel::schematic::testing
