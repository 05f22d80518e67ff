#include "ui/tfm_main.h"

#include <QAction>
#include <QActionGroup>
#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

#include "analysis/workflow.h"
#include "io/inventory_file.h"
#include "core/frequency_units.h"
#include "stages/pairing.h"
#include "ui/event_guard.h"
#include "ui/messages.h"
#include "ui/tfm_blocks.h"
#include "ui/tfm_cascade.h"
#include "ui/tfm_criteria.h"
#include "ui/tfm_db_conv.h"
#include "ui/tfm_graph.h"
#include "ui/tfm_help.h"
#include "ui/tfm_invent.h"
#include "ui/tfm_pairs.h"
#include "ui/tfm_par_ent.h"
#include "ui/tfm_resist.h"
#include "ui/tfm_transfer.h"
#include "ui/toolbar_glyphs.h"

namespace tavrel::ui {

namespace {

constexpr const char* kTitle = "Tavrel";
constexpr const char* kUntitled = "[Untitled]";
constexpr const char* kKindNames[5] = {"Lowpass", "Highpass", "Bandpass", "Bandstop", "User-defined"};
constexpr const char* kKindButtons[5] = {"Lowpass Filter", "Highpass Filter", "Bandpass Filter", "Bandstop Filter",
                                         "User-Defined Filter"};

QString WithoutMnemonic(QString caption) { return caption.remove('&').trimmed(); }

constexpr const char* kStagesFormed =
    "The stages are formed and cascaded. Circuit selection is not available in this version yet; "
    "Options > Show transfer function shows the stages.";

void NotAvailableYet(const QString& command) {
    ShowInformation("\"" + WithoutMnemonic(command) + "\" is not available in this version yet.");
}

}  // namespace

TfmMain::TfmMain(CalcEnvironment environment, QWidget* parent)
    : QMainWindow(parent),
      design_(std::make_unique<Design>()),
      state_(&design_->State),
      tables_(&design_->Stages),
      environment_(std::move(environment)) {
    setObjectName("TfmMain");
    parEnt_ = new TfmParEnt(*state_, environment_, this);
    graph_ = new TfmGraph(*design_, this);
    pairs_ = new TfmPairs(*state_, *tables_, this);
    cascade_ = new TfmCascade(*state_, *tables_, this);
    criteria_ = new TfmCriteria(this);
    transfer_ = new TfmTransfer(*state_, *tables_, this);
    blocks_ = new TfmBlocks(this);
    dbConv_ = new TfmDbConv(this);
    help_ = new TfmHelp(this);
    resist_ = new TfmResist(this);
    invent_ = new TfmInvent(this);
    BuildMenus();
    BuildToolBar();
    status_ = new QLabel(this);
    status_->setObjectName("status");
    statusBar()->addWidget(status_, 1);
    ConnectWindows();
    NewDesign();
    resize(760, 10);
}

TfmMain::~TfmMain() = default;

QAction* TfmMain::AddCommand(QMenu* menu, const QString& caption, const QString& tip) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(WithoutMnemonic(caption));
    if (!tip.isEmpty()) action->setToolTip(tip);
    return action;
}

QAction* TfmMain::Command(const QString& caption) const { return findChild<QAction*>(caption); }

