#pragma once
#include <string>
#include <vector>

#include "circuits/schematic/schematic_drawing.h"

namespace tavrel::schematic {

// Runs the token lines of a drawing script (the lines after its title line) and returns
// what they draw. Each line holds five-character tokens one blank apart, so token i starts
// at character 6·i − 5:
//   Mxxyy move to grid point (xx, yy)          Dxxyy draw a wire to (xx, yy)
//   Jxxyy move there and draw a junction dot   Txxyy move there and draw a terminal
//   G     ground at the current point          Zxxyy move there, signal-ground symbol
//   Hcccc pen colour "BLCK" or "BLUE"          Pnn   component length (00: standard)
//   Roabn / Coabn resistor / capacitor n ("0" is 10): o "H" or "V", drawn towards a
//         ("L", "R", "U", "D"), name and value on side b
//   Oabc  op amp: a "U" when the non-inverting input is the upper one, "D" otherwise;
//         b the output direction "L" or "R"; c "U" usual size, "L" large
//   Lsttt the green text ttt on side s of the current point
//   Qxxyy the inverting output stage with its "V o" terminal (see schematic_geometry.h)
// Any other token, in particular the "X" padding, draws nothing. Tokens that start like a
// command but cannot be read are reported in the drawing's problems and skipped.
SchematicDrawing InterpretSchematicScript(const std::vector<std::string>& tokenLines);

}  // namespace tavrel::schematic
