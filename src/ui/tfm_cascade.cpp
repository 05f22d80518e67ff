#include "ui/tfm_cascade.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "stages/cascading.h"
#include "stages/pairing_text.h"
#include "ui/column_list.h"
#include "ui/event_guard.h"
#include "ui/window_parts.h"

namespace tavrel::ui {

namespace {

constexpr const char* kCircuitSelectionLater = "Circuit selection is not available in this version yet.";

}  // namespace

TfmCascade::TfmCascade(DesignState& state, StageTables& tables, QWidget* parent)
    : QWidget(parent, Qt::Window), state_(state), tables_(tables) {
    setObjectName("TfmCascade");
    setWindowTitle("Order (cascade) stages to optimize response");

    pairs_ = new ColumnList(6, false, this);
    pairs_->setObjectName("pairs");
    pairs_->setMinimumWidth(520);
    flatness_ = new QListWidget(this);
    flatness_->setObjectName("flatness");
    flatness_->setSelectionMode(QAbstractItemView::NoSelection);
    flatness_->setFocusPolicy(Qt::NoFocus);
    flatness_->setFixedWidth(90);

    QPushButton* up = NamedButton(this, "Up", "up");
    QPushButton* down = NamedButton(this, "Down", "down");
    QPushButton* cascade = NamedButton(this, "Cascade", "cascade");
    QPushButton* criteria = NamedButton(this, "Criteria", "criteria");
    QGroupBox* manual = ButtonGroupBox(this, "Manual", {up, down});
    QGroupBox* automatic = ButtonGroupBox(this, "Automatic", {cascade, criteria});

    hide_ = new QCheckBox(" Hide this window next time", this);
    hide_->setObjectName("hideNextTime");
    QPushButton* next = NamedButton(this, "&Next >", "next");
    next->setEnabled(false);
    next->setToolTip(kCircuitSelectionLater);
    QPushButton* back = NamedButton(this, "< &Back", "back");
    QPushButton* close = NamedButton(this, "&Close", "close");
    QPushButton* help = NamedButton(this, "Help", "help");

    auto* actions = new QVBoxLayout;
    actions->addWidget(manual);
    actions->addWidget(automatic);
    actions->addStretch(1);
    auto* lists = new QHBoxLayout;
    lists->addLayout(CaptionedColumn(this, "Pole-Zero Pairs", pairs_), 1);
    lists->addLayout(CaptionedColumn(this, "Flatness", flatness_));
    lists->addLayout(actions);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists, 1);
    layout->addLayout(WizardButtonRow(hide_, {back, next, close, help}));
    resize(860, 360);

    connect(up, &QPushButton::clicked, this, &TfmCascade::Up);
    connect(down, &QPushButton::clicked, this, &TfmCascade::Down);
    connect(cascade, &QPushButton::clicked, this, &TfmCascade::Cascade);
    connect(criteria, &QPushButton::clicked, this, &TfmCascade::criteriaClicked);
    connect(back, &QPushButton::clicked, this, &TfmCascade::backClicked);
    connect(close, &QPushButton::clicked, this, &TfmCascade::closeClicked);
    connect(help, &QPushButton::clicked, this, &TfmCascade::helpClicked);
    connect(hide_, &QCheckBox::clicked, this, &TfmCascade::hideNextTime);
}

void TfmCascade::Open() {
    WaitCursor wait;
    CascadeWindowOpened(state_, tables_);
    hide_->setChecked(state_.AutoCascading);
    Redisplay();
    show();
    raise();
    emit stagesChanged();
}

void TfmCascade::Redisplay() {
    const int selected = pairs_->SelectedRows().empty() ? -1 : pairs_->SelectedRows().front();
    std::vector<std::vector<std::string>> lines;
    flatness_->clear();
    for (int stage = 1; stage <= state_.StageCount; ++stage) {
        const PairsLineFields fields = PairsListFields(tables_, stage, state_.HzUnits);
        lines.emplace_back(fields.begin(), fields.end());
        flatness_->addItem(QString::fromStdString(FlatnessLine(tables_.Stage[static_cast<size_t>(stage)])));
    }
    pairs_->SetLines(lines);
    if (selected >= 0) pairs_->SelectRow(selected);
}

void TfmCascade::Move(int (*move)(DesignState&, StageTables&, int)) {
    Guarded([&] {
        const std::vector<int> rows = pairs_->SelectedRows();
        if (rows.empty()) return;
        WaitCursor wait;
        const int stage = move(state_, tables_, rows.front() + 1);
        Redisplay();
        pairs_->SelectRow(stage - 1);
        emit stagesChanged();
    });
}

void TfmCascade::Up() { Move(&MoveStageUp); }
void TfmCascade::Down() { Move(&MoveStageDown); }

void TfmCascade::Cascade() {
    Guarded([this] {
        WaitCursor wait;
        CascadeAgain(state_, tables_);
        Redisplay();
        emit stagesChanged();
    });
}

void TfmCascade::closeEvent(QCloseEvent* event) {
    event->ignore();
    emit closeClicked();
}

}  // namespace tavrel::ui
