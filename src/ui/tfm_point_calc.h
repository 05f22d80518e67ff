#pragma once
#include <QDialog>

#include "core/design_state.h"
#include "draw/engineering_units.h"

class QLabel;
class QLineEdit;

namespace tavrel::ui {

// The point calculator: the ideal responses of one approximation at one frequency
// and one time.
class TfmPointCalc : public QDialog {
    Q_OBJECT
public:
    TfmPointCalc(const DesignState& state, QWidget* parent = nullptr);
    void Open(int approx);
    void SetApprox(int approx);

public slots:
    void Calculate();

private:
    void RunCalculate();
    draw::ScaledUnit TimeUnit() const;

    const DesignState& state_;
    int approx_ = -1;
    QLabel *title_, *frequencyLabel_, *timeLabel_;
    QLineEdit *frequency_, *time_;
    QLabel *gainVv_, *gainDb_, *phaseRad_, *phaseDeg_, *delay_, *step_, *impulse_;
};

}  // namespace tavrel::ui