void TfmMain::BuildMenus() {
    QMenu* file = menuBar()->addMenu("&File");
    open_ = AddCommand(file, "&Open Design...", "Open Design");
    save_ = AddCommand(file, "&Save Design");
    saveAs_ = AddCommand(file, "Save &Design As...", "Save Design as..");
    closeDesign_ = AddCommand(file, "&Close Design");
    file->addSeparator();
    copy_ = AddCommand(file, "Copy &to Clipboard", "Copy to Clipboard");
    ascii_ = AddCommand(file, "Save data to &Ascii File", "Filter Data to ASCII File");
    netlist_ = AddCommand(file, "Save SPICE &Netlist", "Save SPICE Netlist");
    print_ = AddCommand(file, "&Print", "Print");
    file->addSeparator();
    QAction* exit = AddCommand(file, "E&xit");
    connect(exit, &QAction::triggered, this, &TfmMain::close);
    for (QAction* later : {open_, save_, saveAs_, ascii_, netlist_, print_})
        connect(later, &QAction::triggered, this, [later] { NotAvailableYet(later->text()); });
    connect(closeDesign_, &QAction::triggered, this, [this] { Guarded([&] { CloseDesign(); }); });
    connect(copy_, &QAction::triggered, this, [this] { Guarded([&] { CopyToClipboard(); }); });

    QMenu* start = menuBar()->addMenu("&Start Design");
    kinds_ = new QActionGroup(this);
    kinds_->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    const char* kindCaptions[5] = {"&Lowpass", "&Highpass", "&Bandpass", "Band&stop", "&User defined"};
    for (int kind = 0; kind < 5; ++kind) {
        QAction* action = AddCommand(start, kindCaptions[kind], kKindButtons[kind]);
        action->setCheckable(true);
        action->setIcon(KindGlyph(static_cast<FilterKind>(kind)));
        kinds_->addAction(action);
        kindActions_[kind] = action;
        connect(action, &QAction::triggered, this,
                [this, kind] { Guarded([&] { StartDesign(static_cast<FilterKind>(kind)); }); });
    }
    kindActions_[4]->setEnabled(false);
    kindActions_[4]->setToolTip("User-Defined Filter (not available in this version yet)");

    QMenu* options = menuBar()->addMenu("&Options");
    pairing_ = options->addMenu("&Pole-zero pairing");
    cascading_ = options->addMenu("&Stage cascading");
    for (QMenu* menu : {pairing_, cascading_}) {
        auto* group = new QActionGroup(menu);
        QAction* automatic = AddCommand(menu, "&Automatic");
        QAction* interactive = AddCommand(menu, "&User-interactive");
        for (QAction* a : {automatic, interactive}) {
            a->setCheckable(true);
            group->addAction(a);
        }
        const bool pairing = menu == pairing_;
        automatic->setObjectName(pairing ? "Pairing Automatic" : "Cascading Automatic");
        interactive->setObjectName(pairing ? "Pairing User-interactive" : "Cascading User-interactive");
        (pairing ? state_->AutoPairing : state_->AutoCascading) ? automatic->setChecked(true)
                                                                : interactive->setChecked(true);
        (pairing ? pairingAutomatic_ : cascadingAutomatic_) = automatic;
        (pairing ? pairingInteractive_ : cascadingInteractive_) = interactive;
        for (bool mode : {true, false})
            connect(mode ? automatic : interactive, &QAction::triggered, this, [this, pairing, mode] {
                Guarded([&] { pairing ? SetPairingMode(mode, true) : SetCascadingMode(mode, true); });
            });
    }
    QAction* criteria = AddCommand(options, "Stage &cascading criteria");
    connect(criteria, &QAction::triggered, this, [this] { criteria_->Edit(tables_->Criteria); });
    QMenu* units = options->addMenu("&Frequency units");
    auto* unitGroup = new QActionGroup(units);
    hz_ = AddCommand(units, "Hz");
    rads_ = AddCommand(units, "rad/s");
    for (QAction* a : {hz_, rads_}) {
        a->setCheckable(true);
        unitGroup->addAction(a);
    }
    (state_->HzUnits ? hz_ : rads_)->setChecked(true);
    connect(hz_, &QAction::triggered, this, [this] { Guarded([&] { SetHzUnits(true); }); });
    connect(rads_, &QAction::triggered, this, [this] { Guarded([&] { SetHzUnits(false); }); });
    QAction* characteristics = AddCommand(options, "C&omponent characteristics");
    allCapsStandard_ = AddCommand(options, "&All capacitors standard values");
    allCapsStandard_->setCheckable(true);
    connect(allCapsStandard_, &QAction::toggled, this, [this](bool on) { design_->Options.AllCapsStandard = on; });
    showTransfer_ = AddCommand(options, "Show &transfer function", "Show transfer function");
    connect(showTransfer_, &QAction::triggered, this, [this] { transfer_->Open(); });
    for (QAction* later : {characteristics})
        connect(later, &QAction::triggered, this, [later] { NotAvailableYet(later->text()); });

    QMenu* inventory = menuBar()->addMenu("&Inventory");
    QMenu* capacitor = inventory->addMenu("&Capacitor");
    QMenu* resistor = inventory->addMenu("&Resistor");
    capInventory_ = AddCommand(capacitor, "&Enable");
    capInventory_->setObjectName("Capacitor Enable");
    QAction* capacitorEdit = AddCommand(capacitor, "E&dit");
    capacitorEdit->setObjectName("Capacitor Edit");
    resInventory_ = AddCommand(resistor, "&Enable");
    resInventory_->setObjectName("Resistor Enable");
    for (QAction* enable : {capInventory_, resInventory_}) enable->setCheckable(true);
    connect(capInventory_, &QAction::toggled, this, [this](bool on) { design_->Options.UseCapInventory = on; });
    connect(resInventory_, &QAction::toggled, this, [this](bool on) { design_->Options.UseResInventory = on; });
    connect(capacitorEdit, &QAction::triggered, this,
            [this] { invent_->Edit(inventory_, InventoryList::Capacitors, inventoryFile_); });
    QMenu* edit = resistor->addMenu("E&dit");
    const std::pair<const char*, ResistorSeries> seriesItems[] = {
        {"&1 percent", ResistorSeries::E96}, {"&5 percent", ResistorSeries::E24}, {"1&0 percent", ResistorSeries::E12}};
    for (const auto& [caption, series] : seriesItems)
        connect(AddCommand(edit, caption), &QAction::triggered, this,
                [this, series] { invent_->Edit(inventory_, InventoryListOf(series), inventoryFile_); });

    QMenu* tools = menuBar()->addMenu("&Tools");
    QAction* converter = AddCommand(tools, "&dB<-->V/V");
    connect(converter, &QAction::triggered, dbConv_, &TfmDbConv::Open);
    QAction* resistors = AddCommand(tools, "&Resistor values ");
    connect(resistors, &QAction::triggered, this,
            [this] { resist_->Open(SeriesForTolerance(design_->Characteristics.RTolerance)); });

    QMenu* helpMenu = menuBar()->addMenu("&Help");
    QAction* contents = AddCommand(helpMenu, "&Contents");
    QAction* search = AddCommand(helpMenu, "&Topic Search");
    QAction* howTo = AddCommand(helpMenu, "&How to Use Help");
    QAction* blocks = AddCommand(helpMenu, "The &building blocks");
    connect(blocks, &QAction::triggered, this, [this] { blocks_->Open(state_->HzUnits); });
    QAction* about = AddCommand(helpMenu, "&About Tavrel");
    for (QAction* a : {contents, search, howTo}) connect(a, &QAction::triggered, this, [this] { help_->Open(); });
    connect(about, &QAction::triggered, this,
            [] { Messages().Show(MessageIcon::Information, AboutText(), MessageButtons::Ok); });
}

