#include "ui/tfm_transfer.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QImage>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "ui/event_guard.h"
#include "ui/painted_view.h"
#include "ui/window_parts.h"

namespace tavrel::ui {

TfmTransfer::TfmTransfer(const DesignState& state, const StageTables& tables, QWidget* parent)
    : QWidget(parent, Qt::Window), state_(state), tables_(tables) {
    CloseOnEscape(this);
    setObjectName("TfmTransfer");
    setWindowTitle("Stage Transfer Functions");

    view_ = new PaintedView(
        [this](QPainter& painter, const QRectF& rect) { draw::DrawTransferFunctionPage(painter, rect, page_); },
        QSize(600, 300));
    view_->setObjectName("page");
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(view_);
    scroll->setWidgetResizable(true);
    scroll->setBackgroundRole(QPalette::Base);

    radians_ = new QPushButton("rad/s", this);
    radians_->setObjectName("radians");
    hertz_ = new QPushButton("Hz", this);
    hertz_->setObjectName("hertz");
    auto* units = new QButtonGroup(this);
    for (QPushButton* b : {radians_, hertz_}) {
        b->setCheckable(true);
        units->addButton(b);
    }
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("ok");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(radians_);
    buttons->addWidget(hertz_);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(scroll, 1);
    layout->addLayout(buttons);
    resize(1000, 420);

    connect(radians_, &QPushButton::clicked, this, GuardedSlot([this] { SetHz(false); }));
    connect(hertz_, &QPushButton::clicked, this, GuardedSlot([this] { SetHz(true); }));
    connect(ok, &QPushButton::clicked, this, &TfmTransfer::hide);
}

void TfmTransfer::Open() {
    SetHz(true);
    show();
    raise();
}

void TfmTransfer::SetHz(bool hz) {
    hz_ = hz;
    (hz ? hertz_ : radians_)->setChecked(true);
    Redisplay();
}

void TfmTransfer::Redisplay() {
    Guarded([this] {
        page_ = draw::TransferFunctionPageOf(state_, tables_, hz_);
        view_->SetPreferredSize(draw::TransferFunctionPageSize(view_, page_).toSize());
        view_->update();
    });
}

QImage TfmTransfer::Picture() const { return view_->Picture(); }

}  // namespace tavrel::ui
