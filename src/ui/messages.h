#pragma once
#include <QString>

class QWidget;

namespace tavrel::ui {

enum class MessageIcon { Warning, Error, Information, Question };
enum class MessageButtons { Ok, OkCancel, YesNoCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };

// Every message box of the program goes through this interface, so that tests can
// answer the boxes without a modal loop.
class MessageService {
public:
    virtual ~MessageService() = default;
    virtual MessageAnswer Show(MessageIcon icon, const QString& text, MessageButtons buttons) = 0;
};

// The modal boxes of the desktop; warnings are preceded by a beep.
class DialogMessages : public MessageService {
public:
    MessageAnswer Show(MessageIcon icon, const QString& text, MessageButtons buttons) override;
};

// The service the windows use; DialogMessages until another is installed.
MessageService& Messages();
// Installs a service (nullptr: back to the dialogs); returns the previous one.
MessageService* SetMessageService(MessageService* service);

// Shorthands for the usual boxes.
void ShowWarning(const QString& text);
void ShowError(const QString& text);
void ShowInformation(const QString& text);

}  // namespace tavrel::ui