void TfmMain::BuildToolBar() {
    QToolBar* bar = addToolBar("Commands");
    bar->setObjectName("toolbar");
    bar->setMovable(false);
    bar->setIconSize(QSize(24, 24));
    for (QAction* kind : kindActions_) bar->addAction(kind);
    bar->addSeparator();
    open_->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    saveAs_->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    copy_->setIcon(TextGlyph("Copy"));
    showTransfer_->setIcon(TextGlyph("T(s)"));
    ascii_->setIcon(TextGlyph("ASC"));
    netlist_->setIcon(TextGlyph("SPI"));
    print_->setIcon(TextGlyph("Prn"));
    for (QAction* a : {open_, saveAs_, copy_, showTransfer_}) bar->addAction(a);
    bar->addSeparator();
    for (QAction* a : {ascii_, netlist_, print_}) bar->addAction(a);
    bar->addSeparator();
    toggleUnits_ = bar->addAction(TextGlyph("Hz"), "Toggle Hz..Rad/s");
    toggleUnits_->setObjectName("Toggle Hz..Rad/s");
    connect(toggleUnits_, &QAction::triggered, this, [this] { Guarded([&] { SetHzUnits(!state_->HzUnits); }); });
}

void TfmMain::ConnectWindows() {
    connect(parEnt_, &TfmParEnt::calculated, this, &TfmMain::Calculated);
    connect(parEnt_, &TfmParEnt::nextClicked, this, [this] { Guarded([&] { SpecificationNext(); }); });
    connect(parEnt_, &TfmParEnt::closeClicked, this, [this] { Guarded([&] { CloseDesign(); }); });
    connect(parEnt_, &TfmParEnt::helpClicked, this, [this] { help_->Open("specification"); });
    connect(parEnt_, &TfmParEnt::tabChanged, this, &TfmMain::UpdateCommands);
    connect(graph_, &TfmGraph::backClicked, this, [this] { Guarded([&] { ApproximationBack(); }); });
    connect(graph_, &TfmGraph::closeClicked, this, [this] { Guarded([&] { CloseDesign(); }); });
    connect(graph_, &TfmGraph::nextClicked, this, [this] { Guarded([&] { ApproximationNext(); }); });
    connect(graph_, &TfmGraph::approximationChosen, this, [this] {
        SetTransferEnabled(false);
        UpdateStatus();
    });
    connect(pairs_, &TfmPairs::pairingFinished, this, [this] { Guarded([&] { PairingFinished(); }); });
    connect(pairs_, &TfmPairs::backClicked, this, [this] { Guarded([&] { ShowApproximationWindow(); }); });
    connect(pairs_, &TfmPairs::closeClicked, this, [this] { Guarded([&] { CloseDesign(); }); });
    connect(pairs_, &TfmPairs::helpClicked, this, [this] { help_->Open("pairing"); });
    connect(pairs_, &TfmPairs::hideNextTime, this, [this](bool hide) { SetPairingMode(hide, false); });
    connect(pairs_, &TfmPairs::stagesChanged, this, &TfmMain::StagesChanged);
    connect(cascade_, &TfmCascade::backClicked, this, [this] { Guarded([&] { CascadeBack(); }); });
    connect(cascade_, &TfmCascade::closeClicked, this, [this] { Guarded([&] { CloseDesign(); }); });
    connect(cascade_, &TfmCascade::helpClicked, this, [this] { help_->Open("cascading"); });
    connect(cascade_, &TfmCascade::criteriaClicked, this, [this] { criteria_->Edit(tables_->Criteria); });
    connect(cascade_, &TfmCascade::hideNextTime, this, [this](bool hide) { SetCascadingMode(hide, false); });
    connect(cascade_, &TfmCascade::stagesChanged, this, &TfmMain::StagesChanged);
}

