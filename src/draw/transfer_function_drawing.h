#pragma once
#include <QPainter>
#include <QRectF>
#include <QSizeF>
#include <array>
#include <string>
#include <vector>

#include "core/design_state.h"
#include "stages/stage_tables.h"

namespace tavrel::draw {

// What the "Stage Transfer Functions" page shows: its title, the unit of its
// frequencies and one row of texts per stage in cascade order.
struct TransferFunctionPage {
    std::string title;
    bool hz = true;
    bool printed = false;  // the printed page has a title of its own and no hints
    std::array<std::string, 11> heads;
    std::vector<std::array<std::string, 11>> rows;
};

// The page of the design's stages 1..StageCount (stages not formed yet are left out).
TransferFunctionPage TransferFunctionPageOf(const DesignState& state, const StageTables& tables, bool hz,
                                            bool printed = false);

// The size the page needs in its 8-point font on the painter's device.
QSizeF TransferFunctionPageSize(QPaintDevice* device, const TransferFunctionPage& page);

// Draws the page with its top left corner at the rectangle's.
void DrawTransferFunctionPage(QPainter& painter, const QRectF& rect, const TransferFunctionPage& page);

}  // namespace tavrel::draw
