#pragma once
#include <QDialog>
#include <array>

#include "stages/cascade_criteria.h"

class QCheckBox;
class QPushButton;
class QRadioButton;

namespace tavrel::ui {

// "Criteria; Automatic mode": the first- and last-stage preferences of automatic
// cascading with their priorities, and the order of the remaining stages.
class TfmCriteria : public QDialog {
    Q_OBJECT
public:
    explicit TfmCriteria(QWidget* parent = nullptr);

    // Shows the criteria; OK writes them back, Cancel leaves them as they are.
    void Edit(CascadeCriteria& criteria);
    const CascadeCriteria& Working() const { return working_; }

public slots:
    void accept() override;

private:
    struct Panel {
        std::array<QCheckBox*, 4> on{};
        std::array<QPushButton*, 4> priority{};
    };
    QWidget* MakePanel(const QString& caption, const char* name, const char* (*captionOf)(int), Panel& panel,
                       bool first);
    StagePreferences& Prefs(bool first) { return first ? working_.FirstStagePrefs : working_.LastStagePrefs; }
    void Show();

    CascadeCriteria* criteria_ = nullptr;
    CascadeCriteria working_;
    Panel first_, last_;
    QRadioButton *increasingQ_, *flatness_;
};

}  // namespace tavrel::ui