bool TfmMain::SaveBeforeDiscard() {
    // Saving comes with the design file; until then the design stays open, so that the
    // user who asked to save it does not lose it.
    ShowInformation("Saving designs is not available in this version yet. The design stays open.");
    return false;
}

bool TfmMain::ConfirmDiscard() {
    const auto question = DiscardQuestion(*design_);
    if (!question) return true;
    switch (Messages().Show(MessageIcon::Question, QString::fromStdString(*question), MessageButtons::YesNoCancel)) {
        case MessageAnswer::Yes: return SaveBeforeDiscard();
        case MessageAnswer::No: return true;
        default: return false;
    }
}

void TfmMain::NewDesign() {
    tavrel::NewDesign(*design_);
    saveable_ = false;
    for (QWidget* w : std::initializer_list<QWidget*>{parEnt_, graph_, pairs_, cascade_, transfer_}) w->hide();
    parEnt_->ShowMagnitudeTab();
    for (QAction* kind : kindActions_) kind->setChecked(false);
    pairing_->setEnabled(true);
    cascading_->setEnabled(true);
    open_->setEnabled(true);
    SetTransferEnabled(false);
    setWindowTitle(QString(kTitle) + " - " + kUntitled);
    UpdateCommands();
    UpdateStatus();
}

void TfmMain::StartDesign(FilterKind kind) {
    if (!ConfirmDiscard()) {
        // The button of the design that stays remains the pressed one.
        for (int k = 0; k < 5; ++k) kindActions_[k]->setChecked(parEnt_->isVisible() && k == static_cast<int>(state_->FilterKind));
        return;
    }
    NewDesign();
    const SpecEntries entries = tavrel::StartDesign(*design_, kind);
    kindActions_[static_cast<int>(kind)]->setChecked(true);
    if (kind == FilterKind::UserDefined) return;  // its entry window comes in a later version
    parEnt_->Reset(entries);
    parEnt_->show();
    parEnt_->raise();
    UpdateCommands();
    UpdateStatus();
}

