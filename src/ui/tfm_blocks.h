#pragma once
#include <QWidget>
#include <array>

class QRadioButton;

namespace tavrel::ui {

class PaintedView;

// "The building blocks": the magnitude of each of the eight stage types.
class TfmBlocks : public QWidget {
    Q_OBJECT
public:
    explicit TfmBlocks(QWidget* parent = nullptr);
    void Open(bool hz);
    void SetHz(bool hz);
    // The stage type code of the choice.
    int StageType() const;

private:
    void Update();

    bool hz_ = true;
    QRadioButton *first_, *second_;
    // Lowpass, highpass, bandpass; bandstop: lowpass notch, highpass notch, notch.
    std::array<QRadioButton*, 6> type_{};
    PaintedView* view_;
};

}  // namespace tavrel::ui
