#include "ui/tfm_point_calc.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

#include "core/math_helpers.h"
#include "core/number_format.h"
#include "core/responses.h"
#include "draw/engineering_units.h"
#include "ui/event_guard.h"
#include "ui/messages.h"

namespace tavrel::ui {

namespace {

constexpr const char* kApproxNames[kApproxCount] = {"Butterworth", "Chebyshev", "Inverse Chebyshev",
                                                    "Elliptic (Cauer)", "Bessel (Thompson)"};

QLabel* Result(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setMinimumWidth(170);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QString Value(long double x, const char* unit) { return QString::fromStdString(Sci(x, 7, 5)) + unit; }

}  // namespace

TfmPointCalc::TfmPointCalc(const DesignState& state, QWidget* parent) : QDialog(parent), state_(state) {
    setObjectName("TfmPointCalc");
    setWindowTitle("Point Calculator");
    title_ = new QLabel(this);
    frequency_ = new QLineEdit(this);
    frequency_->setObjectName("frequency");
    time_ = new QLineEdit(this);
    time_->setObjectName("time");
    frequencyLabel_ = new QLabel(this);
    timeLabel_ = new QLabel(this);
    gainVv_ = Result("gainVv", this);
    gainDb_ = Result("gainDb", this);
    phaseRad_ = Result("phaseRad", this);
    phaseDeg_ = Result("phaseDeg", this);
    delay_ = Result("delay", this);
    step_ = Result("step", this);
    impulse_ = Result("impulse", this);

    auto* form = new QFormLayout;
    form->addRow(frequencyLabel_, frequency_);
    form->addRow("Gain:", gainVv_);
    form->addRow("", gainDb_);
    form->addRow("Phase:", phaseRad_);
    form->addRow("", phaseDeg_);
    form->addRow("Group delay:", delay_);
    form->addRow(timeLabel_, time_);
    form->addRow("Step response:", step_);
    form->addRow("Impulse response:", impulse_);
    auto* calculate = new QPushButton("&Calculate", this);
    calculate->setObjectName("calculate");
    calculate->setDefault(true);
    auto* close = new QPushButton("&Close", this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(calculate);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title_);
    layout->addLayout(form);
    layout->addLayout(buttons);
    connect(calculate, &QPushButton::clicked, this, &TfmPointCalc::Calculate);
    connect(close, &QPushButton::clicked, this, &TfmPointCalc::hide);
}

// The time entry is in the unit of the time axis (s, ms, us).
draw::ScaledUnit TfmPointCalc::TimeUnit() const { return draw::TimeUnit(state_.TimeSpan); }

void TfmPointCalc::Open(int approx) {
    SetApprox(approx);
    if (frequency_->text().isEmpty()) {
        // The middle of the frequency axis and a third of the time axis.
        const long double middle = state_.FreqLo * std::sqrt(state_.FreqHi / state_.FreqLo);
        frequency_->setText(QString::fromStdString(TrimZeros(Fixed(middle, 10, 3))));
        time_->setText(QString::fromStdString(TrimZeros(Fixed(state_.TimeSpan / 3 / TimeUnit().scale, 10, 3))));
    }
    show();
    raise();
}

void TfmPointCalc::SetApprox(int approx) {
    approx_ = approx;
    title_->setText(approx >= 0 ? QString("Approximation: ") + kApproxNames[approx] : "No approximation");
    frequencyLabel_->setText(state_.HzUnits ? "Frequency (Hz):" : "Frequency (rad/s):");
    timeLabel_->setText("Time (" + TimeUnit().name + "):");
}

void TfmPointCalc::Calculate() { Guarded([this] { RunCalculate(); }); }

void TfmPointCalc::RunCalculate() {
    if (approx_ < 0 || !IsUsable(state_, approx_)) return;
    const std::optional<long double> f = ReadEngineeringNumber(frequency_->text().toStdString());
    const std::optional<long double> typedTime = ReadEngineeringNumber(time_->text().toStdString());
    for (auto [value, box] : {std::pair{f, frequency_}, std::pair{typedTime, time_}})
        if (!value) {
            ShowWarning("Invalid Number.");
            box->setFocus();
            box->selectAll();
            return;
        }
    const long double w = state_.HzUnits ? 2 * kPi * *f : *f;
    const FrequencyPoint point = IdealResponseAt(state_, approx_, w);
    // Phase as on the graph: the negative of the accumulated lag.
    gainVv_->setText(Value(point.gainVv, "  V/V"));
    gainDb_->setText(Value(point.gainDb, "  dB"));
    phaseRad_->setText(Value(-point.phaseRad, "  rad"));
    phaseDeg_->setText(Value(-point.phaseDeg, "  deg"));
    delay_->setText(Value(point.delaySec, "  sec"));
    const long double t = *typedTime * TimeUnit().scale;
    const TimePoint time = IdealTimeResponseAt(state_, approx_, t);
    step_->setText(Value(time.step, "  volts"));
    impulse_->setText(Value(time.impulse, "  volts"));
}

}  // namespace tavrel::ui
