#pragma once
#include <QMainWindow>
#include <array>
#include <filesystem>
#include <memory>
#include <optional>

#include "analysis/workflow.h"
#include "circuits/records/design.h"
#include "circuits/values/inventory.h"
#include "core/calculate.h"
#include "io/window_geometry.h"

class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QPushButton;
class QStackedWidget;

namespace tavrel::ui {

class StepIndicator;
class TfmBlocks;
class TfmCascade;
class TfmCriteria;
class TfmDbConv;
class TfmGraph;
class TfmHelp;
class TfmInvent;
class TfmPairs;
class TfmParEnt;
class TfmResist;
class TfmTransfer;

// The one window of the program: menus and toolbar on top, the row of wizard steps, and the
// page of the step the design is at in the middle. It owns the one design; the wizard steps
// are its pages, created once, and the tools and option windows are dialogs.
class TfmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TfmMain(CalcEnvironment environment, QWidget* parent = nullptr);
    ~TfmMain() override;

    Design& CurrentDesign() { return *design_; }
    DesignState& State() { return design_->State; }
    StageTables& Tables() { return design_->Stages; }
    TfmParEnt* ParEnt() const { return parEnt_; }
    TfmGraph* Graph() const { return graph_; }
    TfmPairs* Pairs() const { return pairs_; }
    TfmCascade* Cascade() const { return cascade_; }
    TfmCriteria* Criteria() const { return criteria_; }
    TfmTransfer* Transfer() const { return transfer_; }
    TfmBlocks* Blocks() const { return blocks_; }
    TfmDbConv* DbConv() const { return dbConv_; }
    TfmHelp* Help() const { return help_; }
    StepIndicator* Steps() const { return steps_; }
    TfmResist* Resist() const { return resist_; }
    TfmInvent* Invent() const { return invent_; }
    // Menu commands and toolbar buttons by their captions without "&" (e.g. "Save Design").
    QAction* Command(const QString& caption) const;
    QString StatusText() const;

    // The page shown; none while there is no design (the start page).
    std::optional<WizardPage> CurrentPage() const;
    // The widget of a page; nullptr for the steps whose pages are not part of the program yet.
    QWidget* PageWidget(WizardPage page) const;
    // The line above the page that says what the page is for.
    QString PageHeading() const;

    // The size the window opens with when no geometry is kept.
    static QSize PreferredSize();
    // Size, position and state of the window, for the settings file to keep.
    WindowGeometry Geometry() const;
    // Places the window; a geometry from another screen is brought onto this one.
    void SetGeometry(const WindowGeometry& geometry);
    // The component inventory of the run, read from its file (which the inventory window's OK
    // writes); without a file the inventory is the default one and lasts for the run.
    InventoryBlock& Inventory() { return inventory_; }
    void UseInventoryFile(const std::filesystem::path& file);
    // Puts the options the design holds (modes, units, inventory use, all caps standard) on
    // the menus, as choosing them there would.
    void ApplyOptions();

    // Whether the current design may be discarded, after the save question.
    bool ConfirmDiscard();
    void StartDesign(FilterKind kind);
    void NewDesign();
    void CloseDesign();

signals:
    // The program is closing: the design may be discarded (the settings are written now).
    void exitConfirmed();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildPages();
    void BuildMenus();
    void BuildToolBar();
    QAction* AddCommand(QMenu* menu, const QString& caption, const QString& tip = {});
    void ConnectWindows();
    // Shows the page (none: the start page) and marks the steps.
    void ShowPage(std::optional<WizardPage> page);
    // The page's button of that name, if it has one.
    QPushButton* PageButton(const char* name) const;
    void ClickPageButton(const char* name);
    // Enter: the focused push button of the page, otherwise the page's default button.
    void PressDefaultButton();
    void Calculated(bool gainAccepted);
    void SpecificationNext();
    void ApproximationBack();
    void ApproximationNext();
    void PairingFinished();
    void ShowApproximationPage();
    void CascadeBack();
    // Automatic pairing and cascading formed the stages; circuit selection follows.
    void StagesFormed();
    void SetTransferEnabled(bool enabled);
    void StagesChanged();
    // Options > pairing and cascading mode; from the menu the page of the mode left is
    // left for the approximation page, from " Hide this window next time" it stays until Next.
    void SetPairingMode(bool automatic, bool fromMenu);
    void SetCascadingMode(bool automatic, bool fromMenu);
    void SetHzUnits(bool hz);
    void CopyToClipboard();
    void UpdateCommands();
    void UpdateStatus();
    void UpdateSteps();
    bool SaveBeforeDiscard();

    std::unique_ptr<Design> design_;
    DesignState* state_;   // design_->State
    StageTables* tables_;  // design_->Stages
    CalcEnvironment environment_;
    bool saveable_ = false;  // a Calculate with an accepted gain produced results
    FilterKind lastKind_ = FilterKind::Lowpass;  // what New starts

    TfmParEnt* parEnt_;
    TfmGraph* graph_;
    TfmPairs* pairs_;
    TfmCascade* cascade_;
    TfmCriteria* criteria_;
    TfmTransfer* transfer_;
    TfmBlocks* blocks_;
    TfmDbConv* dbConv_;
    TfmHelp* help_;
    QStackedWidget* pages_;
    QWidget* startPage_;
    std::array<QWidget*, kWizardPageCount> pageWidgets_{};
    StepIndicator* steps_;
    QLabel* heading_;
    TfmResist* resist_;
    TfmInvent* invent_;
    InventoryBlock inventory_ = DefaultInventory();
    std::filesystem::path inventoryFile_;
    QLabel* status_;
    QActionGroup* kinds_;
    std::array<QAction*, 5> kindActions_{};
    QAction *newDesign_{}, *open_{}, *save_{}, *saveAs_{}, *closeDesign_{}, *copy_{}, *ascii_{}, *netlist_{}, *print_{};
    QAction *next_{}, *back_{};
    QAction *hz_{}, *rads_{}, *toggleUnits_{}, *showTransfer_{};
    QAction *allCapsStandard_{}, *capInventory_{}, *resInventory_{};
    QMenu *pairing_{}, *cascading_{};
    QAction *pairingAutomatic_{}, *pairingInteractive_{}, *cascadingAutomatic_{}, *cascadingInteractive_{};
};

}  // namespace tavrel::ui
