#pragma once
#include <QWidget>
#include <array>
#include <optional>
#include <string>

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

// The specification page: the entries of a lowpass, highpass, bandpass or bandstop
// design, Calculate, and the result table. Numbers may be typed with engineering prefixes
// ("2k", "4.7n"); a refused entry stays framed in red until it is edited.
class TfmParEnt : public QWidget {
    Q_OBJECT
public:
    TfmParEnt(DesignState& state, CalcEnvironment environment, QWidget* parent = nullptr);

    // Default texts and units of the state's kind, the template picture shown.
    void Reset(const SpecEntries& entries);
    // Labels and unit boxes in the current frequency unit.
    void Redisplay();
    // Rewrites the frequency entries, typed in Hz (fromHz) or rad/s, for the other unit so
    // that they give the same filter; called before the state's unit changes.
    void ConvertFrequencyUnits(bool fromHz);
    // Whether an entry box is marked as the one a message refused.
    bool IsMarked(SpecField field) const;
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
    // Frames the box a message refers to; editing it takes the frame away.
    void Mark(SpecField field, const QString& message);
    void Unmark(QLineEdit* edit);
    QLineEdit* Edit(SpecField field) const;
    void EntryChanged();
    // Enter presses Calculate until a Calculate enabled Next, then Next.
    void SetDefaultButton(QPushButton* button);
    // The text handed to the calculation for a number box: the exact value behind a converted
    // frequency, a number with an engineering prefix written out, other text as typed.
    std::string NumberText(QLineEdit* edit) const;

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
    // The exact value behind each frequency box after a change of units, as long as the box
    // shows the text written with it.
    struct ExactEntry {
        QString text;
        long double value;
    };
    std::array<std::optional<ExactEntry>, 3> exactFrequency_{};
    std::optional<long double> ExactFrequency(int box) const;
};

}  // namespace tavrel::ui
