#pragma once
#include <compare>
#include <string>
#include <vector>

namespace tavrel::schematic {

// A point of the drawing grid: column x, row y, both counted from the area's top left.
struct GridPoint {
    int x = 0;
    int y = 0;
    auto operator<=>(const GridPoint&) const = default;
};

// Places that need not fall on grid points (text anchors, symbol outlines), in grid units.
struct GridSpot {
    double x = 0;
    double y = 0;
};

struct GridRect {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};

// A direction on the grid: where a component is drawn towards, where a text goes.
enum class Side { Left, Right, Up, Down };

enum class PenColour { Black, Blue };

enum class SymbolKind { Resistor, Capacitor, OpAmp };

struct SchematicWire {
    GridPoint from;
    GridPoint to;
    PenColour colour = PenColour::Black;
};

// A dot: every wire through or ending at its point, and every pin there, is one net.
struct SchematicJunction {
    GridPoint at;
    PenColour colour = PenColour::Black;
};

// The stage's input and output are the terminals labelled "V i" and "V o".
enum class TerminalRole { Unnamed, Input, Output };

struct SchematicTerminal {
    GridPoint at;
    TerminalRole role = TerminalRole::Unnamed;
    PenColour colour = PenColour::Black;
};

// Bars: the usual earth symbol of "G"; Triangle: the signal-ground symbol of "Z".
enum class GroundStyle { Bars, Triangle };

struct SchematicGround {
    GridPoint at;
    GroundStyle style = GroundStyle::Bars;
    PenColour colour = PenColour::Black;
};

// A green three-character text beside a point ("V i", "V o").
struct SchematicLabel {
    GridPoint at;
    Side side = Side::Right;
    std::string text;
};

// A resistor, capacitor or op amp as drawn.
struct SchematicSymbol {
    SymbolKind kind = SymbolKind::Resistor;
    int number = 0;  // R and C as written in the script; op amps in the order they are drawn
    PenColour colour = PenColour::Black;
    // Resistors and capacitors: the first pin (where drawing started) and the second.
    // Op amps: non-inverting input, inverting input, output.
    std::vector<GridPoint> pins;
    // Resistors and capacitors: the direction of drawing. Op amps: the output's direction.
    Side direction = Side::Right;
    // Op amps: the non-inverting input is the upper one; the large variant.
    bool plusOnTop = true;
    bool large = false;
    GridRect body;  // the outline of the symbol proper, without its leads
    // Resistors and capacitors: where name and value go. The text block starts at the spot
    // and grows towards valueSide (upwards from it, downwards from it, leftwards ending at
    // it, rightwards starting at it), centred across that direction.
    GridSpot valueSpot;
    Side valueSide = Side::Up;
    GridRect clickRect;  // resistors and capacitors: the area a mouse click selects them by
};

// The element name of a symbol as the netlist templates write it: "R3", "C1", "XA2".
std::string SymbolName(const SchematicSymbol& symbol);

// Something in a script the interpreter could not draw, with the token and the reason.
struct ScriptProblem {
    int line = 0;   // 1-based, counting the token lines after the title line
    int token = 0;  // 1-based position in the line
    std::string text;
    std::string reason;
};

// Everything a drawing script produced, in grid units.
struct SchematicDrawing {
    std::vector<SchematicWire> wires;
    std::vector<SchematicJunction> junctions;
    std::vector<SchematicTerminal> terminals;
    std::vector<SchematicGround> grounds;
    std::vector<SchematicLabel> labels;
    std::vector<SchematicSymbol> symbols;
    std::vector<ScriptProblem> problems;
};

}  // namespace tavrel::schematic
