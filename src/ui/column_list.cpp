#include "ui/column_list.h"

#include <QHeaderView>
#include <algorithm>

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

}  // namespace tavrel::ui
