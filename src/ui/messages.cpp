#include "ui/messages.h"

#include <QApplication>
#include <QMessageBox>

namespace tavrel::ui {

namespace {

MessageService* installed = nullptr;

}  // namespace

MessageAnswer DialogMessages::Show(MessageIcon icon, const QString& text, MessageButtons buttons) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle("Tavrel");
    box.setText(text);
    switch (icon) {
        case MessageIcon::Warning: box.setIcon(QMessageBox::Warning); break;
        case MessageIcon::Error: box.setIcon(QMessageBox::Critical); break;
        case MessageIcon::Information: box.setIcon(QMessageBox::Information); break;
        case MessageIcon::Question: box.setIcon(QMessageBox::Question); break;
    }
    switch (buttons) {
        case MessageButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
        case MessageButtons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
        case MessageButtons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
    }
    if (icon == MessageIcon::Warning) QApplication::beep();
    switch (box.exec()) {
        case QMessageBox::Yes: return MessageAnswer::Yes;
        case QMessageBox::No: return MessageAnswer::No;
        case QMessageBox::Ok: return MessageAnswer::Ok;
        default: return MessageAnswer::Cancel;
    }
}

MessageService& Messages() {
    static DialogMessages dialogs;
    return installed ? *installed : dialogs;
}

MessageService* SetMessageService(MessageService* service) {
    MessageService* previous = installed;
    installed = service;
    return previous;
}

void ShowWarning(const QString& text) { Messages().Show(MessageIcon::Warning, text, MessageButtons::Ok); }
void ShowError(const QString& text) { Messages().Show(MessageIcon::Error, text, MessageButtons::Ok); }
void ShowInformation(const QString& text) { Messages().Show(MessageIcon::Information, text, MessageButtons::Ok); }

}  // namespace tavrel::ui
