#include "ui/tfm_pairs.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "stages/pairing.h"
#include "stages/pairing_text.h"
#include "ui/column_list.h"
#include "ui/event_guard.h"
#include "ui/messages.h"
#include "ui/window_parts.h"

namespace tavrel::ui {

TfmPairs::TfmPairs(DesignState& state, StageTables& tables, QWidget* parent)
    : QWidget(parent), state_(state), tables_(tables) {
    setObjectName("TfmPairs");
    setWindowTitle("Pair zeros and poles to create 1st and 2nd order stages");

    poles_ = new ColumnList(1, true, this);
    poles_->setObjectName("poles");
    zeros_ = new ColumnList(2, true, this);
    zeros_->setObjectName("zeros");
    pairs_ = new ColumnList(6, false, this);
    pairs_->setObjectName("pairs");
    poles_->setMinimumWidth(430);
    zeros_->setMinimumWidth(170);

    QPushButton* add = NamedButton(this, "&Add", "add");
    QPushButton* autoAdd = NamedButton(this, "A&uto Add All", "autoAddAll");
    QPushButton* undo = NamedButton(this, "Un&do", "undo");
    QPushButton* undoAll = NamedButton(this, "Undo A&ll", "undoAll");
    QGroupBox* join = ButtonGroupBox(this, "Join Pairs", {add, autoAdd}, new QLabel("(Automatic Pole-Zero Pairing)", this));
    QGroupBox* undoBox = ButtonGroupBox(this, "Undo Pairs", {undo, undoAll});

    hide_ = new QCheckBox(" Hide this window next time", this);
    hide_->setObjectName("hideNextTime");
    QPushButton* back = NamedButton(this, "< &Back", "back");
    QPushButton* next = NamedButton(this, "&Next >", "next");
    QPushButton* close = NamedButton(this, "&Close", "close");
    QPushButton* help = NamedButton(this, "Help", "help");
    next->setDefault(true);
    pairs_->setToolTip(StageListTip());

    auto* lists = new QHBoxLayout;
    lists->addLayout(CaptionedColumn(this, "Poles:", poles_), 3);
    lists->addLayout(CaptionedColumn(this, "Zeros:", zeros_), 1);
    auto* actions = new QVBoxLayout;
    actions->addWidget(join);
    actions->addWidget(undoBox);
    actions->addStretch(1);
    lists->addLayout(actions);


    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists, 1);
    layout->addLayout(CaptionedColumn(this, "Pole-Zero Pairs:", pairs_), 1);
    layout->addLayout(WizardButtonRow(hide_, {back, next, close, help}));
    setFocusProxy(poles_);

    connect(add, &QPushButton::clicked, this, &TfmPairs::Add);
    connect(autoAdd, &QPushButton::clicked, this, &TfmPairs::AutoAddAll);
    connect(undo, &QPushButton::clicked, this, &TfmPairs::Undo);
    connect(undoAll, &QPushButton::clicked, this, &TfmPairs::UndoAll);
    connect(next, &QPushButton::clicked, this, &TfmPairs::Next);
    connect(back, &QPushButton::clicked, this, &TfmPairs::backClicked);
    connect(close, &QPushButton::clicked, this, &TfmPairs::closeClicked);
    connect(help, &QPushButton::clicked, this, &TfmPairs::helpClicked);
    connect(hide_, &QCheckBox::clicked, this, &TfmPairs::hideNextTime);
}

void TfmPairs::Open() {
    hide_->setChecked(state_.AutoPairing);
    Redisplay();
}

void TfmPairs::Redisplay() {
    const bool hz = state_.HzUnits;
    poleEntries_ = AvailablePoleEntries(tables_);
    zeroEntries_ = AvailableZeroEntries(tables_);
    std::vector<std::vector<std::string>> lines;
    for (int entry : poleEntries_) lines.push_back({PoleListLine(tables_, entry, hz)});
    poles_->SetLines(lines);
    lines.clear();
    for (int entry : zeroEntries_) lines.push_back(SplitAtTabs(ZeroListLine(tables_, entry, hz)));
    zeros_->SetLines(lines);
    lines.clear();
    for (int stage : tables_.PairLines) {
        const PairsLineFields fields = PairsListFields(tables_, stage, hz);
        lines.emplace_back(fields.begin(), fields.end());
    }
    pairs_->SetLines(lines);
    ExplainStageTypes(*pairs_, tables_, std::vector<int>(tables_.PairLines.begin(), tables_.PairLines.end()));
}

void TfmPairs::Add() {
    Guarded([this] {
        PairingSelection selection;
        for (int row : poles_->SelectedRows()) selection.poles.push_back(poleEntries_[static_cast<size_t>(row)]);
        for (int row : zeros_->SelectedRows()) selection.zeros.push_back(zeroEntries_[static_cast<size_t>(row)]);
        const auto message = AddPairing(state_, tables_, selection);
        Redisplay();
        emit stagesChanged();
        if (message) ShowError(QString::fromStdString(*message));
    });
}

void TfmPairs::AutoAddAll() {
    Guarded([this] {
        tavrel::AutoAddAll(state_, tables_);
        Redisplay();
        emit stagesChanged();
    });
}

void TfmPairs::Undo() {
    Guarded([this] {
        const std::vector<int> rows = pairs_->SelectedRows();
        const auto message = UndoPairing(state_, tables_, rows.empty() ? std::nullopt : std::optional<int>(rows.front()));
        if (message) {
            ShowError(QString::fromStdString(*message));
            return;
        }
        Redisplay();
        emit stagesChanged();
    });
}

void TfmPairs::UndoAll() {
    Guarded([this] {
        UndoAllPairing(state_, tables_);
        Redisplay();
        emit stagesChanged();
    });
}

void TfmPairs::Next() {
    Guarded([this] {
        WaitCursor wait;
        const auto message = PairingNext(state_, tables_);
        if (message) {
            wait.Release();
            ShowError(QString::fromStdString(*message));
            return;
        }
        emit pairingFinished();
    });
}

void TfmPairs::closeEvent(QCloseEvent* event) {
    event->ignore();
    emit closeClicked();
}

}  // namespace tavrel::ui
