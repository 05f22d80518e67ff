// Every event runs under the one handler of failures: an arithmetic failure in the point
// calculator, and an exception from an event that no slot guards, show their message box and
// leave the program running. The test runs in the program's own application.
#include <QApplication>
#include <QLabel>

#include "core/arithmetic_failure.h"
#include "ui/guarded_application.h"
#include "ui/tfm_graph.h"
#include "ui/tfm_par_ent.h"
#include "ui/tfm_point_calc.h"
#include "ui_test_support.h"

using namespace tavrel;
using namespace tavrel::ui;
using namespace tavrel::ui::test;

namespace {

// A widget whose mouse press fails the way a deep computation does.
class FailingWidget : public QWidget {
protected:
    void mousePressEvent(QMouseEvent*) override { throw ArithmeticFailure(kOverflowText); }
};

}  // namespace

class EventGuardTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        session_.Start();
        session_.CalculateDefaults();
        Click(session_.main()->Graph(), "pointCalculator");
        calculator_ = session_.main()->Graph()->findChild<TfmPointCalc*>();
        QVERIFY(calculator_->isVisible());
    }
    void cleanup() { session_.Stop(); }

    // A time of -1e30 s lets every mode grow beyond the extended range (an overflow, or an
    // invalid operation where modes of both signs meet).
    void anArithmeticFailureInThePointCalculatorIsReported() {
        Retype(Find<QLineEdit>(calculator_, "time"), "-1e30");
        Click(calculator_, "calculate");
        QCOMPARE(session_.messages()->Boxes().size(), std::size_t{1});
        QCOMPARE(session_.messages()->Boxes().back().icon, MessageIcon::Error);
        QVERIFY2(session_.messages()->Last().endsWith(" floating point operation. Try using smaller numbers.") ||
                     session_.messages()->Last() == "Floating point overflow. Try using smaller numbers.",
                 qPrintable(session_.messages()->Last()));
        // Still running: the next point is calculated.
        QVERIFY(session_.main()->isVisible() && calculator_->isVisible());
        Retype(Find<QLineEdit>(calculator_, "time"), "1");
        Retype(Find<QLineEdit>(calculator_, "frequency"), "1k");
        Click(calculator_, "calculate");
        QCOMPARE(session_.messages()->Boxes().size(), std::size_t{1});
        QCOMPARE(Find<QLabel>(calculator_, "gainDb")->text(), QString("-5.00000E-1  dB"));
    }

    void aTypedTextThatIsNoNumberIsRefused() {
        Retype(Find<QLineEdit>(calculator_, "frequency"), "1 k");
        Click(calculator_, "calculate");
        QCOMPARE(session_.messages()->Last(), QString("Invalid Number."));
        QCOMPARE(session_.messages()->Boxes().back().icon, MessageIcon::Warning);
    }

    // The application catches what an unguarded event handler lets escape.
    void anUnguardedEventFailureIsCaughtByTheApplication() {
        QVERIFY(dynamic_cast<GuardedApplication*>(QCoreApplication::instance()));
        FailingWidget widget;
        widget.resize(50, 50);
        widget.show();
        QTest::mouseClick(&widget, Qt::LeftButton);
        QCOMPARE(session_.messages()->Last(), QString("Floating point overflow. Try using smaller numbers."));
        QVERIFY(widget.isVisible() && session_.main()->isVisible());
    }

private:
    ProgramSession session_;
    TfmPointCalc* calculator_ = nullptr;
};

int main(int argc, char** argv) {
    GuardedApplication app(argc, argv);
    EventGuardTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "event_guard_test.moc"
