#pragma once
#include <QPainter>
#include <QRectF>
#include <QSizeF>

#include "core/result_table.h"

namespace tavrel::draw {

// The size the result grid needs in its 8-point font on the painter's device.
QSizeF ResultTableSize(QPaintDevice* device);

// Draws the "Calculation results" grid with its top left corner at the rectangle's.
void DrawResultTable(QPainter& painter, const QRectF& rect, const ResultTable& table);

}  // namespace tavrel::draw
