#include "ui/graph_view.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>

namespace tavrel::ui {

namespace {

constexpr int kMinimumDrag = 6;  // pixels; a smaller rectangle is taken for a click

}  // namespace

GraphView::GraphView(QWidget* parent) : QWidget(parent) {
    setObjectName("graph");
    setMinimumSize(360, 260);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setCursor(Qt::CrossCursor);
}

void GraphView::SetPlot(draw::PlotSpec spec) {
    spec_ = std::move(spec);
    update();
}

QImage GraphView::Picture() const {
    QImage image(size(), QImage::Format_RGB32);
    QPainter p(&image);
    draw::DrawPlot(p, QRectF(image.rect()), spec_);
    return image;
}

QRectF GraphView::DataRect(QPoint upperLeft, QPoint lowerRight) const {
    const draw::PlotLayout layout(spec_, QRectF(rect()), QFontMetricsF(draw::PlotFont(), this));
    const QPointF a = layout.ToData(upperLeft), b = layout.ToData(lowerRight);
    return QRectF(QPointF(a.x(), b.y()), QPointF(b.x(), a.y()));
}

void GraphView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    std::optional<QRectF> band;
    if (dragStart_) band = QRectF(*dragStart_, dragNow_);
    draw::DrawPlot(p, QRectF(rect()), spec_, band);
}

void GraphView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        dragStart_ = event->position().toPoint();
        dragNow_ = *dragStart_;
    } else if (event->button() == Qt::RightButton) {
        emit unzoomRequested();
    }
}

void GraphView::mouseMoveEvent(QMouseEvent* event) {
    if (!dragStart_) return;
    dragNow_ = event->position().toPoint();
    update();
}

void GraphView::mouseReleaseEvent(QMouseEvent* event) {
    if (!dragStart_ || event->button() != Qt::LeftButton) return;
    const QPoint start = *dragStart_, end = event->position().toPoint();
    dragStart_.reset();
    update();
    // Only a rectangle drawn towards the lower right zooms, as the hint says.
    const draw::PlotLayout layout(spec_, QRectF(rect()), QFontMetricsF(draw::PlotFont(), this));
    const QRectF area = layout.Area();
    const QPoint from(std::max<int>(start.x(), area.left()), std::max<int>(start.y(), area.top()));
    const QPoint to(std::min<int>(end.x(), area.right()), std::min<int>(end.y(), area.bottom()));
    if (to.x() - from.x() < kMinimumDrag || to.y() - from.y() < kMinimumDrag) return;
    const QRectF data = DataRect(from, to);
    emit zoomRequested(data.left(), data.right(), data.top(), data.bottom());
}

}  // namespace tavrel::ui
