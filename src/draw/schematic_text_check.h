#pragma once
#include <QPaintDevice>
#include <QRectF>
#include <string>
#include <vector>

#include "circuits/schematic/schematic_drawing.h"
#include "draw/schematic_painter.h"

namespace tavrel::draw {

// Texts of a painted schematic that a reader could not read cleanly, each as a sentence:
// a name, value or label that leaves the area, covers another text, or touches a symbol,
// a lead, a wire, a ground, a terminal or a dot.
std::vector<std::string> SchematicTextFaults(QPaintDevice* device, const QRectF& area,
                                             const schematic::SchematicDrawing& drawing,
                                             const SchematicValues* values);

}  // namespace tavrel::draw
