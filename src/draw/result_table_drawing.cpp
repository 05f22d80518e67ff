#include "draw/result_table_drawing.h"

#include <QFontMetricsF>
#include <algorithm>

namespace tavrel::draw {

namespace {

constexpr double kPad = 6;

QFont TableFont() {
    QFont font("Arial");
    font.setPointSizeF(8);
    return font;
}

struct Geometry {
    double nameWidth;   // columns 0 and 1 together: the row names overflow into column 1
    double valueWidth;  // each approximation column
    double rowHeight;
};

Geometry Measure(const QFontMetricsF& m) {
    const double nameWidth = m.horizontalAdvance("Passband ripple") + 3 * kPad;
    const double valueWidth = std::max(m.horizontalAdvance("Elliptic"), m.horizontalAdvance("00.0 dB")) + 3 * kPad;
    return {nameWidth, valueWidth, m.height() + kPad};
}

}  // namespace

QSizeF ResultTableSize(QPaintDevice* device) {
    const Geometry g = Measure(QFontMetricsF(TableFont(), device));
    return {g.nameWidth + 5 * g.valueWidth + 1, kResultRows * g.rowHeight + 1};
}

void DrawResultTable(QPainter& painter, const QRectF& rect, const ResultTable& table) {
    painter.save();
    painter.setFont(TableFont());
    const Geometry g = Measure(QFontMetricsF(painter.font(), painter.device()));
    const double width = g.nameWidth + 5 * g.valueWidth;
    const double height = kResultRows * g.rowHeight;
    const QPointF origin = rect.topLeft();
    painter.fillRect(QRectF(origin, QSizeF(width, height)), Qt::white);

    auto columnLeft = [&](int column) { return column < 2 ? 0.0 : g.nameWidth + (column - 2) * g.valueWidth; };
    for (int row = 0; row < kResultRows; ++row) {
        for (int column = 0; column < kResultColumns; ++column) {
            const ResultCell& cell = table[row][column];
            if (cell.text.empty()) continue;
            const double left = columnLeft(column);
            const double cellWidth = column < 2 ? g.nameWidth : g.valueWidth;
            const QRectF box(origin.x() + left + kPad, origin.y() + row * g.rowHeight, cellWidth - 2 * kPad, g.rowHeight);
            painter.setPen(cell.red ? Qt::red : Qt::black);
            const Qt::Alignment align = column < 2 ? Qt::AlignLeft : Qt::AlignHCenter;
            painter.drawText(box, align | Qt::AlignVCenter, QString::fromStdString(cell.text));
        }
    }

    // Grey cell lines; the line under the column heads and the one after the row
    // names are heavier and black. The two head rows form one head.
    const QPen grey(QColor(160, 160, 160), 0);
    const QPen heavy(Qt::black, 2);
    for (int row = 0; row <= kResultRows; ++row) {
        if (row == 1) continue;
        painter.setPen(row == 2 ? heavy : grey);
        const double y = origin.y() + row * g.rowHeight;
        painter.drawLine(QPointF(origin.x(), y), QPointF(origin.x() + width, y));
    }
    for (int column = 2; column <= kResultColumns; ++column) {
        painter.setPen(column == 2 ? heavy : grey);
        const double x = origin.x() + columnLeft(column);
        painter.drawLine(QPointF(x, origin.y()), QPointF(x, origin.y() + height));
    }
    painter.setPen(grey);
    painter.drawLine(QPointF(origin.x(), origin.y()), QPointF(origin.x(), origin.y() + height));
    painter.restore();
}

}  // namespace tavrel::draw
