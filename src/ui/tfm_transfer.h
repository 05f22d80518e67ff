#pragma once
#include <QWidget>

#include "core/design_state.h"
#include "draw/transfer_function_drawing.h"
#include "stages/stage_tables.h"

class QPushButton;

namespace tavrel::ui {

class PaintedView;

// "Stage Transfer Functions": the biquadratic coefficients of every stage in rad/s or Hz.
class TfmTransfer : public QWidget {
    Q_OBJECT
public:
    TfmTransfer(const DesignState& state, const StageTables& tables, QWidget* parent = nullptr);

    // Shows the window in Hz.
    void Open();
    // The page from the stages, in the unit chosen.
    void Redisplay();
    // The unit last chosen; the ASCII export of transfer functions uses it.
    bool InHz() const { return hz_; }
    void SetHz(bool hz);
    const draw::TransferFunctionPage& Page() const { return page_; }
    QImage Picture() const;

private:
    const DesignState& state_;
    const StageTables& tables_;
    bool hz_ = true;
    draw::TransferFunctionPage page_;
    PaintedView* view_;
    QPushButton *radians_, *hertz_;
};

}  // namespace tavrel::ui