void TfmMain::CloseDesign() {
    if (ConfirmDiscard()) NewDesign();
}

void TfmMain::Calculated(bool gainAccepted) {
    saveable_ = gainAccepted;
    if (gainAccepted) SetTransferEnabled(false);
    UpdateCommands();
    UpdateStatus();
}

void TfmMain::SpecificationNext() {
    WaitCursor wait;
    tavrel::SpecificationNext(*design_);
    parEnt_->hide();
    graph_->Open();
    UpdateCommands();
    UpdateStatus();
}

void TfmMain::ApproximationBack() {
    tavrel::ApproximationBack(*design_);
    graph_->hide();
    parEnt_->show();
    parEnt_->raise();
    UpdateCommands();
    UpdateStatus();
}

void TfmMain::ApproximationNext() {
    WaitCursor wait;
    const ApproximationNextPlan plan = tavrel::ApproximationNext(*design_, graph_->CheckedApprox());
    if (plan.enableTransferFunction) SetTransferEnabled(true);
    switch (plan.show) {
        case WizardWindow::Pairing:
            graph_->hide();
            pairs_->Open();
            break;
        case WizardWindow::Cascading:
            graph_->hide();
            cascade_->Open();
            SetTransferEnabled(true);
            break;
        case WizardWindow::CircuitSelection:
            wait.Release();
            StagesFormed();
            break;
    }
    StagesChanged();
    UpdateCommands();
    UpdateStatus();
}

void TfmMain::PairingFinished() {
    if (state_->AutoCascading) {
        StagesFormed();
    } else {
        pairs_->hide();
        cascade_->Open();
        SetTransferEnabled(true);
    }
    UpdateStatus();
}

void TfmMain::ShowApproximationWindow() {
    for (QWidget* w : std::initializer_list<QWidget*>{pairs_, cascade_}) w->hide();
    graph_->Redisplay();
    graph_->show();
    graph_->raise();
    UpdateCommands();
    UpdateStatus();
}

void TfmMain::CascadeBack() {
    if (state_->AutoPairing) {
        ShowApproximationWindow();
        return;
    }
    cascade_->hide();
    pairs_->Open();
    UpdateStatus();
}

void TfmMain::StagesFormed() {
    SetTransferEnabled(true);
    StagesChanged();
    ShowInformation(kStagesFormed);
}

void TfmMain::SetTransferEnabled(bool enabled) {
    showTransfer_->setEnabled(enabled);
    // Stages of an earlier pairing are not shown once the design has changed.
    if (!enabled) transfer_->hide();
}

void TfmMain::StagesChanged() {
    if (transfer_->isVisible()) transfer_->Redisplay();
}

