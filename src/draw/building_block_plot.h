#pragma once
#include <QPainter>
#include <QRectF>

#include "draw/plot.h"

namespace tavrel::draw {

// The magnitude of one stage type (code 0..7) drawn for an example stage, relative to
// its passband gain To, against log frequency in Hz or rad/s.
PlotSpec BuildingBlockPlot(int stageType, bool hz);

// The plot with its marks: the pole, zero or corner frequency and the levels "To" and
// "0.7*To".
void DrawBuildingBlock(QPainter& painter, const QRectF& rect, int stageType, bool hz);

}  // namespace tavrel::draw
