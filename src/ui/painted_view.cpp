#include "ui/painted_view.h"

#include <QImage>
#include <QPainter>

namespace tavrel::ui {

PaintedView::PaintedView(Painter painter, QSize preferred, QWidget* parent)
    : QWidget(parent), painter_(std::move(painter)), preferred_(preferred) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void PaintedView::SetPreferredSize(QSize size) {
    preferred_ = size;
    setMinimumSize(size);
    updateGeometry();
}

void PaintedView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    painter_(p, QRectF(rect()));
}

QImage PaintedView::Picture() const {
    QImage image(size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    painter_(p, QRectF(image.rect()));
    return image;
}

}  // namespace tavrel::ui
