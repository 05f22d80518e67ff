#pragma once
#include <QApplication>

namespace tavrel::ui {

// The application of the desktop program: every event it delivers runs under the one
// handler of failures, so that a failure in an event that no slot guards is reported and
// the event abandoned instead of ending the program.
class GuardedApplication : public QApplication {
public:
    GuardedApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace tavrel::ui
