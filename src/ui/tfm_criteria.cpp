#include "ui/tfm_criteria.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/event_guard.h"
#include "ui/messages.h"

namespace tavrel::ui {

TfmCriteria::TfmCriteria(QWidget* parent) : QDialog(parent) {
    setObjectName("TfmCriteria");
    setWindowTitle("Criteria; Automatic mode");
    setModal(true);

    auto* order = new QGroupBox("Order remaining stages with:", this);
    auto* orderLayout = new QVBoxLayout(order);
    increasingQ_ = new QRadioButton(" increasing Qp", order);
    increasingQ_->setObjectName("increasingQp");
    flatness_ = new QRadioButton(" maximum flatness", order);
    flatness_->setObjectName("maximumFlatness");
    orderLayout->addWidget(increasingQ_);
    orderLayout->addWidget(flatness_);

    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("ok");
    ok->setDefault(true);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("cancel");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* panels = new QHBoxLayout;
    panels->addWidget(MakePanel("First stage:", "first", &FirstStagePrefCaption, first_, true));
    panels->addWidget(MakePanel("Last stage:", "last", &LastStagePrefCaption, last_, false));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(panels);
    layout->addWidget(order);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &TfmCriteria::accept);
    connect(cancel, &QPushButton::clicked, this, &TfmCriteria::reject);
}

QWidget* TfmCriteria::MakePanel(const QString& caption, const char* name, const char* (*captionOf)(int), Panel& panel,
                                bool first) {
    auto* box = new QGroupBox(caption, this);
    auto* grid = new QGridLayout(box);
    grid->addWidget(new QLabel("Priority", box), 0, 1, Qt::AlignHCenter);
    for (int index = 0; index < 4; ++index) {
        panel.on[index] = new QCheckBox(captionOf(index), box);
        panel.on[index]->setObjectName(QString("%1%2").arg(name).arg(index));
        panel.priority[index] = new QPushButton(box);
        panel.priority[index]->setObjectName(QString("%1Priority%2").arg(name).arg(index));
        panel.priority[index]->setFixedWidth(44);
        panel.priority[index]->setToolTip("Click to change the priority");
        grid->addWidget(panel.on[index], index + 1, 0);
        grid->addWidget(panel.priority[index], index + 1, 1);
        connect(panel.on[index], &QCheckBox::clicked, this, GuardedSlot([this, first, index] {
                    TogglePreference(Prefs(first), index);
                    Show();
                }));
        connect(panel.priority[index], &QPushButton::clicked, this, GuardedSlot([this, first, index] {
                    AdvancePriority(Prefs(first), index);
                    Show();
                }));
    }
    return box;
}

void TfmCriteria::Edit(CascadeCriteria& criteria) {
    criteria_ = &criteria;
    working_ = criteria;
    Show();
    open();
}

void TfmCriteria::Show() {
    for (bool first : {true, false}) {
        Panel& panel = first ? first_ : last_;
        const StagePreferences& prefs = Prefs(first);
        for (int index = 0; index < 4; ++index) {
            const StagePreference& pref = prefs[static_cast<size_t>(index)];
            panel.on[index]->setChecked(pref.On);
            panel.priority[index]->setText(pref.On ? QString::number(pref.Priority) : QString());
            panel.priority[index]->setEnabled(pref.On);
        }
    }
    (working_.UseQ ? increasingQ_ : flatness_)->setChecked(true);
}

void TfmCriteria::accept() {
    working_.UseQ = increasingQ_->isChecked();
    if (const auto message = CheckCriteria(working_)) {
        ShowError(QString::fromStdString(*message));
        return;
    }
    if (criteria_) *criteria_ = working_;
    QDialog::accept();
}

}  // namespace tavrel::ui
