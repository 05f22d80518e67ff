// The specification page driven as a user does: start a design, type, Calculate, read the
// result table; the unit toggle keeps the filter, engineering prefixes are read, a refused
// entry stays marked, a specification asking for no filter offers nothing.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QTabWidget>
#include <cmath>

#include "core/responses.h"

#include "ui/tfm_par_ent.h"
#include "ui_test_support.h"

using namespace tavrel;
using namespace tavrel::ui;
using namespace tavrel::ui::test;

namespace {

constexpr int kOrderRow = 2, kStagesRow = 3, kRippleRow = 4;
constexpr int kButterworthColumn = 2, kBesselColumn = 6;

QString Cell(TfmParEnt* window, int row, int column) {
    return QString::fromStdString(window->ShownTable()[row][column].text);
}

QStringList Orders(TfmParEnt* window) {
    QStringList orders;
    for (int column = kButterworthColumn; column <= kBesselColumn; ++column) orders << Cell(window, kOrderRow, column);
    return orders;
}

double Relative(long double a, long double b) {
    if (a == b) return 0;
    return static_cast<double>(std::fabs(a - b) / std::max(std::fabs(a), std::fabs(b)));
}

// The ideal responses of every usable approximation at the given angular frequencies and
// times, from the point calculator's formulas.
std::vector<long double> Responses(const DesignState& state, const std::vector<long double>& w,
                                   const std::vector<long double>& t) {
    std::vector<long double> values;
    for (int approx = 0; approx < kApproxCount; ++approx) {
        if (!IsUsable(state, approx)) continue;
        for (long double x : w) {
            const FrequencyPoint p = IdealResponseAt(state, approx, x);
            values.insert(values.end(), {p.gainVv, p.phaseRad, p.delaySec});
        }
        for (long double x : t) {
            const TimePoint p = IdealTimeResponseAt(state, approx, x);
            values.insert(values.end(), {p.step, p.impulse});
        }
    }
    return values;
}

}  // namespace

class SpecificationWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        session_.Start();
        session_.main()->Command("Lowpass")->trigger();
        spec_ = session_.main()->ParEnt();
    }
    void cleanup() { session_.Stop(); }

    void startShowsTheLowpassDefaults() {
        QVERIFY(spec_->isVisible());
        QCOMPARE(Find<QLineEdit>(spec_, "apb")->text(), QString("0.5"));
        QCOMPARE(Find<QLineEdit>(spec_, "asb")->text(), QString("30"));
        QCOMPARE(Find<QLineEdit>(spec_, "f1")->text(), QString("1"));
        QCOMPARE(Find<QLineEdit>(spec_, "f2")->text(), QString("2"));
        QVERIFY(!Find<QLineEdit>(spec_, "f0")->isVisible());
        QCOMPARE(Find<QComboBox>(spec_, "unit1")->currentText(), QString("kHz"));
        QVERIFY(!Find<QCheckBox>(spec_, "force")->isChecked());
        QVERIFY(!Find<QPushButton>(spec_, "next")->isEnabled());
        QCOMPARE(Find<QTabWidget>(spec_, "tabs")->currentIndex(), 0);
        QCOMPARE(spec_->windowTitle(), QString("Enter frequency, attenuation and gain values."));
    }

    void calculateFillsTheResultTable() {
        Click(spec_, "calculate");
        QVERIFY(session_.messages()->Boxes().empty());
        QCOMPARE(Find<QTabWidget>(spec_, "tabs")->currentIndex(), 1);
        // The worked example of the defaults: A/P = 8187 gives 7, 4, 4, 3.
        QCOMPARE(Orders(spec_).mid(0, 4), QStringList({"7", "4", "4", "3"}));
        QCOMPARE(Cell(spec_, kStagesRow, kButterworthColumn), QString("4"));
        QCOMPARE(Cell(spec_, kRippleRow, kButterworthColumn + 1), QString("0.5 dB"));
        QCOMPARE(Cell(spec_, 0, kButterworthColumn), QString("Butter-"));
        QVERIFY(Find<QPushButton>(spec_, "next")->isEnabled());
        QVERIFY(session_.main()->Command("Close Design")->isEnabled());
        QVERIFY(session_.main()->Command("Copy to Clipboard")->isEnabled());
    }

    void typedEntriesAreUsed() {
        // 1 dB / 40 dB, 1 kHz / 3 kHz: Butterworth n = 4.81, Chebyshev 3.39, elliptic 2.72.
        Retype(Find<QLineEdit>(spec_, "apb"), "1");
        Retype(Find<QLineEdit>(spec_, "asb"), "40");
        Retype(Find<QLineEdit>(spec_, "f2"), "3");
        Click(spec_, "calculate");
        QCOMPARE(Orders(spec_).mid(0, 4), QStringList({"5", "4", "4", "3"}));
        QCOMPARE(Cell(spec_, kRippleRow, kButterworthColumn + 1), QString("1.0 dB"));
    }

    void anEditDisablesNext() {
        Click(spec_, "calculate");
        QVERIFY(Find<QPushButton>(spec_, "next")->isEnabled());
        QTest::keyClicks(Find<QLineEdit>(spec_, "f1"), "5");
        QVERIFY(!Find<QPushButton>(spec_, "next")->isEnabled());
    }

    void rejectedEntryFocusesItsFieldAndComputesNothing() {
        Click(spec_, "calculate");
        const QStringList before = Orders(spec_);
        Retype(Find<QLineEdit>(spec_, "asb"), "60");
        Retype(Find<QLineEdit>(spec_, "f2"), "x");
        Click(spec_, "calculate");
        QCOMPARE(session_.messages()->Boxes().size(), std::size_t{1});
        QCOMPARE(session_.messages()->Last(), QString("Invalid Number."));
        QCOMPARE(session_.messages()->Boxes().back().icon, MessageIcon::Warning);
        QCOMPARE(spec_->focusWidget(), Find<QLineEdit>(spec_, "f2"));
        QCOMPARE(Orders(spec_), before);
        QCOMPARE(session_.main()->State().Approx[Butterworth].Order, 7);
        QVERIFY(!Find<QPushButton>(spec_, "next")->isEnabled());
    }

    void forcedOrderOfABandpassMustBeEven() {
        session_.main()->Command("Bandpass")->trigger();
        QVERIFY(Find<QLineEdit>(spec_, "f0")->isVisible());
        QCOMPARE(Find<QLineEdit>(spec_, "f0")->text(), QString("2"));
        QTest::mouseClick(Find<QCheckBox>(spec_, "force"), Qt::LeftButton, {}, QPoint(4, 4));
        QVERIFY(Find<QCheckBox>(spec_, "force")->isChecked());
        QVERIFY(!Find<QLineEdit>(spec_, "asb")->isEnabled());
        QVERIFY(!Find<QLineEdit>(spec_, "f2")->isEnabled());
        QVERIFY(Find<QLineEdit>(spec_, "force_order")->isEnabled());
        Retype(Find<QLineEdit>(spec_, "force_order"), "7");
        Click(spec_, "calculate");
        QCOMPARE(session_.messages()->Last(), QString("Order must be an even number."));
        QCOMPARE(spec_->focusWidget(), Find<QLineEdit>(spec_, "force_order"));
        Retype(Find<QLineEdit>(spec_, "force_order"), "8");
        Click(spec_, "calculate");
        QCOMPARE(Orders(spec_), QStringList({"8", "8", "8", "8", "8"}));
    }

    void arithmeticFailureKeepsThePreviousResults_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::newRow("attenuation beyond the number range") << "apb" << "1e300";
        // Read fine, but 1e38 kHz overflows in rad/s after the old results were cleared.
        QTest::newRow("frequency overflowing in rad/s") << "f1" << "1e38";
    }
    void arithmeticFailureKeepsThePreviousResults() {
        QFETCH(QString, field);
        QFETCH(QString, text);
        Click(spec_, "calculate");
        const QStringList before = Orders(spec_);
        Retype(Find<QLineEdit>(spec_, qPrintable(field)), text);
        Click(spec_, "calculate");
        QCOMPARE(session_.messages()->Boxes().size(), std::size_t{1});
        QCOMPARE(session_.messages()->Boxes().back().icon, MessageIcon::Error);
        QVERIFY2(session_.messages()->Last().endsWith(". Try using smaller numbers."), qPrintable(session_.messages()->Last()));
        QCOMPARE(Orders(spec_), before);
        const DesignState& state = session_.main()->State();
        QCOMPARE(state.Approx[Butterworth].Order, 7);
        QCOMPARE(static_cast<double>(state.F1Entry), 1.0);
        QCOMPARE(static_cast<double>(state.ApbEntry), 0.5);
        QVERIFY(state.IdealResponse[Butterworth][0].GainDb > -1);
    }

    void tooSmallGainKeepsTheTableButNotSaving() {
        auto* unit = Find<QComboBox>(spec_, "gainUnit");
        unit->setCurrentIndex(0);
        emit unit->activated(0);
        QCOMPARE(Find<QLineEdit>(spec_, "gain")->text(), QString("1"));
        Retype(Find<QLineEdit>(spec_, "gain"), "0.05");
        Click(spec_, "calculate");
        QCOMPARE(session_.messages()->Last(), QString("Minimum allowable overall gain is 0.1V/V."));
        QCOMPARE(session_.messages()->Boxes().back().icon, MessageIcon::Error);
        QCOMPARE(Orders(spec_).mid(0, 4), QStringList({"7", "4", "4", "3"}));
        QVERIFY(Find<QPushButton>(spec_, "next")->isEnabled());
        QVERIFY(!session_.main()->Command("Copy to Clipboard")->isEnabled());
    }

    void gainInDbOfMinus40IsAccepted() {
        Retype(Find<QLineEdit>(spec_, "gain"), "-40");
        Click(spec_, "calculate");
        QVERIFY(session_.messages()->Boxes().empty());
        QCOMPARE(static_cast<double>(session_.main()->State().OverallGain), 0.01);
    }

    void unitsFollowTheFrequencyOption() {
        session_.main()->Command("rad/s")->trigger();
        QCOMPARE(Find<QComboBox>(spec_, "unit1")->itemText(0), QString("rad/s"));
        QCOMPARE(Find<QComboBox>(spec_, "unit1")->currentText(), QString("krad/s"));
        QVERIFY(session_.main()->StatusText().contains("rad/s"));
        session_.main()->Command("Toggle Hz..Rad/s")->trigger();
        QCOMPARE(Find<QComboBox>(spec_, "unit2")->currentText(), QString("kHz"));
    }

    // 1 kHz / 2 kHz become 6.2832 / 12.566 krad/s, the unit box reads "krad/s" whole, and the
    // next Calculate designs the same filter: the same responses at the same frequencies and
    // times, to 1e-12.
    void theUnitToggleKeepsTheFilter() {
        TfmMain* main = session_.main();
        const DesignState& state = main->State();
        Click(spec_, "calculate");
        std::vector<long double> w, t;
        for (int j = 0; j < kGridPoints; j += 5) w.push_back(state.FreqGrid[j].W), t.push_back(state.TimeGrid[j]);
        const std::vector<long double> inHz = Responses(state, w, t);
        const long double span = state.TimeSpan;

        main->Command("Toggle Hz..Rad/s")->trigger();
        QCOMPARE(Find<QLineEdit>(spec_, "f1")->text(), QString("6.2832"));
        QCOMPARE(Find<QLineEdit>(spec_, "f2")->text(), QString("12.566"));
        auto* unit = Find<QComboBox>(spec_, "unit1");
        QCOMPARE(unit->currentText(), QString("krad/s"));
        QVERIFY(unit->sizeHint().width() > QFontMetrics(unit->font()).horizontalAdvance("krad/s"));
        QTRY_VERIFY(unit->width() >= unit->sizeHint().width());
        Click(spec_, "calculate");
        QVERIFY(session_.messages()->Boxes().empty());
        const std::vector<long double> inRadians = Responses(state, w, t);
        QCOMPARE(inRadians.size(), inHz.size());
        double worst = 0;
        for (size_t i = 0; i < inHz.size(); ++i) worst = std::max(worst, Relative(inHz[i], inRadians[i]));
        QVERIFY2(worst <= 1e-12, qPrintable(QString::number(worst)));
        QCOMPARE(static_cast<double>(state.TimeSpan), static_cast<double>(span));

        // And back: the texts of the Hz entries return.
        main->Command("Hz")->trigger();
        QCOMPARE(Find<QLineEdit>(spec_, "f1")->text(), QString("1"));
        QCOMPARE(Find<QLineEdit>(spec_, "f2")->text(), QString("2"));
    }

    void engineeringPrefixesAreAccepted() {
        // 1000 Hz typed as "1k" with the unit box at Hz is the default 1 kHz edge.
        Find<QComboBox>(spec_, "unit1")->setCurrentIndex(0);
        Retype(Find<QLineEdit>(spec_, "f1"), "1k");
        Retype(Find<QLineEdit>(spec_, "apb"), "500m");
        Click(spec_, "calculate");
        QVERIFY(session_.messages()->Boxes().empty());
        const DesignState& state = session_.main()->State();
        QVERIFY(std::fabs(state.Wpb / (2000 * M_PI) - 1) < 1e-11);  // as stored, to Real48's 2^-39
        QCOMPARE(static_cast<double>(state.Apb), 0.5);
        QCOMPARE(state.Approx[Butterworth].Order, 7);
    }

    // "Invalid Number." names its box: framed until the box is edited, wherever the focus went.
    void theRefusedFieldStaysMarkedUntilEdited() {
        auto* f2 = Find<QLineEdit>(spec_, "f2");
        Retype(f2, "2 k");
        Click(spec_, "calculate");
        QCOMPARE(session_.messages()->Last(), QString("Invalid Number."));
        QVERIFY(spec_->IsMarked(SpecField::F2));
        QVERIFY(!f2->styleSheet().isEmpty());
        Find<QLineEdit>(spec_, "apb")->setFocus();
        QTest::keyClick(Find<QLineEdit>(spec_, "apb"), Qt::Key_End);
        QVERIFY(spec_->IsMarked(SpecField::F2));
        QVERIFY(!spec_->IsMarked(SpecField::Apb));
        Retype(f2, "2k");
        QVERIFY(!spec_->IsMarked(SpecField::F2));
        QVERIFY(f2->styleSheet().isEmpty());
        Click(spec_, "calculate");
        QCOMPARE(session_.messages()->Boxes().size(), std::size_t{1});  // 2000 kHz is accepted
    }

    // Apb above Asb: the warning, the table with orders 0, and nothing to go on with.
    void aSpecificationAskingForNoFilterOffersNothing() {
        Retype(Find<QLineEdit>(spec_, "apb"), "40");
        Click(spec_, "calculate");
        QCOMPARE(session_.messages()->Last(), QString("Stopband attenuation must exceed passband attenuation."));
        QCOMPARE(QString::fromStdString(spec_->ShownTable()[2][2].text), QString("0"));
        QVERIFY(!Find<QPushButton>(spec_, "next")->isEnabled());
        QVERIFY(!session_.main()->Command("Next")->isEnabled());
        QTest::keyClick(Find<QLineEdit>(spec_, "apb"), Qt::Key_Return);  // Enter calculates again, no Next
        QCOMPARE(session_.main()->CurrentPage(), std::optional<WizardPage>(WizardPage::Specification));
    }

private:
    ProgramSession session_;
    TfmParEnt* spec_ = nullptr;
};

QTEST_MAIN(SpecificationWindowTest)
#include "specification_window_test.moc"
