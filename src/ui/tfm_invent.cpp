#include "ui/tfm_invent.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/number_format.h"
#include "io/inventory_file.h"
#include "ui/messages.h"
#include "ui/window_parts.h"

namespace tavrel::ui {

namespace {

constexpr int kColumnsPerRow = 2;  // Column1 and Column2 of each decade

int PercentOf(InventoryList list) {
    switch (list) {
        case InventoryList::E96: return SeriesPercent(ResistorSeries::E96);
        case InventoryList::E24: return SeriesPercent(ResistorSeries::E24);
        default: return SeriesPercent(ResistorSeries::E12);
    }
}

QString ValueText(InventoryList list, int row, int position) {
    const long double value = InventoryValue(list, row, position);
    return QString::fromStdString(list == InventoryList::Capacitors ? FormatCapacitance(value) : FormatResistance(value));
}

int RowsPerColumn(InventoryList list) { return (InventoryColumns(list) + 1) / kColumnsPerRow; }

}  // namespace

TfmInvent::TfmInvent(QWidget* parent) : QDialog(parent) {
    setObjectName("TfmInvent");
    setModal(true);
    minLabel_ = new QLabel(this);
    endLabel_ = new QLabel(this);
    min_ = new QComboBox(this);
    min_->setObjectName("rangeMin");
    end_ = new QComboBox(this);
    end_->setObjectName("rangeEnd");
    minLabel_->setBuddy(min_);
    endLabel_->setBuddy(end_);
    auto* range = new QHBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{minLabel_, min_, endLabel_, end_}) range->addWidget(w);
    range->addStretch(1);

    marks_ = new QTableWidget(this);
    marks_->setObjectName("marks");
    marks_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    marks_->setSelectionMode(QAbstractItemView::NoSelection);
    marks_->verticalHeader()->hide();
    connect(marks_, &QTableWidget::cellClicked, this, &TfmInvent::ToggleCell);

    auto* quick = new QGroupBox(" Quick Select", this);
    column1_ = new QCheckBox(" Column1", quick);
    column1_->setObjectName("column1");
    column2_ = new QCheckBox(" Column2", quick);
    column2_->setObjectName("column2");
    auto* markAll = NamedButton(quick, "Mark All", "markAll");
    auto* unmarkAll = NamedButton(quick, "Unmark All", "unmarkAll");
    auto* quickLayout = new QVBoxLayout(quick);
    for (QWidget* w : std::initializer_list<QWidget*>{column1_, column2_, markAll, unmarkAll}) quickLayout->addWidget(w);
    quickLayout->addStretch(1);
    for (bool mark : {true, false})
        connect(mark ? markAll : unmarkAll, &QPushButton::clicked, this, [this, mark] {
            SetMarksInRange(working_, list_, column1_->isChecked(), column2_->isChecked(), mark);
            Fill();
        });

    count_ = new QLabel(this);
    count_->setObjectName("count");
    auto* ok = NamedButton(this, "OK", "ok");
    ok->setDefault(true);
    auto* cancel = NamedButton(this, "Cancel", "cancel");
    connect(ok, &QPushButton::clicked, this, &TfmInvent::accept);
    connect(cancel, &QPushButton::clicked, this, &TfmInvent::reject);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(count_, 1);
    bottom->addWidget(ok);
    bottom->addWidget(cancel);

    auto* middle = new QHBoxLayout;
    middle->addWidget(marks_, 1);
    middle->addWidget(quick);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(range);
    layout->addLayout(middle, 1);
    layout->addLayout(bottom);

    connect(min_, &QComboBox::currentIndexChanged, this, [this](int first) {
        if (!filling_) SetRange(first, std::max(end_->currentIndex(), first + 1));
    });
    connect(end_, &QComboBox::currentIndexChanged, this, [this](int end) {
        if (!filling_) SetRange(std::min(min_->currentIndex(), end - 1), end);
    });
    resize(920, 540);
}

