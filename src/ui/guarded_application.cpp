#include "ui/guarded_application.h"

#include "ui/event_guard.h"

namespace tavrel::ui {

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    bool handled = false;
    Guarded([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

}  // namespace tavrel::ui
