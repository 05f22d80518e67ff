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

TfmCascade::TfmCascade(DesignState& state, StageTables& tables, QWidget* parent)
    : QWidget(parent), state_(state), tables_(tables) {
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
    flatness_->setToolTip(kFlatnessExplanation);
    pairs_->setToolTip(StageListTip());

    QPushButton* up = NamedButton(this, "U&p", "up");
    QPushButton* down = NamedButton(this, "Do&wn", "down");
    QPushButton* cascade = NamedButton(this, "C&ascade", "cascade");
    QPushButton* criteria = NamedButton(this, "C&riteria", "criteria");
    QGroupBox* manual = ButtonGroupBox(this, "Manual", {up, down});
    QGroupBox* automatic = ButtonGroupBox(this, "Automatic", {cascade, criteria});

    hide_ = new QCheckBox(" Hide this window next time", this);
    hide_->setObjectName("hideNextTime");
    QPushButton* next = NamedButton(this, "&Next >", "next");
    next->setEnabled(false);  // its page, circuit selection, is not part of the program yet
    next->setToolTip("Circuit selection, the next step");
    next->setDefault(true);
    QPushButton* back = NamedButton(this, "< &Back", "back");
    QPushButton* close = NamedButton(this, "&Close", "close");
    QPushButton* help = NamedButton(this, "Help", "help");

    auto* actions = new QVBoxLayout;
    actions->addWidget(manual);
    actions->addWidget(automatic);
    actions->addStretch(1);
    auto* lists = new QHBoxLayout;
    lists->addLayout(CaptionedColumn(this, "Pole-Zero Pairs", pairs_), 1);
    QVBoxLayout* flatnessColumn = CaptionedColumn(this, "Flatness", flatness_);
    flatnessColumn->itemAt(0)->widget()->setToolTip(kFlatnessExplanation);
    lists->addLayout(flatnessColumn);
    lists->addLayout(actions);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists, 1);
    layout->addLayout(WizardButtonRow(hide_, {back, next, close, help}));
    setFocusProxy(pairs_);

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
    emit stagesChanged();
}

void TfmCascade::Redisplay() {
    const int selected = pairs_->SelectedRows().empty() ? -1 : pairs_->SelectedRows().front();
    std::vector<std::vector<std::string>> lines;
    std::vector<int> stages;
    flatness_->clear();
    for (int stage = 1; stage <= state_.StageCount; ++stage) {
        const PairsLineFields fields = PairsListFields(tables_, stage, state_.HzUnits);
        lines.emplace_back(fields.begin(), fields.end());
        stages.push_back(stage);
        flatness_->addItem(QString::fromStdString(FlatnessLine(tables_.Stage[static_cast<size_t>(stage)])));
        flatness_->item(stage - 1)->setToolTip(kFlatnessExplanation);
    }
    pairs_->SetLines(lines);
    ExplainStageTypes(*pairs_, tables_, stages);
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
