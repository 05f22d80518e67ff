#include "ui/step_indicator.h"

#include <QHBoxLayout>
#include <QLabel>

namespace tavrel::ui {

namespace {

constexpr const char* kCaptions[kWizardPageCount] = {"Specification",     "Approximation",         "Pairing",
                                                     "Cascading",         "Circuit selection",     "Components",
                                                     "Final responses"};

// The look of each mark: the page shown stands out, reached steps read as done, steps
// passed automatically are grey and slanted, steps ahead faint.
QString StyleOf(StepIndicator::Mark mark) {
    switch (mark) {
        case StepIndicator::Mark::Current:
            return "QLabel { background: #1f4fa8; color: white; font-weight: bold; border-radius: 3px; padding: 3px 8px; }";
        case StepIndicator::Mark::Reached:
            return "QLabel { color: #1f4fa8; border: 1px solid #1f4fa8; border-radius: 3px; padding: 2px 7px; }";
        case StepIndicator::Mark::Automatic:
            return "QLabel { color: #707070; font-style: italic; border: 1px dashed #a0a0a0; border-radius: 3px; "
                   "padding: 2px 7px; }";
        case StepIndicator::Mark::Ahead: break;
    }
    return "QLabel { color: #a8a8a8; border: 1px solid #dcdcdc; border-radius: 3px; padding: 2px 7px; }";
}

QString TipOf(StepIndicator::Mark mark) {
    switch (mark) {
        case StepIndicator::Mark::Current: return "The page shown";
        case StepIndicator::Mark::Reached: return "Reached";
        case StepIndicator::Mark::Automatic: return "Done automatically (Options menu)";
        case StepIndicator::Mark::Ahead: break;
    }
    return "Not reached yet";
}

}  // namespace

StepIndicator::StepIndicator(QWidget* parent) : QWidget(parent) {
    setObjectName("steps");
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(4);
    for (int page = 0; page < kWizardPageCount; ++page) {
        if (page > 0) {
            auto* arrow = new QLabel(QString(QChar(0x203A)), this);
            arrow->setStyleSheet("QLabel { color: #909090; }");
            row->addWidget(arrow);
        }
        steps_[page] = new QLabel(QString("%1  %2").arg(page + 1).arg(kCaptions[page]), this);
        steps_[page]->setObjectName(QString("step%1").arg(page));
        row->addWidget(steps_[page]);
    }
    row->addStretch(1);
    marks_.fill(Mark::Current);  // differs from every first Show, so that it draws
    Show({});
}

void StepIndicator::Show(const std::array<Mark, kWizardPageCount>& marks) {
    for (int page = 0; page < kWizardPageCount; ++page) {
        if (marks[page] == marks_[page]) continue;
        steps_[page]->setStyleSheet(StyleOf(marks[page]));
        steps_[page]->setToolTip(TipOf(marks[page]));
    }
    marks_ = marks;
}

QString StepIndicator::Caption(WizardPage page) { return kCaptions[static_cast<int>(page)]; }

}  // namespace tavrel::ui
