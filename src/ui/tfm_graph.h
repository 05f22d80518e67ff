#pragma once
#include <QWidget>
#include <array>
#include <optional>
#include <vector>

#include "circuits/records/design.h"
#include "draw/response_plots.h"

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabBar;

namespace tavrel::ui {

class GraphView;
class TfmAxes;
class TfmPointCalc;

// The approximation page: the five approximations with their orders, the ideal
// responses of the usable ones on six tabs, the specification mask, zooming, the point
// calculator and the axis configuration.
class TfmGraph : public QWidget {
    Q_OBJECT
public:
    explicit TfmGraph(Design& design, QWidget* parent = nullptr);

    // Fills the page for the results of the last Calculate.
    void Open();
    // Radio buttons and graph from the state (also after a change of units).
    void Redisplay();
    QImage Picture() const;

    draw::GraphPage Page() const;
    void SetPage(draw::GraphPage page);
    // The approximation whose radio button is checked, or -1.
    int CheckedApprox() const;
    // The approximations drawn: all usable ones, or the checked one with "View single".
    std::vector<int> ShownApprox() const;
    std::size_t ZoomDepth() const { return zoomStack_.size(); }
    GraphView* View() const { return view_; }

public slots:
    void Zoom(double xLo, double xHi, double yLo, double yHi);
    void Unzoom();

signals:
    void backClicked();
    void nextClicked();
    void closeClicked();
    void approximationChosen();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    struct ZoomState {
        long double freqLo, freqHi;
        std::array<std::optional<draw::ViewRange>, draw::kGraphPageCount> views;
    };
    void Choose(int approx);
    void UpdatePlot();
    void UpdateRadios();
    void SetFrequencyRange(long double lo, long double hi);
    void ApplyAxes();
    void RecomputeResponses();

    Design& design_;
    DesignState& state_;
    draw::GraphOptions options_;
    std::array<std::optional<draw::ViewRange>, draw::kGraphPageCount> views_;
    std::vector<ZoomState> zoomStack_;

    std::array<QRadioButton*, kApproxCount> radio_;
    std::array<QLabel*, kApproxCount> orderLabel_;
    QRadioButton *viewAll_, *viewSingle_;
    QCheckBox* mask_;
    QTabBar* tabs_;
    GraphView* view_;
    QPlainTextEdit* listing_;
    QPushButton *unzoom_, *next_;
    TfmAxes* axes_;
    TfmPointCalc* pointCalc_;
};

}  // namespace tavrel::ui
