#include "ui/tfm_blocks.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "draw/building_block_plot.h"
#include "stages/stage_record.h"
#include "ui/event_guard.h"
#include "ui/painted_view.h"
#include "ui/window_parts.h"

namespace tavrel::ui {

namespace {

constexpr const char* kTypeCaptions[6] = {" Lowpass", " Highpass", " Bandpass", " Lowpass", " Highpass", " Notch"};
constexpr const char* kTypeNames[6] = {"lowpass", "highpass", "bandpass", "lowpassNotch", "highpassNotch", "notch"};
constexpr std::uint8_t kSecondOrderTypes[6] = {StageCode::SLP, StageCode::SHP, StageCode::SBP,
                                               StageCode::SLPN, StageCode::SHPN, StageCode::SN};

}  // namespace

TfmBlocks::TfmBlocks(QWidget* parent) : QWidget(parent, Qt::Window) {
    CloseOnEscape(this);
    setObjectName("TfmBlocks");
    setWindowTitle("The building blocks");
    view_ = new PaintedView(
        [this](QPainter& painter, const QRectF& rect) { draw::DrawBuildingBlock(painter, rect, StageType(), hz_); },
        QSize(560, 380));
    view_->setObjectName("plot");

    auto* order = new QGroupBox("Order", this);
    auto* orderLayout = new QVBoxLayout(order);
    first_ = new QRadioButton(" First", order);
    first_->setObjectName("first");
    second_ = new QRadioButton(" Second", order);
    second_->setObjectName("second");
    orderLayout->addWidget(first_);
    orderLayout->addWidget(second_);
    second_->setChecked(true);

    auto* type = new QGroupBox(" Type", this);
    auto* typeLayout = new QVBoxLayout(type);
    auto* types = new QButtonGroup(this);
    for (int k = 0; k < 6; ++k) {
        if (k == 3) typeLayout->addWidget(new QLabel(" Bandstop:", type));
        type_[k] = new QRadioButton(kTypeCaptions[k], type);
        type_[k]->setObjectName(kTypeNames[k]);
        if (k >= 3) type_[k]->setContentsMargins(16, 0, 0, 0);
        types->addButton(type_[k], k);
        typeLayout->addWidget(type_[k]);
        connect(type_[k], &QRadioButton::toggled, this, GuardedSlot([this] { Update(); }));
    }
    type_[0]->setChecked(true);
    connect(first_, &QRadioButton::toggled, this, GuardedSlot([this] { Update(); }));

    auto* close = new QPushButton("&Close", this);
    close->setObjectName("close");
    connect(close, &QPushButton::clicked, this, &TfmBlocks::hide);

    auto* left = new QVBoxLayout;
    left->addWidget(order);
    left->addWidget(type);
    left->addStretch(1);
    left->addWidget(close);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addWidget(view_, 1);
}

void TfmBlocks::Open(bool hz) {
    SetHz(hz);
    show();
    raise();
}

void TfmBlocks::SetHz(bool hz) {
    hz_ = hz;
    view_->update();
}

int TfmBlocks::StageType() const {
    int choice = 0;
    for (int k = 0; k < 6; ++k)
        if (type_[k]->isChecked()) choice = k;
    if (first_->isChecked()) return choice == 1 ? StageCode::FHP : StageCode::FLP;
    return kSecondOrderTypes[choice];
}

void TfmBlocks::Update() {
    // First-order stages are lowpass or highpass only.
    const bool first = first_->isChecked();
    for (int k = 2; k < 6; ++k) {
        if (first && type_[k]->isChecked()) type_[0]->setChecked(true);
        type_[k]->setEnabled(!first);
    }
    view_->update();
}

}  // namespace tavrel::ui
