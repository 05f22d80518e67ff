// The inventory window on real widgets: opened from the Inventory menu, a click on a value,
// the range selectors, the quick selection, the count line, and OK writing RCInvent.dat while
// Cancel leaves the inventory and the file alone. Expected counts follow from the series sizes
// (E24: 24 values a decade, 7 decades; capacitors: 12 values, 6 decades).
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QTableWidget>
#include <memory>

#include "io/inventory_file.h"
#include "support/scratch_directory.h"
#include "ui/tfm_invent.h"
#include "ui_test_support.h"

using namespace tavrel;
using namespace tavrel::ui;
using namespace tavrel::ui::test;

namespace {

using testing_support::ReadWholeFile;

// Offsets of the mark tables in RCInvent.dat.
constexpr int kE24Marks = 672;

}  // namespace

class InventoryWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        session_.Start();
        folder_ = std::make_unique<testing_support::ScratchDirectory>("tavrel-inventory-ui");
        file_ = *folder_ / kInventoryFileName;
        session_.main()->UseInventoryFile(file_);
        window_ = session_.main()->Invent();
    }
    void cleanup() {
        session_.Stop();
        folder_.reset();
    }

    void aMissingFileIsMadeAtStartWithEverythingInStock() {
        QCOMPARE(ReadWholeFile(file_).size(), std::size_t{1012});
        QCOMPARE(InventoryBytes(session_.main()->Inventory()), InventoryBytes(DefaultInventory()));
    }

    void theFivePercentWindow() {
        session_.main()->Command("5 percent")->trigger();
        QVERIFY(window_->isVisible());
        QCOMPARE(window_->windowTitle(), QString(" 5% Resistor Inventory Range "));
        QCOMPARE(Label("rangeMin"), QString("Rmin:"));
        QCOMPARE(Label("rangeEnd"), QString("Rmax+1:"));
        auto* min = Find<QComboBox>(window_, "rangeMin");
        QCOMPARE(min->count(), 8);
        QCOMPARE(min->itemText(0), QString("1"));
        QCOMPARE(min->itemText(7), QString("10M"));
        QCOMPARE(min->currentIndex(), 0);
        QCOMPARE(Find<QComboBox>(window_, "rangeEnd")->currentIndex(), 7);
        // Seven decades of two columns, twelve values to a column.
        QCOMPARE(window_->Marks()->columnCount(), 14);
        QCOMPARE(window_->Marks()->rowCount(), 12);
        QCOMPARE(Count(), QString("168 of 168 selected."));
        // 47 kOhm: decade row 4, the 17th value (Column1, the 9th down).
        const auto [row, column] = window_->CellOf(4, 16);
        QCOMPARE(row, 8);
        QCOMPARE(column, 8);
        QCOMPARE(window_->Marks()->item(row, column)->text(), QString("47K"));
        QCOMPARE(window_->Marks()->item(0, 1)->text(), QString("1.1"));
        QCOMPARE(window_->Marks()->item(0, 0)->text(), QString("1"));
        Click(window_, "cancel");
    }

    void aClickTurnsAMarkOverAndOkWritesIt() {
        session_.main()->Command("5 percent")->trigger();
        const auto [row, column] = window_->CellOf(4, 16);
        ClickCell(row, column);
        QCOMPARE(window_->Marks()->item(row, column)->checkState(), Qt::Unchecked);
        QCOMPARE(Count(), QString("167 of 168 selected."));
        ClickCell(row, column);
        QCOMPARE(Count(), QString("168 of 168 selected."));
        ClickCell(row, column);
        // Not kept before OK.
        QCOMPARE(InventoryMark(session_.main()->Inventory(), InventoryList::E24, 4, 16), 1);
        Click(window_, "ok");
        QVERIFY(!window_->isVisible());
        QCOMPARE(InventoryMark(session_.main()->Inventory(), InventoryList::E24, 4, 16), 0);
        QVERIFY(!ResistorInStock(session_.main()->Inventory(), ResistorSeries::E24, {16, 2}));
        const std::string bytes = ReadWholeFile(file_);
        QCOMPARE(bytes.size(), std::size_t{1012});
        QCOMPARE(int(bytes[kE24Marks + 4 * 24 + 16]), 0);
        QCOMPARE(int(bytes[kE24Marks + 4 * 24 + 15]), 1);
    }

    void cancelLeavesTheInventoryAndTheFileAsTheyWere() {
        const std::string before = ReadWholeFile(file_);
        session_.main()->Command("1 percent")->trigger();
        Click(window_, "unmarkAll");
        QCOMPARE(Count(), QString("0 of 672 selected."));
        Find<QComboBox>(window_, "rangeMin")->setCurrentIndex(3);
        Click(window_, "cancel");
        QCOMPARE(InventoryBytes(session_.main()->Inventory()), InventoryBytes(DefaultInventory()));
        QCOMPARE(ReadWholeFile(file_), before);
        // Opened again, the window shows the inventory, not the edits.
        session_.main()->Command("1 percent")->trigger();
        QCOMPARE(Count(), QString("672 of 672 selected."));
        Click(window_, "cancel");
    }

    void theRangeSelectorsSetTheRowsShownAndCounted() {
        session_.main()->Command("10 percent")->trigger();
        Find<QComboBox>(window_, "rangeMin")->setCurrentIndex(3);  // "1K"
        Find<QComboBox>(window_, "rangeEnd")->setCurrentIndex(5);  // "100K": rows 3 and 4
        QCOMPARE(window_->Marks()->columnCount(), 4);
        QCOMPARE(window_->Marks()->horizontalHeaderItem(0)->text(), QString("1K"));
        QCOMPARE(window_->Marks()->horizontalHeaderItem(2)->text(), QString("10K"));
        QCOMPARE(Count(), QString("24 of 24 selected."));
        // A minimum at or above the end moves the end along; the range keeps one row.
        Find<QComboBox>(window_, "rangeMin")->setCurrentIndex(6);
        QCOMPARE(Find<QComboBox>(window_, "rangeEnd")->currentIndex(), 7);
        Find<QComboBox>(window_, "rangeEnd")->setCurrentIndex(0);
        QCOMPARE(Find<QComboBox>(window_, "rangeMin")->currentIndex(), 0);
        QCOMPARE(Find<QComboBox>(window_, "rangeEnd")->currentIndex(), 1);
        Find<QComboBox>(window_, "rangeEnd")->setCurrentIndex(6);
        Click(window_, "ok");
        const InventoryRange range = session_.main()->Inventory().E12Range;
        QCOMPARE(int(range.First), 0);
        QCOMPARE(int(range.End), 6);
        const std::string bytes = ReadWholeFile(file_);
        QCOMPARE(int(bytes[1004]), 0);
        QCOMPARE(int(bytes[1006]), 6);
        // 1 MOhm, row 6, is now outside the range: not in stock although marked.
        QVERIFY(!ResistorInStock(session_.main()->Inventory(), ResistorSeries::E12, {0, 4}));
    }

    void quickSelectActsOnTheCheckedColumnsInTheRange() {
        session_.main()->Command("5 percent")->trigger();
        Find<QComboBox>(window_, "rangeMin")->setCurrentIndex(2);
        Find<QComboBox>(window_, "rangeEnd")->setCurrentIndex(4);
        Find<QCheckBox>(window_, "column1")->setChecked(false);
        Click(window_, "unmarkAll");
        QCOMPARE(Count(), QString("24 of 48 selected."));
        QCOMPARE(window_->Marks()->item(0, 1)->checkState(), Qt::Unchecked);  // 110 Ohm, Column2
        QCOMPARE(window_->Marks()->item(0, 0)->checkState(), Qt::Checked);    // 100 Ohm, Column1
        Find<QCheckBox>(window_, "column1")->setChecked(true);
        Find<QCheckBox>(window_, "column2")->setChecked(false);
        Click(window_, "unmarkAll");
        QCOMPARE(Count(), QString("0 of 48 selected."));
        Find<QCheckBox>(window_, "column2")->setChecked(true);
        Click(window_, "markAll");
        QCOMPARE(Count(), QString("48 of 48 selected."));
        Click(window_, "cancel");
    }

    void theCapacitorWindow() {
        session_.main()->Command("Capacitor Edit")->trigger();
        QCOMPARE(window_->windowTitle(), QString(" Capacitor Inventory Range "));
        QCOMPARE(Label("rangeMin"), QString("Cmin:"));
        QCOMPARE(Label("rangeEnd"), QString("Cmax+1:"));
        auto* end = Find<QComboBox>(window_, "rangeEnd");
        QCOMPARE(end->count(), 7);
        QCOMPARE(end->itemText(6), QString("10uF"));
        QCOMPARE(end->currentIndex(), 6);
        QCOMPARE(Count(), QString("72 of 72 selected."));
        const auto [row, column] = window_->CellOf(3, 0);  // 10 nF
        QCOMPARE(window_->Marks()->item(row, column)->text(), QString("10nF"));
        ClickCell(row, column);
        Click(window_, "ok");
        QVERIFY(!CapacitorInStock(session_.main()->Inventory(), {0, 10}));
        QCOMPARE(int(ReadWholeFile(file_)[924 + 3 * 12]), 0);
    }

    void theEnableItemsAreCheckMarksOfTheDesignOptions() {
        QAction* capacitors = session_.main()->Command("Capacitor Enable");
        QAction* resistors = session_.main()->Command("Resistor Enable");
        QVERIFY(capacitors->isCheckable() && !capacitors->isChecked());
        capacitors->trigger();
        QVERIFY(session_.main()->CurrentDesign().Options.UseCapInventory);
        QVERIFY(!session_.main()->CurrentDesign().Options.UseResInventory);
        resistors->trigger();
        QVERIFY(session_.main()->CurrentDesign().Options.UseResInventory);
        capacitors->trigger();
        QVERIFY(!session_.main()->CurrentDesign().Options.UseCapInventory);
    }

    void aDamagedFileOpensAsFarAsItWasRead() {
        session_.Stop();
        session_.Start();
        testing_support::WriteWholeFile(file_, std::string(500, '\0'));
        session_.main()->UseInventoryFile(file_);
        window_ = session_.main()->Invent();
        session_.main()->Command("1 percent")->trigger();
        // 500 bytes reach the first five decades and 20 values of the sixth.
        QCOMPARE(Count(), QString("172 of 672 selected."));
        Click(window_, "cancel");
        QCOMPARE(ReadWholeFile(file_).size(), std::size_t{500});
    }

private:
    QString Count() const { return Find<QLabel>(window_, "count")->text(); }
    QString Label(const char* selector) const {
        for (QLabel* label : window_->findChildren<QLabel*>())
            if (label->buddy() == Find<QComboBox>(window_, selector)) return label->text();
        return {};
    }
    void ClickCell(int row, int column) {
        QTableWidget* marks = window_->Marks();
        marks->scrollToItem(marks->item(row, column));
        const QRect cell = marks->visualItemRect(marks->item(row, column));
        QTest::mouseClick(marks->viewport(), Qt::LeftButton, {}, cell.center());
    }

    ProgramSession session_;
    std::unique_ptr<testing_support::ScratchDirectory> folder_;
    std::filesystem::path file_;
    TfmInvent* window_ = nullptr;
};

QTEST_MAIN(InventoryWindowTest)
#include "inventory_window_test.moc"
