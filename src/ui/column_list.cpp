#include "ui/column_list.h"

#include <QHeaderView>
#include <algorithm>

#include "stages/pairing_text.h"

namespace tavrel::ui {

ColumnList::ColumnList(int columns, bool multiSelection, QWidget* parent) : QTreeWidget(parent), columns_(columns) {
    setColumnCount(columns);
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(multiSelection ? QAbstractItemView::MultiSelection : QAbstractItemView::SingleSelection);
    header()->setStretchLastSection(true);
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
}

void ColumnList::SetLines(const std::vector<std::vector<std::string>>& lines) {
    clear();
    for (const auto& fields : lines) {
        auto* item = new QTreeWidgetItem(this);
        for (int c = 0; c < columns_ && c < static_cast<int>(fields.size()); ++c)
            item->setText(c, QString::fromStdString(fields[static_cast<size_t>(c)]));
    }
}

QString ColumnList::LineText(int row) const {
    const QTreeWidgetItem* item = topLevelItem(row);
    if (!item) return {};
    QStringList fields;
    for (int c = 0; c < columns_; ++c)
        if (!item->text(c).isEmpty()) fields << item->text(c);
    return fields.join('\t');
}

std::vector<int> ColumnList::SelectedRows() const {
    std::vector<int> rows;
    for (QTreeWidgetItem* item : selectedItems()) rows.push_back(indexOfTopLevelItem(item));
    std::sort(rows.begin(), rows.end());
    return rows;
}

void ColumnList::SelectRow(int row) {
    clearSelection();
    if (QTreeWidgetItem* item = topLevelItem(row)) {
        item->setSelected(true);
        setCurrentItem(item);
    }
}

std::vector<std::string> SplitAtTabs(const std::string& line) {
    std::vector<std::string> fields;
    size_t start = 0;
    while (true) {
        const size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos) return fields;
        start = tab + 1;
    }
}

QString StageListTip() {
    return "One line per stage: its type, its poles with pole frequency and Q, its zeros with zero "
           "frequency. Point at a type for what it means.";
}

void ExplainStageTypes(ColumnList& list, const StageTables& tables, const std::vector<int>& stages) {
    for (size_t row = 0; row < stages.size(); ++row) {
        QTreeWidgetItem* item = list.topLevelItem(static_cast<int>(row));
        if (!item) continue;
        const StageRecord& stage = tables.Stage[static_cast<size_t>(stages[row])];
        item->setToolTip(0, QString::fromStdString(StageTypeExplanation(stage.StageType)));
    }
}

}  // namespace tavrel::ui
