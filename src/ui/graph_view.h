#pragma once
#include <QPoint>
#include <QWidget>
#include <optional>

#include "draw/plot.h"

namespace tavrel::ui {

// Shows one plot and lets the user draw a zoom rectangle from its upper left to its
// lower right corner with the left mouse button held down.
class GraphView : public QWidget {
    Q_OBJECT
public:
    explicit GraphView(QWidget* parent = nullptr);
    void SetPlot(draw::PlotSpec spec);
    const draw::PlotSpec& Plot() const { return spec_; }
    QImage Picture() const;
    QSize sizeHint() const override { return {620, 420}; }
    // The data rectangle under two device points of the widget.
    QRectF DataRect(QPoint upperLeft, QPoint lowerRight) const;

signals:
    // A rectangle was drawn: x from..to and y from..to in data coordinates.
    void zoomRequested(double xLo, double xHi, double yLo, double yHi);
    void unzoomRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    draw::PlotSpec spec_;
    std::optional<QPoint> dragStart_;
    QPoint dragNow_;
};

}  // namespace tavrel::ui
