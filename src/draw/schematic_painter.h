#pragma once
#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <optional>
#include <vector>

#include "circuits/schematic/schematic_drawing.h"

namespace tavrel::draw {

// What the schematic writes beside one resistor or capacitor.
struct SchematicComponentValue {
    double value = 0;      // ohm or farad
    double exact = 0;      // the computed value when `value` is a standard one replacing it; 0 otherwise
    bool userFixed = false;
    double userValue = 0;  // shown instead of `value` while userFixed
    bool inStock = false;  // followed by the stock bullet
};

// Values by component number: resistors[0] is R1, capacitors[0] is C1. Components beyond
// the lists are drawn with their name only.
struct SchematicValues {
    std::vector<SchematicComponentValue> resistors;
    std::vector<SchematicComponentValue> capacitors;
};

// The mapping of grid points to device pixels for one drawing area: the area is divided
// into the grid's columns and rows; areas at least 641 pixels wide keep 20 pixels clear
// left and right and 10 at top and bottom, so the origin moves 20 right and 10 down.
struct SchematicGrid {
    QPointF origin;
    double cellWidth = 1;
    double cellHeight = 1;

    QPointF At(schematic::GridPoint p) const;
    QPointF At(schematic::GridSpot p) const;
    QRectF Rect(const schematic::GridRect& r) const;
    double Unit() const;  // the smaller cell side: the size of dots, terminals and texts
};

SchematicGrid SchematicGridFor(const QRectF& area);

// The font of the names, values and labels for a grid.
QFont SchematicFont(const SchematicGrid& grid);

// One text of the schematic where the painter puts it.
struct PlacedSchematicText {
    QRectF rect;
    QString text;  // lines separated by "\n"
    QColor colour;
    Qt::Alignment alignment;
};

// The name (and with values, value, exact value and stock bullet) of every resistor and
// capacitor, and the green labels, as placed in the area on the device.
std::vector<PlacedSchematicText> PlaceSchematicTexts(QPaintDevice* device, const QRectF& area,
                                                     const schematic::SchematicDrawing& drawing,
                                                     const SchematicValues* values);

// Draws the schematic into the area: wires, dots, terminals, grounds, symbols, texts.
void PaintSchematic(QPainter& painter, const QRectF& area, const schematic::SchematicDrawing& drawing,
                    const SchematicValues* values = nullptr);

// The resistor or capacitor whose click rectangle holds the device point.
std::optional<schematic::SchematicSymbol> SchematicComponentAt(const QRectF& area,
                                                               const schematic::SchematicDrawing& drawing,
                                                               QPointF point);

}  // namespace tavrel::draw
