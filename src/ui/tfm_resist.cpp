#include "ui/tfm_resist.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "ui/window_parts.h"

namespace tavrel::ui {

namespace {

constexpr ResistorSeries kSeries[3] = {ResistorSeries::E96, ResistorSeries::E24, ResistorSeries::E12};
constexpr const char* kButtonNames[3] = {"e96", "e24", "e12"};
constexpr const char* kSeriesNames[3] = {"E96", "E24", "E12"};

// Twelve values to a column: the E12 series is one column, E24 two, E96 eight.
constexpr int kRowsPerColumn = 12;

int IndexOf(ResistorSeries series) { return static_cast<int>(series); }

}  // namespace

TfmResist::TfmResist(QWidget* parent) : QDialog(parent) {
    setObjectName("TfmResist");
    setWindowTitle("Standard Resistance Values");
    auto* row = new QHBoxLayout;
    auto* group = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        buttons_[static_cast<size_t>(i)] =
            NamedButton(this, QString("%1%").arg(SeriesPercent(kSeries[i])), kButtonNames[i]);
        buttons_[static_cast<size_t>(i)]->setCheckable(true);
        group->addButton(buttons_[static_cast<size_t>(i)]);
        row->addWidget(buttons_[static_cast<size_t>(i)]);
        connect(buttons_[static_cast<size_t>(i)], &QPushButton::clicked, this, [this, i] { ShowSeries(kSeries[i]); });
    }
    row->addStretch(1);
    caption_ = new QLabel(this);
    caption_->setObjectName("caption");
    values_ = new QTableWidget(this);
    values_->setObjectName("values");
    values_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    values_->setSelectionMode(QAbstractItemView::NoSelection);
    values_->horizontalHeader()->hide();
    values_->verticalHeader()->hide();
    values_->setShowGrid(false);
    auto* close = NamedButton(this, "&Close", "close");
    connect(close, &QPushButton::clicked, this, &TfmResist::hide);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(caption_);
    layout->addWidget(values_, 1);
    layout->addLayout(bottom);
    resize(520, 490);
}

void TfmResist::Open(ResistorSeries series) {
    ShowSeries(series);
    show();
    raise();
}

void TfmResist::ShowSeries(ResistorSeries series) {
    series_ = series;
    buttons_[static_cast<size_t>(IndexOf(series))]->setChecked(true);
    const auto entries = SeriesEntries(series);
    const int count = static_cast<int>(entries.size());
    caption_->setText(QString("%1, %2 values a decade (%3% resistors)")
                          .arg(kSeriesNames[IndexOf(series)])
                          .arg(count)
                          .arg(SeriesPercent(series)));
    values_->clear();
    values_->setRowCount(kRowsPerColumn);
    values_->setColumnCount((count + kRowsPerColumn - 1) / kRowsPerColumn);
    for (int i = 0; i < count; ++i) {
        auto* item = new QTableWidgetItem(entries[static_cast<size_t>(i)]);
        item->setTextAlignment(Qt::AlignCenter);
        values_->setItem(i % kRowsPerColumn, i / kRowsPerColumn, item);
    }
    values_->resizeColumnsToContents();
}

}  // namespace tavrel::ui
