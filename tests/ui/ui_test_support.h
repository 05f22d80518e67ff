#pragma once
#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <QTest>
#include <deque>
#include <memory>
#include <vector>

#include "ui/messages.h"
#include "ui/tfm_main.h"

namespace tavrel::ui::test {

// Answers the program's message boxes from a script and records every box shown.
class ScriptedMessages : public MessageService {
public:
    struct Shown {
        MessageIcon icon;
        QString text;
        MessageButtons buttons;
    };
    ScriptedMessages();
    ~ScriptedMessages() override;
    // The answer to the next question; boxes with only OK are answered OK unasked,
    // questions without a scripted answer get Cancel.
    void Answer(MessageAnswer answer) { answers_.push_back(answer); }
    MessageAnswer Show(MessageIcon icon, const QString& text, MessageButtons buttons) override;
    const std::vector<Shown>& Boxes() const { return shown_; }
    QString Last() const { return shown_.empty() ? QString() : shown_.back().text; }
    void Clear() { shown_.clear(); }

private:
    std::deque<MessageAnswer> answers_;
    std::vector<Shown> shown_;
    MessageService* previous_;
};

// A running program with scripted message boxes, made anew for every test function:
// Start in init(), Stop in cleanup().
class ProgramSession {
public:
    void Start();
    void Stop();
    ScriptedMessages* messages() const { return messages_.get(); }
    // The main window as the program makes it, with the Bessel table beside the executables.
    TfmMain* main() const { return main_.get(); }
    // Makes the main window the active one, where the keyboard and its shortcuts act.
    void Activate();
    // Starts a design of the kind (a Start Design command), calculates its defaults and goes
    // on to the approximation page.
    void CalculateDefaults(const char* kind = "Lowpass");

private:
    std::unique_ptr<ScriptedMessages> messages_;
    std::unique_ptr<TfmMain> main_;
};

// Typing into a box as a user does: select everything, type the new text.
void Retype(QLineEdit* edit, const QString& text);
void Click(QWidget* window, const char* button);

template <typename T>
T* Find(QWidget* window, const char* name) {
    T* widget = window->findChild<T*>(name);
    if (!widget) qFatal("no widget named %s", name);
    return widget;
}

}  // namespace tavrel::ui::test
