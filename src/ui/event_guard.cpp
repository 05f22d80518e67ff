#include "ui/event_guard.h"

#include <QApplication>
#include <QCursor>

#include "ui/messages.h"

namespace tavrel::ui {

void ReportEventFailure(std::exception_ptr failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const ArithmeticFailure& e) {
        ShowError(QString::fromStdString(ArithmeticFailureMessage(e)));
    } catch (const std::exception& e) {
        ShowError(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        ShowError("Unknown error");
    }
}

WaitCursor::WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }

WaitCursor::~WaitCursor() { Release(); }

void WaitCursor::Release() {
    if (!active_) return;
    active_ = false;
    QApplication::restoreOverrideCursor();
}

}  // namespace tavrel::ui
