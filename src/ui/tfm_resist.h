#pragma once
#include <QDialog>
#include <array>

#include "circuits/values/resistor_series.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace tavrel::ui {

// "Standard Resistance Values": one decade of the 1 %, 5 % or 10 % series, chosen by its
// button, read down the columns in ascending order.
class TfmResist : public QDialog {
    Q_OBJECT
public:
    explicit TfmResist(QWidget* parent = nullptr);

    // Shows the window with the series of the resistor tolerance in force.
    void Open(ResistorSeries series);
    void ShowSeries(ResistorSeries series);
    ResistorSeries Series() const { return series_; }
    QTableWidget* Values() const { return values_; }

private:
    ResistorSeries series_ = ResistorSeries::E96;
    std::array<QPushButton*, 3> buttons_{};
    QLabel* caption_;
    QTableWidget* values_;
};

}  // namespace tavrel::ui
