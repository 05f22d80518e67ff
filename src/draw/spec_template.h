#pragma once
#include <QPainter>
#include <QRectF>

#include "core/design_state.h"

namespace tavrel::draw {

// The picture of the specification template of a filter kind: the allowed passband
// and stopband regions with the names of the entries that set them.
void DrawSpecificationTemplate(QPainter& painter, const QRectF& rect, FilterKind kind, bool hzUnits);

}  // namespace tavrel::draw
