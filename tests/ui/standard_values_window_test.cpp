// "Standard Resistance Values" on real widgets: opened from the Tools menu with the series of
// the resistor tolerance, and the three buttons showing the E96, E24 and E12 decades.
#include <QAction>
#include <QLabel>
#include <QTableWidget>

#include "ui/tfm_resist.h"
#include "ui_test_support.h"

using namespace tavrel;
using namespace tavrel::ui;
using namespace tavrel::ui::test;

class StandardValuesWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init() { session_.Start(); }
    void cleanup() { session_.Stop(); }

    void opensWithTheSeriesOfTheResistorTolerance() {
        for (const auto& [tolerance, values] : {std::pair{1.0L, 96}, std::pair{0.25L, 96}, std::pair{2.0L, 24},
                                                std::pair{10.0L, 12}}) {
            session_.main()->CurrentDesign().Characteristics.RTolerance = tolerance;
            session_.main()->Command("Resistor values")->trigger();
            TfmResist* window = session_.main()->Resist();
            QVERIFY(window->isVisible());
            QCOMPARE(window->windowTitle(), QString("Standard Resistance Values"));
            QCOMPARE(Shown(window).size(), values);
            window->hide();
        }
    }

    void theButtonsShowTheirSeriesInAscendingOrder() {
        session_.main()->Command("Resistor values")->trigger();
        TfmResist* window = session_.main()->Resist();
        QCOMPARE(Find<QPushButton>(window, "e96")->text(), QString("1%"));
        QCOMPARE(Find<QPushButton>(window, "e24")->text(), QString("5%"));
        QCOMPARE(Find<QPushButton>(window, "e12")->text(), QString("10%"));
        Click(window, "e12");
        QCOMPARE(Shown(window), (QStringList{"100", "120", "150", "180", "220", "270", "330", "390", "470", "560", "680",
                                             "820"}));
        QVERIFY(Find<QPushButton>(window, "e12")->isChecked());
        Click(window, "e24");
        const QStringList e24 = Shown(window);
        QCOMPARE(e24.size(), 24);
        QCOMPARE(e24[16], QString("470"));
        QCOMPARE(e24.back(), QString("910"));
        Click(window, "e96");
        const QStringList e96 = Shown(window);
        QCOMPARE(e96.size(), 96);
        QCOMPARE(e96[65], QString("475"));
        QCOMPARE(e96.back(), QString("976"));
        QCOMPARE(window->Values()->columnCount(), 8);
        for (int i = 1; i < e96.size(); ++i) QVERIFY(e96[i - 1].toInt() < e96[i].toInt());
        Click(window, "close");
        QVERIFY(!window->isVisible());
    }

private:
    // The values as the columns read downwards.
    static QStringList Shown(TfmResist* window) {
        QStringList shown;
        QTableWidget* table = window->Values();
        for (int column = 0; column < table->columnCount(); ++column)
            for (int row = 0; row < table->rowCount(); ++row)
                if (QTableWidgetItem* item = table->item(row, column)) shown << item->text();
        return shown;
    }

    ProgramSession session_;
};

QTEST_MAIN(StandardValuesWindowTest)
#include "standard_values_window_test.moc"
