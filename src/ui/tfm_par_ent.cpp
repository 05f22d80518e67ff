#include "ui/tfm_par_ent.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <cstdio>
#include <memory>

#include "core/entry_units.h"
#include "core/number_format.h"
#include "draw/result_table_drawing.h"
#include "draw/spec_template.h"
#include "ui/event_guard.h"
#include "ui/messages.h"
#include "ui/painted_view.h"

namespace tavrel::ui {

namespace {

constexpr int kTemplateTab = 0, kResultTab = 1;

QLineEdit* MakeEdit(SpecField field, int maxLength, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(FieldName(field));
    if (maxLength > 0) edit->setMaxLength(maxLength);
    edit->setFixedWidth(80);
    return edit;
}

QString Q(const std::string& s) { return QString::fromStdString(s); }

// A frequency box takes a converted entry ("628.32k") or a number with a prefix.
constexpr int kFrequencyLength = 10;

std::string Exact(long double value) {
    char text[48];
    std::snprintf(text, sizeof text, "%.21Lg", value);
    return text;
}

constexpr const char* kRefusedStyle = "QLineEdit { border: 2px solid #d00000; border-radius: 2px; padding: 1px; }";

}  // namespace

TfmParEnt::TfmParEnt(DesignState& state, CalcEnvironment environment, QWidget* parent)
    : QWidget(parent), state_(state), environment_(std::move(environment)) {
    setObjectName("TfmParEnt");
    setWindowTitle("Enter frequency, attenuation and overallgain values");

    auto* entries = new QGroupBox("Enter values:", this);
    auto* grid = new QGridLayout(entries);
    force_ = new QCheckBox("Force Filter Order:", entries);
    force_->setObjectName("force");
    order_ = MakeEdit(SpecField::ForcedOrder, 2, entries);
    order_->setValidator(new QIntValidator(0, 99, order_));
    grid->addWidget(force_, 0, 0);
    grid->addWidget(order_, 0, 1);

    apb_ = MakeEdit(SpecField::Apb, 5, entries);
    asb_ = MakeEdit(SpecField::Asb, 5, entries);
    asbLabel_ = new QLabel("Stopband Attenuation (Asb):", entries);
    asbUnit_ = new QLabel("dB", entries);
    grid->addWidget(new QLabel("Passband Attenuation  (Apb):", entries), 1, 0);
    grid->addWidget(apb_, 1, 1);
    grid->addWidget(new QLabel("dB", entries), 1, 2);
    grid->addWidget(asbLabel_, 2, 0);
    grid->addWidget(asb_, 2, 1);
    grid->addWidget(asbUnit_, 2, 2);

    const SpecField fields[3] = {SpecField::F1, SpecField::F2, SpecField::F0};
    for (int i = 0; i < 3; ++i) {
        frequencyLabel_[i] = new QLabel(entries);
        frequency_[i] = MakeEdit(fields[i], kFrequencyLength, entries);
        unit_[i] = new QComboBox(entries);
        // The box grows with its items, so that "krad/s" is not cut to "krad".
        unit_[i]->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        unit_[i]->setObjectName(QString("unit%1").arg(i + 1));
        grid->addWidget(frequencyLabel_[i], 3 + i, 0);
        grid->addWidget(frequency_[i], 3 + i, 1);
        grid->addWidget(unit_[i], 3 + i, 2);
    }
    gainLabel_ = new QLabel("Overall Filter Gain:", entries);
    gain_ = MakeEdit(SpecField::Gain, 0, entries);
    gainUnit_ = new QComboBox(entries);
    gainUnit_->setObjectName("gainUnit");
    gainUnit_->addItems({"V/V", "dB"});
    grid->addWidget(gainLabel_, 6, 0);
    grid->addWidget(gain_, 6, 1);
    grid->addWidget(gainUnit_, 6, 2);
    grid->setColumnStretch(3, 1);

    calculate_ = new QPushButton("&Calculate", this);
    calculate_->setObjectName("calculate");
    calculate_->setDefault(true);
    next_ = new QPushButton("&Next >", this);
    next_->setObjectName("next");
    close_ = new QPushButton("&Close", this);
    close_->setObjectName("close");
    auto* strategy = new QPushButton("Strategy", this);
    strategy->setObjectName("strategy");
    auto* help = new QPushButton("Help", this);
    auto* buttons = new QGridLayout;
    buttons->addWidget(calculate_, 0, 0);
    buttons->addWidget(next_, 0, 1);
    buttons->addWidget(close_, 1, 0);
    buttons->addWidget(strategy, 1, 1);
    buttons->addWidget(help, 2, 0);

    auto* left = new QVBoxLayout;
    left->addWidget(entries);
    left->addLayout(buttons);
    left->addStretch(1);

    template_ = new PaintedView(
        [this](QPainter& p, const QRectF& r) { draw::DrawSpecificationTemplate(p, r, state_.FilterKind, state_.HzUnits); },
        QSize(440, 300), this);
    table_ = new PaintedView(
        [this](QPainter& p, const QRectF& r) { draw::DrawResultTable(p, r.adjusted(8, 8, 0, 0), shownTable_); },
        QSize(440, 300), this);
    table_->setObjectName("resultTable");
    const QSizeF tableSize = draw::ResultTableSize(table_);
    table_->SetPreferredSize(QSize(static_cast<int>(tableSize.width()) + 16, static_cast<int>(tableSize.height()) + 16));
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName("tabs");
    tabs_->addTab(template_, "Magnitude response");
    tabs_->addTab(table_, "Calculation results");

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addWidget(tabs_, 1);

    connect(calculate_, &QPushButton::clicked, this, &TfmParEnt::Calculate);
    connect(next_, &QPushButton::clicked, this, &TfmParEnt::nextClicked);
    connect(close_, &QPushButton::clicked, this, &TfmParEnt::closeClicked);
    connect(help, &QPushButton::clicked, this, &TfmParEnt::helpClicked);
    connect(strategy, &QPushButton::clicked, this, &TfmParEnt::helpClicked);
    connect(force_, &QCheckBox::toggled, this, GuardedSlot([this](bool on) { ForceToggled(on); }));
    connect(gainUnit_, &QComboBox::activated, this, GuardedSlot([this](int i) { GainUnitChanged(i); }));
    connect(tabs_, &QTabWidget::currentChanged, this, &TfmParEnt::tabChanged);
    for (QLineEdit* edit : {order_, apb_, asb_, frequency_[0], frequency_[1], frequency_[2], gain_}) {
        connect(edit, &QLineEdit::textEdited, this, GuardedSlot([this] { EntryChanged(); }));
        // Any new text takes the mark of a refused entry away.
        connect(edit, &QLineEdit::textChanged, this, GuardedSlot([this, edit] { Unmark(edit); }));
    }
    for (QComboBox* box : {unit_[0], unit_[1], unit_[2], gainUnit_})
        connect(box, &QComboBox::activated, this, GuardedSlot([this] { EntryChanged(); }));
    connect(force_, &QCheckBox::toggled, this, GuardedSlot([this] { EntryChanged(); }));
    setFocusProxy(apb_);
    next_->setEnabled(false);
}

void TfmParEnt::Reset(const SpecEntries& entries) {
    force_->setChecked(entries.ForceOrder);
    order_->clear();
    ForceToggled(entries.ForceOrder);
    apb_->setText(Q(entries.Apb));
    asb_->setText(Q(entries.Asb));
    frequency_[0]->setText(Q(entries.F1));
    frequency_[1]->setText(Q(entries.F2));
    frequency_[2]->setText(Q(entries.F0));
    Redisplay();
    for (int i = 0; i < 3; ++i) unit_[i]->setCurrentIndex(entries.UnitIndex[i]);
    gainUnit_->setCurrentIndex(entries.GainInDb ? 1 : 0);
    gain_->setText(Q(entries.Gain));
    exactFrequency_.fill(std::nullopt);
    for (QLineEdit* edit : {order_, apb_, asb_, frequency_[0], frequency_[1], frequency_[2], gain_}) Unmark(edit);
    shownTable_ = ResultTable{};
    ShowMagnitudeTab();
    next_->setEnabled(false);
    SetDefaultButton(calculate_);
    setWindowTitle("Enter frequency, attenuation and gain values.");
}

void TfmParEnt::Redisplay() {
    const auto labels = FrequencyLabels(state_.FilterKind, state_.HzUnits);
    const auto items = UnitBoxItems(state_.HzUnits);
    const bool center = HasCenterFrequency(state_.FilterKind);
    for (int i = 0; i < 3; ++i) {
        frequencyLabel_[i]->setText(Q(labels[i]));
        const int index = unit_[i]->currentIndex() < 0 ? 1 : unit_[i]->currentIndex();
        unit_[i]->clear();
        unit_[i]->addItems({Q(items[0]), Q(items[1])});
        unit_[i]->setCurrentIndex(index);
    }
    for (QWidget* w : {static_cast<QWidget*>(frequencyLabel_[2]), static_cast<QWidget*>(frequency_[2]),
                       static_cast<QWidget*>(unit_[2])})
        w->setVisible(center);
    template_->update();
}

void TfmParEnt::ConvertFrequencyUnits(bool fromHz) {
    for (int i = 0; i < 3; ++i) {
        std::optional<long double> value = ExactFrequency(i);
        if (!value) value = ReadEngineeringNumber(frequency_[i]->text().toStdString());
        if (!value || *value <= 0) continue;  // a refused entry stays as typed
        const long double converted = EntryInOtherUnit(*value, fromHz, unit_[i]->currentIndex() == 0 ? 0 : 1);
        const QString text = Q(ConvertedEntryText(converted));
        frequency_[i]->setText(text);
        exactFrequency_[i] = ExactEntry{text, converted};
    }
}

std::optional<long double> TfmParEnt::ExactFrequency(int box) const {
    const auto& exact = exactFrequency_[static_cast<size_t>(box)];
    if (!exact || exact->text != frequency_[static_cast<size_t>(box)]->text()) return std::nullopt;
    return exact->value;
}

void TfmParEnt::ShowMagnitudeTab() { tabs_->setCurrentIndex(kTemplateTab); }

bool TfmParEnt::ShowsResultTable() const { return isVisible() && tabs_->currentIndex() == kResultTab; }

QImage TfmParEnt::Picture() const {
    const QSizeF size = draw::ResultTableSize(table_);
    QImage image(QSize(static_cast<int>(size.width()) + 2, static_cast<int>(size.height()) + 2), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    draw::DrawResultTable(p, QRectF(image.rect()), shownTable_);
    return image;
}

std::string TfmParEnt::NumberText(QLineEdit* edit) const {
    for (int i = 0; i < 3; ++i)
        if (edit == frequency_[i])
            if (const auto exact = ExactFrequency(i)) return Exact(*exact);
    const std::string typed = edit->text().toStdString();
    if (IsPlainNumber(typed)) return typed;
    const std::optional<long double> value = ReadEngineeringNumber(typed);
    return value ? Exact(*value) : typed;
}

SpecEntries TfmParEnt::Entries() const {
    SpecEntries e;
    e.ForceOrder = force_->isChecked();
    e.ForcedOrder = order_->text().toStdString();
    e.Apb = NumberText(apb_);
    e.Asb = NumberText(asb_);
    e.F1 = NumberText(frequency_[0]);
    e.F2 = NumberText(frequency_[1]);
    e.F0 = NumberText(frequency_[2]);
    for (int i = 0; i < 3; ++i) e.UnitIndex[i] = unit_[i]->currentIndex() == 0 ? 0 : 1;
    e.GainInDb = gainUnit_->currentIndex() == 1;
    e.Gain = NumberText(gain_);
    return e;
}

void TfmParEnt::Calculate() { Guarded([this] { RunCalculate(); }); }

void TfmParEnt::RunCalculate() {
    if (auto question = CalculateQuestion(state_))
        if (Messages().Show(MessageIcon::Question, Q(*question), MessageButtons::OkCancel) != MessageAnswer::Ok) return;
    WaitCursor wait;
    // An arithmetic failure abandons the Calculate with the previous results in place.
    const auto before = std::make_unique<DesignState>(state_);
    CalcOutcome outcome;
    try {
        outcome = tavrel::Calculate(state_, Entries(), environment_);
    } catch (...) {
        state_ = *before;
        throw;
    }
    wait.Release();
    if (outcome.rejected) {
        Mark(outcome.rejected->field, Q(outcome.rejected->message));
        ShowWarning(Q(outcome.rejected->message));
        Focus(outcome.rejected->field);
        return;
    }
    for (const std::string& warning : outcome.warnings) ShowWarning(Q(warning));
    if (outcome.error) {
        ShowError(Q(*outcome.error));
        next_->setEnabled(false);
        return;
    }
    if (!state_.ResultsValid) return;
    shownTable_ = BuildResultTable(state_);
    tabs_->setCurrentIndex(kResultTab);
    table_->update();
    next_->setEnabled(outcome.nextEnabled);
    SetDefaultButton(outcome.nextEnabled ? next_ : calculate_);
    if (outcome.gainRejected) {
        Mark(SpecField::Gain, Q(outcome.gainRejected->message));
        ShowError(Q(outcome.gainRejected->message));
        Focus(SpecField::Gain);
    }
    emit calculated(!outcome.gainRejected && outcome.nextEnabled);
}

void TfmParEnt::ForceToggled(bool checked) {
    for (QWidget* w : {static_cast<QWidget*>(asb_), static_cast<QWidget*>(asbLabel_), static_cast<QWidget*>(asbUnit_),
                       static_cast<QWidget*>(frequency_[1]), static_cast<QWidget*>(frequencyLabel_[1]),
                       static_cast<QWidget*>(unit_[1])})
        w->setEnabled(!checked);
    order_->setEnabled(checked);
    if (!isVisible()) return;
    state_.ForceOrder = checked;
    if (checked) order_->setFocus();
}

void TfmParEnt::GainUnitChanged(int index) { gain_->setText(Q(GainTextForUnit(index == 1))); }

QLineEdit* TfmParEnt::Edit(SpecField field) const {
    switch (field) {
        case SpecField::ForcedOrder: return order_;
        case SpecField::Apb: return apb_;
        case SpecField::Asb: return asb_;
        case SpecField::F1: return frequency_[0];
        case SpecField::F2: return frequency_[1];
        case SpecField::F0: return frequency_[2];
        case SpecField::Gain: return gain_;
    }
    return apb_;
}

void TfmParEnt::Focus(SpecField field) {
    QLineEdit* edit = Edit(field);
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
}

void TfmParEnt::Mark(SpecField field, const QString& message) {
    QLineEdit* edit = Edit(field);
    edit->setProperty("refused", true);
    edit->setStyleSheet(kRefusedStyle);
    edit->setToolTip(message);
}

void TfmParEnt::Unmark(QLineEdit* edit) {
    if (!edit->property("refused").toBool()) return;
    edit->setProperty("refused", false);
    edit->setStyleSheet({});
    edit->setToolTip({});
}

bool TfmParEnt::IsMarked(SpecField field) const { return Edit(field)->property("refused").toBool(); }

void TfmParEnt::SetDefaultButton(QPushButton* button) {
    for (QPushButton* b : {calculate_, next_}) b->setDefault(b == button);
}

void TfmParEnt::EntryChanged() {
    next_->setEnabled(false);
    SetDefaultButton(calculate_);
}

void TfmParEnt::closeEvent(QCloseEvent* event) {
    event->ignore();
    emit closeClicked();
}

}  // namespace tavrel::ui
