#pragma once
#include <QTreeWidget>

#include "stages/stage_tables.h"
#include <string>
#include <vector>

namespace tavrel::ui {

// A list whose lines are split into columns at their tabs (the pairing lists).
class ColumnList : public QTreeWidget {
    Q_OBJECT
public:
    ColumnList(int columns, bool multiSelection, QWidget* parent = nullptr);
    // Replaces the lines; each line is a row of fields.
    void SetLines(const std::vector<std::vector<std::string>>& lines);
    // The texts of a line joined by tabs, as the list shows them in columns.
    QString LineText(int row) const;
    int LineCount() const { return topLevelItemCount(); }
    // Rows selected, in list order.
    std::vector<int> SelectedRows() const;
    void SelectRow(int row);

private:
    int columns_;
};

// Splits a line at its tabs.
std::vector<std::string> SplitAtTabs(const std::string& line);

// The tooltip of a list of stages as a whole: how to read its columns.
QString StageListTip();
// Gives the type code of each line of a stage list the explanation of its type; `stages`
// holds the stage of each line.
void ExplainStageTypes(ColumnList& list, const StageTables& tables, const std::vector<int>& stages);

}  // namespace tavrel::ui
