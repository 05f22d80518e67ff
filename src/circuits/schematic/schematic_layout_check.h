#pragma once
#include <string>
#include <vector>

#include "circuits/schematic/schematic_drawing.h"

namespace tavrel::schematic {

// Drawing faults a reader would stumble over, each as a sentence naming the place:
// - a wire end that touches nothing, or ends on another wire without a dot;
// - three or more branches meeting without a dot, or a dot where fewer meet;
// - a pin lying on a wire that passes by (it looks connected and is not);
// - a pin left unconnected;
// - a slanted wire, or two wires drawn over each other;
// - a wire through a symbol or a ground, two symbols or grounds overlapping;
// - anything outside the grid.
// Texts are not checked here: their size is known only to the painter.
std::vector<std::string> SchematicLayoutFaults(const SchematicDrawing& drawing);

}  // namespace tavrel::schematic
