#pragma once
#include <QDialog>

#include "core/design_state.h"
#include "draw/response_plots.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace tavrel::ui {

// The "Configure Axes" window of the approximation window.
class TfmAxes : public QDialog {
    Q_OBJECT
public:
    explicit TfmAxes(QWidget* parent = nullptr);

    struct Choice {
        bool logFrequency, dbDisplay;
        long double freqLo, freqHi;  // display unit
        draw::GraphOptions options;
    };
    // Fills the window from the state and shows it; accepted() follows OK.
    void Edit(const DesignState& state, const draw::GraphOptions& options);
    Choice Chosen() const { return chosen_; }

public slots:
    void accept() override;

private:
    void Check();
    QRadioButton *logFrequency_, *linearFrequency_, *db_, *vv_, *degrees_, *radians_;
    QCheckBox *grid_, *show3dB_;
    QLineEdit *from_, *to_;
    Choice chosen_{};
};

}  // namespace tavrel::ui
