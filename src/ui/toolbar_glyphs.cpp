#include "ui/toolbar_glyphs.h"

#include <QPainter>
#include <QPixmap>

namespace tavrel::ui {

namespace {

constexpr int kSize = 24;

QPixmap Blank() {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

}  // namespace

QIcon KindGlyph(FilterKind kind) {
    QPixmap pixmap = Blank();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 70, 200), 2));
    const double hi = 6, lo = 19;
    QPolygonF shape;
    switch (kind) {
        case FilterKind::Lowpass: shape << QPointF(2, hi) << QPointF(11, hi) << QPointF(16, lo) << QPointF(22, lo); break;
        case FilterKind::Highpass: shape << QPointF(2, lo) << QPointF(8, lo) << QPointF(13, hi) << QPointF(22, hi); break;
        case FilterKind::Bandpass:
            shape << QPointF(2, lo) << QPointF(7, lo) << QPointF(10, hi) << QPointF(14, hi) << QPointF(17, lo)
                  << QPointF(22, lo);
            break;
        case FilterKind::Bandstop:
            shape << QPointF(2, hi) << QPointF(7, hi) << QPointF(10, lo) << QPointF(14, lo) << QPointF(17, hi)
                  << QPointF(22, hi);
            break;
        case FilterKind::UserDefined:
            p.setFont(QFont("Arial", 9, QFont::Bold));
            p.drawText(pixmap.rect(), Qt::AlignCenter, "U");
            break;
    }
    p.drawPolyline(shape);
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(QPointF(1, 22), QPointF(23, 22));
    return QIcon(pixmap);
}

QIcon TextGlyph(const QString& text) {
    QPixmap pixmap = Blank();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont font("Arial");
    font.setPixelSize(text.size() > 3 ? 8 : 10);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(40, 40, 40));
    p.drawRect(QRectF(0.5, 3.5, kSize - 1, kSize - 7));
    p.drawText(pixmap.rect(), Qt::AlignCenter, text);
    return QIcon(pixmap);
}

}  // namespace tavrel::ui
