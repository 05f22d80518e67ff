#include "ui/toolbar_glyphs.h"

#include <QPainter>
#include <QPixmap>

namespace tavrel::ui {

namespace {

constexpr int kSize = 24;
// Each glyph is drawn at these sizes, so that it stays sharp on a screen of twice and four
// times the density and on the start page.
constexpr int kScales[] = {1, 2, 4};

// An icon whose pixmaps are drawn by `draw` on a kSize x kSize canvas at every scale.
template <typename Draw>
QIcon Glyph(Draw draw) {
    QIcon icon;
    for (int scale : kScales) {
        QPixmap pixmap(kSize * scale, kSize * scale);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.scale(scale, scale);
        draw(p);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace

QIcon KindGlyph(FilterKind kind) {
    return Glyph([kind](QPainter& p) {
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
                p.drawText(QRectF(0, 0, kSize, kSize), Qt::AlignCenter, "U");
                break;
        }
        p.drawPolyline(shape);
        p.setPen(QPen(Qt::black, 1));
        p.drawLine(QPointF(1, 22), QPointF(23, 22));
    });
}

QIcon TextGlyph(const QString& text) {
    return Glyph([text](QPainter& p) {
        QFont font("Arial");
        font.setPixelSize(text.size() > 3 ? 8 : 10);
        font.setBold(true);
        p.setFont(font);
        p.setPen(QColor(40, 40, 40));
        p.drawRect(QRectF(0.5, 3.5, kSize - 1, kSize - 7));
        p.drawText(QRectF(0, 0, kSize, kSize), Qt::AlignCenter, text);
    });
}

}  // namespace tavrel::ui
