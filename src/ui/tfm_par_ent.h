#pragma once
#include <QWidget>
#include <array>

#include "core/calculate.h"
#include "core/design_state.h"
#include "core/result_table.h"
#include "core/specification.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace tavrel::ui {

class PaintedView;

// The specification window: the entries of a lowpass, highpass, bandpass or bandstop
// design, Calculate, and the result table.
class TfmParEnt : public QWidget {
    Q_OBJECT
public:
    TfmParEnt(DesignState& state, CalcEnvironment environment, QWidget* parent = nullptr);

    // Default texts and units of the state's kind, the template picture shown.
    void Reset(const SpecEntries& entries);
    // Labels and unit boxes in the current frequency unit.
    void Redisplay();
    void ShowMagnitudeTab();
    bool ShowsResultTable() const;
    QImage Picture() const;

    // The entries as typed.
    SpecEntries Entries() const;
    // The table last drawn on the "Calculation results" tab.
    const ResultTable& ShownTable() const { return shownTable_; }

public slots:
    void Calculate();

signals:
    // A Calculate produced results; with the gain accepted the design can be saved.
    void calculated(bool gainAccepted);
    void nextClicked();
    void closeClicked();
    void helpClicked();
    void tabChanged();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void RunCalculate();
    void ForceToggled(bool checked);
    void GainUnitChanged(int index);
    void Focus(SpecField field);
    QLineEdit* Edit(SpecField field) const;
    void EntryChanged();

    DesignState& state_;
    CalcEnvironment environment_;
    ResultTable shownTable_{};

    QCheckBox* force_;
    QLineEdit *order_, *apb_, *asb_, *gain_;
    std::array<QLineEdit*, 3> frequency_;
    std::array<QLabel*, 3> frequencyLabel_;
    std::array<QComboBox*, 3> unit_;
    QLabel *asbLabel_, *asbUnit_, *gainLabel_;
    QComboBox* gainUnit_;
    QPushButton *calculate_, *next_, *close_;
    QTabWidget* tabs_;
    PaintedView *template_, *table_;
};

}  // namespace tavrel::ui
