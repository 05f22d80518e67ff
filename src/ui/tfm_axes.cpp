#include "ui/tfm_axes.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/number_format.h"
#include "ui/event_guard.h"
#include "ui/messages.h"

namespace tavrel::ui {

namespace {

QGroupBox* Pair(const QString& title, QRadioButton*& first, const QString& a, QRadioButton*& second,
                const QString& b, QWidget* parent) {
    auto* box = new QGroupBox(title, parent);
    auto* layout = new QVBoxLayout(box);
    first = new QRadioButton(a, box);
    second = new QRadioButton(b, box);
    layout->addWidget(first);
    layout->addWidget(second);
    return box;
}

QString Number(long double x) { return QString::fromStdString(TrimLeading(Sci(x, 7, 4))); }

}  // namespace

TfmAxes::TfmAxes(QWidget* parent) : QDialog(parent) {
    setObjectName("TfmAxes");
    setWindowTitle("Configure Axes");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Pair("Frequency axis", logFrequency_, " logarithmic", linearFrequency_, " linear", this));
    layout->addWidget(Pair("Attenuation axis", db_, " log (dB)", vv_, " linear (V/V)", this));
    layout->addWidget(Pair("Phase axis", degrees_, " degrees", radians_, " radians", this));
    logFrequency_->setObjectName("logFrequency");
    linearFrequency_->setObjectName("linearFrequency");
    db_->setObjectName("db");
    vv_->setObjectName("vv");
    grid_ = new QCheckBox(" show grid lines", this);
    show3dB_ = new QCheckBox(" show 3dB attenuation", this);
    show3dB_->setObjectName("show3dB");
    layout->addWidget(grid_);
    layout->addWidget(show3dB_);
    auto* range = new QGroupBox("Frequency range", this);
    auto* form = new QFormLayout(range);
    from_ = new QLineEdit(range);
    from_->setObjectName("from");
    to_ = new QLineEdit(range);
    to_->setObjectName("to");
    form->addRow("From:", from_);
    form->addRow("To:", to_);
    layout->addWidget(range);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &TfmAxes::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TfmAxes::reject);
}

void TfmAxes::Edit(const DesignState& state, const draw::GraphOptions& options) {
    (state.LogFrequencyAxis ? logFrequency_ : linearFrequency_)->setChecked(true);
    (state.DbDisplay ? db_ : vv_)->setChecked(true);
    (options.phaseInRadians ? radians_ : degrees_)->setChecked(true);
    grid_->setChecked(options.gridLines);
    show3dB_->setChecked(options.show3dB);
    const QString unit = state.HzUnits ? " (Hz)" : " (rad/s)";
    from_->setText(Number(state.FreqLo));
    to_->setText(Number(state.FreqHi));
    from_->setToolTip("Lowest frequency" + unit);
    to_->setToolTip("Highest frequency" + unit);
    chosen_.freqLo = state.FreqLo;
    chosen_.freqHi = state.FreqHi;
    open();
}

void TfmAxes::accept() {
    Guarded([this] { Check(); });
}

void TfmAxes::Check() {
    const long double lo = ReadReal(from_->text().toStdString());
    const long double hi = ReadReal(to_->text().toStdString());
    if (!(lo > 0)) {
        ShowWarning("Invalid Number.");
        from_->setFocus();
        return;
    }
    if (!(hi > lo)) {
        ShowWarning("The highest frequency must exceed the lowest.");
        to_->setFocus();
        return;
    }
    chosen_ = {logFrequency_->isChecked(), db_->isChecked(), lo, hi,
               {grid_->isChecked(), show3dB_->isChecked(), radians_->isChecked()}};
    QDialog::accept();
}

}  // namespace tavrel::ui
