#pragma once
#include <QMainWindow>
#include <array>
#include <memory>

#include "core/calculate.h"
#include "core/design_state.h"

class QAction;
class QActionGroup;
class QLabel;
class QMenu;

namespace tavrel::ui {

class TfmDbConv;
class TfmGraph;
class TfmHelp;
class TfmParEnt;

// The main window: menus, toolbar and status line; it owns the one design state and
// the wizard windows, which it creates once and shows and hides.
class TfmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TfmMain(CalcEnvironment environment, QWidget* parent = nullptr);
    ~TfmMain() override;

    DesignState& State() { return *state_; }
    TfmParEnt* ParEnt() const { return parEnt_; }
    TfmGraph* Graph() const { return graph_; }
    TfmDbConv* DbConv() const { return dbConv_; }
    TfmHelp* Help() const { return help_; }
    // Menu commands and toolbar buttons by their captions without "&" (e.g. "Save Design").
    QAction* Command(const QString& caption) const;
    QString StatusText() const;

    // Whether the current design may be discarded, after the save question.
    bool ConfirmDiscard();
    void StartDesign(FilterKind kind);
    void NewDesign();
    void CloseDesign();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenus();
    void BuildToolBar();
    QAction* AddCommand(QMenu* menu, const QString& caption, const QString& tip = {});
    void ConnectWindows();
    void Calculated(bool gainAccepted);
    void SpecificationNext();
    void ApproximationBack();
    void SetHzUnits(bool hz);
    void CopyToClipboard();
    void UpdateCommands();
    void UpdateStatus();
    bool SaveBeforeDiscard();

    std::unique_ptr<DesignState> state_;
    CalcEnvironment environment_;
    bool saveable_ = false;  // a Calculate with an accepted gain produced results

    TfmParEnt* parEnt_;
    TfmGraph* graph_;
    TfmDbConv* dbConv_;
    TfmHelp* help_;
    QLabel* status_;
    QActionGroup* kinds_;
    std::array<QAction*, 5> kindActions_{};
    QAction *open_{}, *save_{}, *saveAs_{}, *closeDesign_{}, *copy_{}, *ascii_{}, *netlist_{}, *print_{};
    QAction *hz_{}, *rads_{}, *toggleUnits_{}, *transfer_{};
    QMenu *pairing_{}, *cascading_{};
};

}  // namespace tavrel::ui
