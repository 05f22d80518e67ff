#pragma once
#include <QWidget>
#include <array>

#include "analysis/workflow.h"

class QLabel;

namespace tavrel::ui {

// The row of wizard steps above the pages: where the design is (the page shown), which
// steps it has reached, which it passes automatically and which lie ahead.
class StepIndicator : public QWidget {
    Q_OBJECT
public:
    enum class Mark { Ahead, Reached, Automatic, Current };

    explicit StepIndicator(QWidget* parent = nullptr);
    // Marks every step; with no design all are ahead.
    void Show(const std::array<Mark, kWizardPageCount>& marks);
    Mark MarkOf(WizardPage page) const { return marks_[static_cast<int>(page)]; }
    // The caption of a step as the row shows it.
    static QString Caption(WizardPage page);

private:
    std::array<QLabel*, kWizardPageCount> steps_{};
    std::array<Mark, kWizardPageCount> marks_{};
};

}  // namespace tavrel::ui
