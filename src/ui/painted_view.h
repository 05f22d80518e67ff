#pragma once
#include <QSize>
#include <QWidget>
#include <functional>

namespace tavrel::ui {

// A widget that shows a drawing function of the draw library.
class PaintedView : public QWidget {
public:
    using Painter = std::function<void(QPainter&, const QRectF&)>;
    PaintedView(Painter painter, QSize preferred, QWidget* parent = nullptr);
    QSize sizeHint() const override { return preferred_; }
    QSize minimumSizeHint() const override { return preferred_ / 2; }
    void SetPreferredSize(QSize size);
    // The drawing at the widget's size, for the clipboard.
    QImage Picture() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Painter painter_;
    QSize preferred_;
};

}  // namespace tavrel::ui