void TfmMain::SetPairingMode(bool automatic, bool fromMenu) {
    state_->AutoPairing = automatic;
    (automatic ? pairingAutomatic_ : pairingInteractive_)->setChecked(true);
    if (automatic && fromMenu && pairs_->isVisible()) ShowApproximationWindow();
}

void TfmMain::SetCascadingMode(bool automatic, bool fromMenu) {
    state_->AutoCascading = automatic;
    (automatic ? cascadingAutomatic_ : cascadingInteractive_)->setChecked(true);
    if (automatic && fromMenu && cascade_->isVisible()) ShowApproximationWindow();
}

void TfmMain::SetHzUnits(bool hz) {
    SetFrequencyUnits(*state_, hz);
    (hz ? hz_ : rads_)->setChecked(true);
    toggleUnits_->setIcon(TextGlyph(hz ? "Hz" : "rad"));
    parEnt_->Redisplay();
    if (graph_->isVisible()) graph_->Redisplay();
    if (pairs_->isVisible()) pairs_->Redisplay();
    if (cascade_->isVisible()) cascade_->Redisplay();
    blocks_->SetHz(hz);
    UpdateStatus();
}

void TfmMain::CopyToClipboard() {
    QImage picture;
    if (graph_->isVisible())
        picture = graph_->Picture();
    else if (parEnt_->ShowsResultTable())
        picture = parEnt_->Picture();
    if (!picture.isNull()) QGuiApplication::clipboard()->setImage(picture);
}

void TfmMain::UpdateCommands() {
    for (QAction* a : {save_, saveAs_, closeDesign_}) a->setEnabled(saveable_);
    copy_->setEnabled(saveable_ && (graph_->isVisible() || parEnt_->ShowsResultTable()));
    for (QAction* a : {ascii_, netlist_, print_}) a->setEnabled(false);  // enabled by later windows
}

QString TfmMain::StatusText() const {
    const bool started = parEnt_->isVisible() || graph_->isVisible() || state_->DesignStep > Step::NoDesign;
    if (!started) return "No design. Start one from the Start Design menu or the toolbar.";
    QString step = "Specification";
    if (graph_->isVisible()) step = "Approximation";
    if (pairs_->isVisible()) step = "Pole-zero pairing";
    if (cascade_->isVisible()) step = "Stage cascading";
    if (graph_->isVisible() && state_->DesignStep >= Step::CascadingDone) step = "Stages formed";
    const QString file = state_->DesignFileName.empty() ? kUntitled : QString::fromStdString(state_->DesignFileName);
    return QString("%1 design   |   %2   |   %3   |   frequencies in %4")
        .arg(kKindNames[static_cast<int>(state_->FilterKind)], file, step, state_->HzUnits ? "Hz" : "rad/s");
}

void TfmMain::UpdateStatus() { status_->setText(StatusText()); }

void TfmMain::UseInventoryFile(const std::filesystem::path& file) {
    inventoryFile_ = file;
    inventory_ = LoadInventory(file);
}

void TfmMain::ApplyOptions() {
    SetPairingMode(state_->AutoPairing, true);
    SetCascadingMode(state_->AutoCascading, true);
    SetHzUnits(state_->HzUnits);
    allCapsStandard_->setChecked(design_->Options.AllCapsStandard);
    capInventory_->setChecked(design_->Options.UseCapInventory);
    resInventory_->setChecked(design_->Options.UseResInventory);
}

void TfmMain::closeEvent(QCloseEvent* event) {
    bool discard = false;
    Guarded([&] { discard = ConfirmDiscard(); });
    if (!discard) {
        event->ignore();
        return;
    }
    emit exitConfirmed();
    for (QWidget* w : std::initializer_list<QWidget*>{parEnt_, graph_, pairs_, cascade_, criteria_, transfer_, blocks_,
                                                      dbConv_, help_, resist_, invent_})
        w->hide();
    event->accept();
}

}  // namespace tavrel::ui
