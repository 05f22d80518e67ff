#pragma once
#include <QMainWindow>
#include <array>
#include <filesystem>
#include <memory>

#include "circuits/records/design.h"
#include "circuits/values/inventory.h"
#include "core/calculate.h"

class QAction;
class QActionGroup;
class QLabel;
class QMenu;

namespace tavrel::ui {

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

// The main window: menus, toolbar and status line; it owns the one design and the wizard
// windows, which it creates once and shows and hides.
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
    TfmResist* Resist() const { return resist_; }
    TfmInvent* Invent() const { return invent_; }
    // Menu commands and toolbar buttons by their captions without "&" (e.g. "Save Design").
    QAction* Command(const QString& caption) const;
    QString StatusText() const;

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

private:
    void BuildMenus();
    void BuildToolBar();
    QAction* AddCommand(QMenu* menu, const QString& caption, const QString& tip = {});
    void ConnectWindows();
    void Calculated(bool gainAccepted);
    void SpecificationNext();
    void ApproximationBack();
    void ApproximationNext();
    void PairingFinished();
    void ShowApproximationWindow();
    void CascadeBack();
    // The last wizard step of this version: the stages are formed and cascaded.
    void StagesFormed();
    void SetTransferEnabled(bool enabled);
    void StagesChanged();
    // Options > pairing and cascading mode; from the menu the window of the mode left is
    // closed, from " Hide this window next time" it stays until Next.
    void SetPairingMode(bool automatic, bool fromMenu);
    void SetCascadingMode(bool automatic, bool fromMenu);
    void SetHzUnits(bool hz);
    void CopyToClipboard();
    void UpdateCommands();
    void UpdateStatus();
    bool SaveBeforeDiscard();

    std::unique_ptr<Design> design_;
    DesignState* state_;   // design_->State
    StageTables* tables_;  // design_->Stages
    CalcEnvironment environment_;
    bool saveable_ = false;  // a Calculate with an accepted gain produced results

    TfmParEnt* parEnt_;
    TfmGraph* graph_;
    TfmPairs* pairs_;
    TfmCascade* cascade_;
    TfmCriteria* criteria_;
    TfmTransfer* transfer_;
    TfmBlocks* blocks_;
    TfmDbConv* dbConv_;
    TfmHelp* help_;
    TfmResist* resist_;
    TfmInvent* invent_;
    InventoryBlock inventory_ = DefaultInventory();
    std::filesystem::path inventoryFile_;
    QLabel* status_;
    QActionGroup* kinds_;
    std::array<QAction*, 5> kindActions_{};
    QAction *open_{}, *save_{}, *saveAs_{}, *closeDesign_{}, *copy_{}, *ascii_{}, *netlist_{}, *print_{};
    QAction *hz_{}, *rads_{}, *toggleUnits_{}, *showTransfer_{};
    QAction *allCapsStandard_{}, *capInventory_{}, *resInventory_{};
    QMenu *pairing_{}, *cascading_{};
    QAction *pairingAutomatic_{}, *pairingInteractive_{}, *cascadingAutomatic_{}, *cascadingInteractive_{};
};

}  // namespace tavrel::ui
