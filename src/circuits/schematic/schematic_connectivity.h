#pragma once
#include <string>
#include <vector>

#include "circuits/schematic/schematic_drawing.h"

namespace tavrel::schematic {

// One element of the drawn circuit with the nets its pins touch.
struct DrawnElement {
    std::string name;        // "R1", "C2", "XA1"
    std::vector<int> nodes;  // two nodes; op amps: non-inverting input, inverting input, output
};

// The circuit a drawing shows, in the node numbering of the netlist templates: ground 0,
// the input terminal's net 1, the output terminal's net 2, other nets from 3 in the order
// the elements reach them. Elements come as resistors, capacitors, op amps, each by number.
struct DrawnCircuit {
    std::vector<DrawnElement> elements;
    std::vector<std::string> problems;  // empty when the drawing is a well-formed circuit
};

// Follows wires, junctions, terminals, grounds and pins into nets. Points join when they
// are the same grid point: wire ends, pins, terminals and grounds there are one net. A
// junction dot also joins every wire that merely passes through its point. A wire that
// crosses another, or passes over a pin or a wire end, without a dot does not join it:
// the drawing shows a connection only where ends meet or a dot says so.
DrawnCircuit TraceCircuit(const SchematicDrawing& drawing);

}  // namespace tavrel::schematic
