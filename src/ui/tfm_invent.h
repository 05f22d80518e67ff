#pragma once
#include <QDialog>
#include <filesystem>
#include <optional>
#include <utility>

#include "circuits/values/inventory.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QTableWidget;

namespace tavrel::ui {

// The inventory window of one series: the range of decade rows in use, the marks of the values
// in stock (a click on a value turns its mark over), the quick selection of whole columns and
// the count of marks in the range. OK keeps the changes and writes the whole inventory to its
// file; Cancel leaves the inventory as it was when the window opened.
//
// The grid shows each decade row of the range in two columns, Column1 the 1st, 3rd, ... values
// of the series and Column2 those between them, each column read downwards.
class TfmInvent : public QDialog {
    Q_OBJECT
public:
    explicit TfmInvent(QWidget* parent = nullptr);

    // Opens the window on one table of the inventory. The file is where OK writes the block;
    // without one (a program run without an inventory file) the changes last for the run.
    void Edit(InventoryBlock& inventory, InventoryList list, std::filesystem::path file);

    const InventoryBlock& Working() const { return working_; }
    InventoryList List() const { return list_; }
    QTableWidget* Marks() const { return marks_; }
    // The grid cell of a place of the table, or (-1, -1) when its row is outside the range.
    std::pair<int, int> CellOf(int row, int position) const;
    // Turns the mark of a grid cell over, as a click does.
    void ToggleCell(int gridRow, int gridColumn);

public slots:
    void accept() override;

private:
    void SetRange(int first, int end);
    void Fill();
    void ShowCount();
    // The place of the table a grid cell shows, or nothing for an empty cell.
    std::optional<std::pair<int, int>> PlaceOf(int gridRow, int gridColumn) const;

    InventoryBlock* inventory_ = nullptr;
    InventoryBlock working_;
    InventoryList list_ = InventoryList::E96;
    std::filesystem::path file_;
    QLabel *minLabel_, *endLabel_, *count_;
    QComboBox *min_, *end_;
    QTableWidget* marks_;
    QCheckBox *column1_, *column2_;
    bool filling_ = false;
};

}  // namespace tavrel::ui