void TfmInvent::Edit(InventoryBlock& inventory, InventoryList list, std::filesystem::path file) {
    inventory_ = &inventory;
    working_ = inventory;
    list_ = list;
    file_ = std::move(file);
    const bool capacitors = list == InventoryList::Capacitors;
    setWindowTitle(capacitors ? " Capacitor Inventory Range "
                              : QString(" %1% Resistor Inventory Range ").arg(PercentOf(list)));
    minLabel_->setText(capacitors ? "Cmin:" : "Rmin:");
    endLabel_->setText(capacitors ? "Cmax+1:" : "Rmax+1:");
    filling_ = true;
    for (QComboBox* box : {min_, end_}) {
        box->clear();
        for (const char* item : RangeSelectorItems(list)) box->addItem(item);
    }
    filling_ = false;
    column1_->setChecked(true);
    column2_->setChecked(true);
    Fill();
    open();
}

void TfmInvent::SetRange(int first, int end) {
    // A range keeps at least one row: the selector not moved gives way.
    const int rows = InventoryRows(list_);
    if (end > rows) end = rows;
    if (first >= end) first = end - 1;
    if (first < 0) {
        first = 0;
        end = std::max(end, 1);
    }
    RangeOf(working_, list_) = {static_cast<std::int16_t>(first), static_cast<std::int16_t>(end)};
    Fill();
}

void TfmInvent::Fill() {
    filling_ = true;
    const RowSpan rows = RowsInRange(working_, list_);
    // A range read from a damaged file shows as the rows the table has.
    min_->setCurrentIndex(rows.end > rows.first ? rows.first : 0);
    end_->setCurrentIndex(rows.end > rows.first ? rows.end : 1);
    const auto labels = RangeSelectorItems(list_);
    marks_->clear();
    marks_->setRowCount(RowsPerColumn(list_));
    marks_->setColumnCount((rows.end - rows.first) * kColumnsPerRow);
    QStringList headers;
    for (int row = rows.first; row < rows.end; ++row) headers << QString(labels[static_cast<size_t>(row)]) << "";
    marks_->setHorizontalHeaderLabels(headers);
    for (int row = rows.first; row < rows.end; ++row)
        for (int position = 0; position < InventoryColumns(list_); ++position) {
            const auto [gridRow, gridColumn] = CellOf(row, position);
            auto* item = new QTableWidgetItem(ValueText(list_, row, position));
            const bool inStock = InventoryMark(working_, list_, row, position) != 0;
            item->setData(Qt::CheckStateRole, inStock ? Qt::Checked : Qt::Unchecked);
            item->setFlags(Qt::ItemIsEnabled);
            if (!inStock) item->setForeground(palette().color(QPalette::Disabled, QPalette::Text));
            marks_->setItem(gridRow, gridColumn, item);
        }
    marks_->resizeColumnsToContents();
    filling_ = false;
    ShowCount();
}

void TfmInvent::ShowCount() { count_->setText(QString::fromStdString(CountLine(CountInRange(working_, list_)))); }

std::pair<int, int> TfmInvent::CellOf(int row, int position) const {
    const RowSpan rows = RowsInRange(working_, list_);
    if (row < rows.first || row >= rows.end) return {-1, -1};
    const int column = (row - rows.first) * kColumnsPerRow + (ColumnOf(position) == InventoryColumn::Column1 ? 0 : 1);
    return {position / kColumnsPerRow, column};
}

std::optional<std::pair<int, int>> TfmInvent::PlaceOf(int gridRow, int gridColumn) const {
    const RowSpan rows = RowsInRange(working_, list_);
    const int row = rows.first + gridColumn / kColumnsPerRow;
    const int position = gridRow * kColumnsPerRow + gridColumn % kColumnsPerRow;
    if (gridRow < 0 || gridColumn < 0 || row >= rows.end || position >= InventoryColumns(list_)) return std::nullopt;
    return std::pair{row, position};
}

void TfmInvent::ToggleCell(int gridRow, int gridColumn) {
    const auto place = PlaceOf(gridRow, gridColumn);
    if (!place) return;
    std::uint8_t& mark = InventoryMark(working_, list_, place->first, place->second);
    mark = mark ? 0 : 1;
    Fill();
}

void TfmInvent::accept() {
    *inventory_ = working_;
    if (!file_.empty())
        if (const auto error = SaveInventory(file_, *inventory_))
            ShowWarning(QString::fromStdString(error->message + ": " + error->reason));
    QDialog::accept();
}

}  // namespace tavrel::ui
