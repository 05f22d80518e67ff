#pragma once
#include "circuits/schematic/schematic_drawing.h"

namespace tavrel::schematic {

// The drawing area is divided into this many cells; scripts place everything on the
// points of this grid. Cells are wider than high on the usual landscape areas (a 640 by
// 400 area gives 9 by 12.5 pixels), which is why the symbols are shorter in rows than in
// columns: a resistor across is about as long on screen as a resistor down.
inline constexpr int kGridColumns = 70;
inline constexpr int kGridRows = 32;

// Symbol geometry, in grid cells. Every script is written against these rules.
//
// Resistors and capacitors go from the current point towards their drawing direction:
// kAcrossLength columns to the left or right, kDownLength rows up or down; the current
// point moves to the far pin. (A "P" token with a nonzero parameter replaces both lengths
// until "P00".) The body takes the middle of the span, leads fill the rest, so two
// components drawn end to end never touch.
//
// Op amps: the current point is the upper input; the lower input is kOpAmpInputSpacing
// rows below it (kLargeOpAmpInputSpacing for the large variant "L"); the output is
// kOpAmpLength (kLargeOpAmpLength) columns away towards the output direction, on the row
// halfway between the inputs, and becomes the current point. The triangle's back edge is
// half a column from the inputs and its tip half a column from the output; it reaches one
// row above the upper input and one row below the lower one.
//
// Worked on the first-order lowpass: the input terminal at (17,12), a wire to (22,12), R1
// across to (28,12), a wire on to the op amp at (39,12) whose non-inverting input is there,
// the inverting input at (39,14) and the output at (45,13); the output wire runs to the
// terminal at (51,13). C1 hangs from the junction (31,12) down to (31,21) and its ground,
// and the feedback runs from the inverting input left to column 36, down to row 19,
// right to column 47 and up to the junction (47,13) on the output wire.
inline constexpr int kAcrossLength = 6;
inline constexpr int kDownLength = 4;
inline constexpr int kOpAmpInputSpacing = 2;
inline constexpr int kOpAmpLength = 6;
inline constexpr int kLargeOpAmpInputSpacing = 4;
inline constexpr int kLargeOpAmpLength = 8;

// Composite output stage "Q" at point p (columns to the right of p, rows below it):
// an op amp whose inverting input is on top at p, its non-inverting input (p.y + 2) led
// one column left and two rows down to a ground; a junction two columns left of p on the
// lead into the inverting input (where the input branch and the feedback meet); the output
// wire from (p.x + 6, p.y + 1) to the "V o" terminal at (p.x + 10, p.y + 1), with a
// junction at (p.x + 8, p.y + 1) where the feedback leaves. That junction becomes the
// current point.
inline constexpr int kOutputStageFeedbackColumn = 8;
inline constexpr int kOutputStageTerminalColumn = 10;

// The span of a resistor or capacitor drawn towards a direction, given the "P" parameter.
int ComponentSpan(Side direction, int parameter);

// A resistor or capacitor from `start` towards `direction`.
SchematicSymbol TwoPoleSymbol(SymbolKind kind, int number, GridPoint start, Side direction, Side valueSide,
                              int span);

// An op amp whose upper input is at `upperInput`.
SchematicSymbol OpAmpSymbol(GridPoint upperInput, bool plusOnTop, bool outputRight, bool large);

// The outline of a ground symbol below its lead (the lead is the top 0.3 row; wires may
// arrive at the point from any side).
GridRect GroundOutline(const SchematicGround& ground);

// The point reached by going `cells` cells from p towards the direction.
GridPoint Step(GridPoint p, Side direction, int cells);

}  // namespace tavrel::schematic
