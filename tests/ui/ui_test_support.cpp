#include "ui_test_support.h"

#include <QApplication>

#include "ui/tfm_par_ent.h"

namespace tavrel::ui::test {

ScriptedMessages::ScriptedMessages() : previous_(SetMessageService(this)) {}

ScriptedMessages::~ScriptedMessages() { SetMessageService(previous_); }

MessageAnswer ScriptedMessages::Show(MessageIcon icon, const QString& text, MessageButtons buttons) {
    shown_.push_back({icon, text, buttons});
    if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
    if (answers_.empty()) return MessageAnswer::Cancel;
    const MessageAnswer answer = answers_.front();
    answers_.pop_front();
    return answer;
}

void ProgramSession::Start() {
    messages_ = std::make_unique<ScriptedMessages>();
    main_ = std::make_unique<TfmMain>(CalcEnvironment{std::string(TAVREL_BIN_DIR) + "/BessRoot.dat"});
    main_->show();
}

void ProgramSession::Activate() {
    QApplication::setActiveWindow(main_.get());
    QVERIFY(QTest::qWaitForWindowActive(main_.get()));
}

void ProgramSession::CalculateDefaults(const char* kind) {
    main_->Command(kind)->trigger();
    Click(main_->ParEnt(), "calculate");
    Click(main_->ParEnt(), "next");
}

void ProgramSession::Stop() {
    main_.reset();
    messages_.reset();
}

void Retype(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

void Click(QWidget* window, const char* button) {
    QTest::mouseClick(Find<QPushButton>(window, button), Qt::LeftButton);
}

}  // namespace tavrel::ui::test
