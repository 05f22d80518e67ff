#include "ui/tfm_db_conv.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/event_guard.h"
#include "ui/messages.h"
#include "ui/window_parts.h"

namespace tavrel::ui {

TfmDbConv::TfmDbConv(QWidget* parent) : QWidget(parent, Qt::Window) {
    CloseOnEscape(this);
    setObjectName("TfmDbConv");
    setWindowTitle("dB <--> V/V");
    box_ = new QLineEdit(QString::fromStdString(converter_.text), this);
    box_->setObjectName("number");
    box_->setMinimumWidth(200);
    box_->installEventFilter(this);
    auto* db = new QPushButton("dB", this);
    db->setObjectName("db");
    auto* vv = new QPushButton("V/V", this);
    vv->setObjectName("vv");
    auto* close = new QPushButton("&Close", this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(db);
    buttons->addWidget(vv);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(box_);
    layout->addLayout(buttons);
    connect(vv, &QPushButton::clicked, this, &TfmDbConv::ToVoltsPerVolt);
    connect(db, &QPushButton::clicked, this, &TfmDbConv::ToDb);
    connect(close, &QPushButton::clicked, this, &TfmDbConv::hide);
}

void TfmDbConv::Open() {
    show();
    raise();
    box_->setFocus();
}

void TfmDbConv::Show(const std::optional<std::string>& message) {
    if (message) ShowInformation(QString::fromStdString(*message));
    box_->setText(QString::fromStdString(converter_.text));
    box_->selectAll();
    box_->setFocus();
}

void TfmDbConv::ToVoltsPerVolt() {
    Guarded([this] {
        converter_.text = box_->text().toStdString();
        const auto message = ConvertDbToVv(converter_);
        if (message) {  // the value is refused and stays as typed
            ShowInformation(QString::fromStdString(*message));
            return;
        }
        Show(std::nullopt);
    });
}

void TfmDbConv::ToDb() {
    Guarded([this] {
        converter_.text = box_->text().toStdString();
        Show(ConvertVvToDb(converter_));
    });
}

bool TfmDbConv::eventFilter(QObject* watched, QEvent* event) {
    if (watched != box_ || event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) return true;
    if (key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier)) return true;
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;  // copy, paste, undo
    const QString text = key->text();
    if (text.isEmpty() || key->key() == Qt::Key_Delete || key->key() == Qt::Key_Backspace) return false;
    const QChar c = text.front();
    return c.unicode() > 127 || !DbConverterAcceptsChar(static_cast<char>(c.unicode()));
}

}  // namespace tavrel::ui
