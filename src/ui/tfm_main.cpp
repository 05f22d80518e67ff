#include "ui/tfm_main.h"

#include <QAbstractButton>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "io/inventory_file.h"
#include "core/frequency_units.h"
#include "stages/pairing.h"
#include "ui/event_guard.h"
#include "ui/messages.h"
#include "ui/step_indicator.h"
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
    BuildPages();
    status_ = new QLabel(this);
    status_->setObjectName("status");
    statusBar()->addWidget(status_, 1);
    ConnectWindows();
    NewDesign();
    SetGeometry({});
}

TfmMain::~TfmMain() = default;

void TfmMain::BuildPages() {
    startPage_ = new QWidget(this);
    startPage_->setObjectName("startPage");
    auto* kinds = new QHBoxLayout;
    for (int kind = 0; kind < 4; ++kind) {
        auto* button = new QToolButton(startPage_);
        button->setDefaultAction(kindActions_[kind]);
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setIconSize(QSize(48, 48));
        button->setText(kKindNames[kind]);
        button->setAutoRaise(true);
        kinds->addWidget(button);
    }
    kinds->addStretch(1);
    auto* start = new QVBoxLayout(startPage_);
    auto* title = new QLabel("Start a design:", startPage_);
    QFont large = title->font();
    large.setPointSizeF(large.pointSizeF() * 1.3);
    title->setFont(large);
    start->addWidget(title);
    start->addLayout(kinds);
    start->addWidget(new QLabel("The same commands are in the Start Design menu. Ctrl+N starts a design of the kind "
                                "started last, F1 opens the help.",
                                startPage_));
    start->addStretch(1);

    pageWidgets_ = {parEnt_, graph_, pairs_, cascade_, nullptr, nullptr, nullptr};
    pages_ = new QStackedWidget(this);
    pages_->setObjectName("pages");
    pages_->addWidget(startPage_);
    for (QWidget* page : pageWidgets_) {
        if (!page) continue;
        pages_->addWidget(page);
        connect(page, &QWidget::windowTitleChanged, this, GuardedSlot([this] { heading_->setText(PageHeading()); }));
        for (const char* name : {"next", "back"})
            if (auto* button = page->findChild<QPushButton*>(name)) button->installEventFilter(this);
    }

    steps_ = new StepIndicator(this);
    heading_ = new QLabel(this);
    heading_->setObjectName("heading");
    QFont bold = heading_->font();
    bold.setBold(true);
    heading_->setFont(bold);
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(8, 6, 8, 4);
    layout->addWidget(steps_);
    layout->addWidget(heading_);
    layout->addWidget(pages_, 1);
    setCentralWidget(central);

    // Enter presses the page's default button, as it does in a dialog.
    for (int key : {Qt::Key_Return, Qt::Key_Enter}) {
        auto* enter = new QShortcut(QKeySequence(key), pages_);
        enter->setContext(Qt::WidgetWithChildrenShortcut);
        connect(enter, &QShortcut::activated, this, GuardedSlot([this] { PressDefaultButton(); }));
    }
}

QAction* TfmMain::AddCommand(QMenu* menu, const QString& caption, const QString& tip) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(WithoutMnemonic(caption));
    if (!tip.isEmpty()) action->setToolTip(tip);
    return action;
}

QAction* TfmMain::Command(const QString& caption) const { return findChild<QAction*>(caption); }

void TfmMain::BuildMenus() {
    QMenu* file = menuBar()->addMenu("&File");
    newDesign_ = AddCommand(file, "&New Design", "New design of the kind started last");
    newDesign_->setShortcuts(QKeySequence::New);
    open_ = AddCommand(file, "&Open Design...", "Open Design");
    open_->setShortcuts(QKeySequence::Open);
    save_ = AddCommand(file, "&Save Design");
    save_->setShortcuts(QKeySequence::Save);
    saveAs_ = AddCommand(file, "Save &Design As...", "Save Design as..");
    saveAs_->setShortcuts(QKeySequence::SaveAs);
    closeDesign_ = AddCommand(file, "&Close Design");
    closeDesign_->setShortcuts(QKeySequence::Close);
    file->addSeparator();
    copy_ = AddCommand(file, "Copy &to Clipboard", "Copy to Clipboard");
    copy_->setShortcuts(QKeySequence::Copy);
    ascii_ = AddCommand(file, "Save data to &Ascii File", "Filter Data to ASCII File");
    netlist_ = AddCommand(file, "Save SPICE &Netlist", "Save SPICE Netlist");
    print_ = AddCommand(file, "&Print", "Print");
    print_->setShortcuts(QKeySequence::Print);
    file->addSeparator();
    QAction* exit = AddCommand(file, "E&xit");
    exit->setShortcuts(QKeySequence::Quit);
    connect(exit, &QAction::triggered, this, &TfmMain::close);
    connect(newDesign_, &QAction::triggered, this, GuardedSlot([this] { StartDesign(lastKind_); }));
    connect(closeDesign_, &QAction::triggered, this, GuardedSlot([this] { CloseDesign(); }));
    connect(copy_, &QAction::triggered, this, GuardedSlot([this] { CopyToClipboard(); }));

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
        connect(action, &QAction::triggered, this, GuardedSlot([this, kind] { StartDesign(static_cast<FilterKind>(kind)); }));
    }
    kindActions_[4]->setEnabled(false);  // its stage entry page is not part of the program yet

    QMenu* go = menuBar()->addMenu("&Go");
    next_ = AddCommand(go, "&Next", "Next step");
    next_->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Right));
    back_ = AddCommand(go, "&Back", "Previous step");
    back_->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Left));
    connect(next_, &QAction::triggered, this, GuardedSlot([this] { ClickPageButton("next"); }));
    connect(back_, &QAction::triggered, this, GuardedSlot([this] { ClickPageButton("back"); }));

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
            connect(mode ? automatic : interactive, &QAction::triggered, this, GuardedSlot([this, pairing, mode] {
                        pairing ? SetPairingMode(mode, true) : SetCascadingMode(mode, true);
                    }));
    }
    QAction* criteria = AddCommand(options, "Stage &cascading criteria");
    connect(criteria, &QAction::triggered, this, GuardedSlot([this] { criteria_->Edit(tables_->Criteria); }));
    QMenu* units = options->addMenu("&Frequency units");
    auto* unitGroup = new QActionGroup(units);
    hz_ = AddCommand(units, "Hz");
    rads_ = AddCommand(units, "rad/s");
    for (QAction* a : {hz_, rads_}) {
        a->setCheckable(true);
        unitGroup->addAction(a);
    }
    (state_->HzUnits ? hz_ : rads_)->setChecked(true);
    connect(hz_, &QAction::triggered, this, GuardedSlot([this] { SetHzUnits(true); }));
    connect(rads_, &QAction::triggered, this, GuardedSlot([this] { SetHzUnits(false); }));
    // Commands whose windows are not part of the program yet stay disabled.
    QAction* characteristics = AddCommand(options, "C&omponent characteristics");
    allCapsStandard_ = AddCommand(options, "&All capacitors standard values");
    allCapsStandard_->setCheckable(true);
    connect(allCapsStandard_, &QAction::toggled, this,
            GuardedSlot([this](bool on) { design_->Options.AllCapsStandard = on; }));
    showTransfer_ = AddCommand(options, "Show &transfer function", "Show transfer function");
    connect(showTransfer_, &QAction::triggered, this, GuardedSlot([this] { transfer_->Open(); }));
    characteristics->setEnabled(false);

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
    connect(capInventory_, &QAction::toggled, this,
            GuardedSlot([this](bool on) { design_->Options.UseCapInventory = on; }));
    connect(resInventory_, &QAction::toggled, this,
            GuardedSlot([this](bool on) { design_->Options.UseResInventory = on; }));
    connect(capacitorEdit, &QAction::triggered, this,
            GuardedSlot([this] { invent_->Edit(inventory_, InventoryList::Capacitors, inventoryFile_); }));
    QMenu* edit = resistor->addMenu("E&dit");
    const std::pair<const char*, ResistorSeries> seriesItems[] = {
        {"&1 percent", ResistorSeries::E96}, {"&5 percent", ResistorSeries::E24}, {"1&0 percent", ResistorSeries::E12}};
    for (const auto& [caption, series] : seriesItems)
        connect(AddCommand(edit, caption), &QAction::triggered, this,
                GuardedSlot([this, series] { invent_->Edit(inventory_, InventoryListOf(series), inventoryFile_); }));

    QMenu* tools = menuBar()->addMenu("&Tools");
    QAction* converter = AddCommand(tools, "&dB<-->V/V");
    connect(converter, &QAction::triggered, this, GuardedSlot([this] { dbConv_->Open(); }));
    QAction* resistors = AddCommand(tools, "&Resistor values ");
    connect(resistors, &QAction::triggered, this,
            GuardedSlot([this] { resist_->Open(SeriesForTolerance(design_->Characteristics.RTolerance)); }));

    QMenu* helpMenu = menuBar()->addMenu("&Help");
    QAction* contents = AddCommand(helpMenu, "&Contents");
    contents->setShortcuts(QKeySequence::HelpContents);
    QAction* search = AddCommand(helpMenu, "&Topic Search");
    QAction* howTo = AddCommand(helpMenu, "&How to Use Help");
    QAction* blocks = AddCommand(helpMenu, "The &building blocks");
    connect(blocks, &QAction::triggered, this, GuardedSlot([this] { blocks_->Open(state_->HzUnits); }));
    QAction* about = AddCommand(helpMenu, "&About Tavrel");
    for (QAction* a : {contents, search, howTo})
        connect(a, &QAction::triggered, this, GuardedSlot([this] { help_->Open(); }));
    connect(about, &QAction::triggered, this,
            GuardedSlot([] { Messages().Show(MessageIcon::Information, AboutText(), MessageButtons::Ok); }));
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
    connect(toggleUnits_, &QAction::triggered, this, GuardedSlot([this] { SetHzUnits(!state_->HzUnits); }));
}

void TfmMain::ConnectWindows() {
    connect(parEnt_, &TfmParEnt::calculated, this, GuardedSlot([this](bool accepted) { Calculated(accepted); }));
    connect(parEnt_, &TfmParEnt::nextClicked, this, GuardedSlot([this] { SpecificationNext(); }));
    connect(parEnt_, &TfmParEnt::closeClicked, this, GuardedSlot([this] { CloseDesign(); }));
    connect(parEnt_, &TfmParEnt::helpClicked, this, GuardedSlot([this] { help_->Open("specification"); }));
    connect(parEnt_, &TfmParEnt::tabChanged, this, GuardedSlot([this] { UpdateCommands(); }));
    connect(graph_, &TfmGraph::backClicked, this, GuardedSlot([this] { ApproximationBack(); }));
    connect(graph_, &TfmGraph::closeClicked, this, GuardedSlot([this] { CloseDesign(); }));
    connect(graph_, &TfmGraph::nextClicked, this, GuardedSlot([this] { ApproximationNext(); }));
    connect(graph_, &TfmGraph::approximationChosen, this, GuardedSlot([this] {
                SetTransferEnabled(false);
                UpdateStatus();
                UpdateSteps();
            }));
    connect(pairs_, &TfmPairs::pairingFinished, this, GuardedSlot([this] { PairingFinished(); }));
    connect(pairs_, &TfmPairs::backClicked, this, GuardedSlot([this] { ShowApproximationPage(); }));
    connect(pairs_, &TfmPairs::closeClicked, this, GuardedSlot([this] { CloseDesign(); }));
    connect(pairs_, &TfmPairs::helpClicked, this, GuardedSlot([this] { help_->Open("pairing"); }));
    connect(pairs_, &TfmPairs::hideNextTime, this, GuardedSlot([this](bool hide) { SetPairingMode(hide, false); }));
    connect(pairs_, &TfmPairs::stagesChanged, this, GuardedSlot([this] {
                StagesChanged();
                UpdateSteps();
            }));
    connect(cascade_, &TfmCascade::backClicked, this, GuardedSlot([this] { CascadeBack(); }));
    connect(cascade_, &TfmCascade::closeClicked, this, GuardedSlot([this] { CloseDesign(); }));
    connect(cascade_, &TfmCascade::helpClicked, this, GuardedSlot([this] { help_->Open("cascading"); }));
    connect(cascade_, &TfmCascade::criteriaClicked, this, GuardedSlot([this] { criteria_->Edit(tables_->Criteria); }));
    connect(cascade_, &TfmCascade::hideNextTime, this,
            GuardedSlot([this](bool hide) { SetCascadingMode(hide, false); }));
    connect(cascade_, &TfmCascade::stagesChanged, this, GuardedSlot([this] { StagesChanged(); }));
}

std::optional<WizardPage> TfmMain::CurrentPage() const {
    for (int page = 0; page < kWizardPageCount; ++page)
        if (pageWidgets_[page] && pages_->currentWidget() == pageWidgets_[page]) return static_cast<WizardPage>(page);
    return std::nullopt;
}

QWidget* TfmMain::PageWidget(WizardPage page) const { return pageWidgets_[static_cast<int>(page)]; }

QString TfmMain::PageHeading() const {
    const auto page = CurrentPage();
    return page ? PageWidget(*page)->windowTitle() : QString("No design");
}

void TfmMain::ShowPage(std::optional<WizardPage> page) {
    QWidget* widget = page ? PageWidget(*page) : startPage_;
    if (!widget) return;  // a step whose page is not part of the program yet
    const bool changed = pages_->currentWidget() != widget;
    pages_->setCurrentWidget(widget);
    heading_->setText(PageHeading());
    // The keyboard goes on in the new page: its first entry, its list or its Next button.
    if (changed) widget->setFocus(Qt::OtherFocusReason);
    UpdateCommands();
    UpdateStatus();
    UpdateSteps();
}

QPushButton* TfmMain::PageButton(const char* name) const {
    const auto page = CurrentPage();
    return page ? PageWidget(*page)->findChild<QPushButton*>(name) : nullptr;
}

void TfmMain::ClickPageButton(const char* name) {
    QPushButton* button = PageButton(name);
    if (button && button->isEnabled()) button->click();
}

void TfmMain::PressDefaultButton() {
    QWidget* page = pages_->currentWidget();
    if (auto* focused = qobject_cast<QPushButton*>(QApplication::focusWidget());
        focused && page->isAncestorOf(focused) && focused->isEnabled()) {
        focused->click();
        return;
    }
    for (QPushButton* button : page->findChildren<QPushButton*>())
        if (button->isDefault() && button->isVisible() && button->isEnabled()) {
            button->click();
            return;
        }
}

bool TfmMain::eventFilter(QObject* watched, QEvent* event) {
    // The Next and Back commands follow the page's buttons.
    if (event->type() == QEvent::EnabledChange) UpdateCommands();
    return QMainWindow::eventFilter(watched, event);
}

// Room for the specification entries beside their template, and for the graphs beside the
// approximation choice.
QSize TfmMain::PreferredSize() { return {1120, 740}; }

WindowGeometry TfmMain::Geometry() const {
    const QRect r = isMaximized() ? normalGeometry() : geometry();
    return {r.x(), r.y(), r.width(), r.height(), isMaximized()};
}

void TfmMain::SetGeometry(const WindowGeometry& geometry) {
    // Not below the size the pages need, which a geometry kept from an older layout may be.
    WindowGeometry kept = geometry;
    if (kept.width > 0 && kept.height > 0) {
        kept.width = std::max(kept.width, minimumSizeHint().width());
        kept.height = std::max(kept.height, minimumSizeHint().height());
    }
    QScreen* screen = QGuiApplication::screenAt(QPoint(kept.x + kept.width / 2, kept.y + kept.height / 2));
    if (!screen) screen = QGuiApplication::primaryScreen();
    const QSize preferred = PreferredSize();
    const QRect a = screen ? screen->availableGeometry() : QRect(QPoint(0, 0), preferred);
    const WindowGeometry g =
        FittedToScreen(kept, {a.x(), a.y(), a.width(), a.height()}, preferred.width(), preferred.height());
    setGeometry(g.x, g.y, g.width, g.height);
    setWindowState(g.maximized ? (windowState() | Qt::WindowMaximized) : (windowState() & ~Qt::WindowMaximized));
}

bool TfmMain::SaveBeforeDiscard() {
    // There is no design file to write the design to, so the design stays open rather than
    // being lost after the user asked to keep it.
    ShowInformation("The design could not be saved, so it stays open.");
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
    transfer_->hide();
    parEnt_->ShowMagnitudeTab();
    for (QAction* kind : kindActions_) kind->setChecked(false);
    pairing_->setEnabled(true);
    cascading_->setEnabled(true);
    open_->setEnabled(false);  // no design file can be read yet
    SetTransferEnabled(false);
    setWindowTitle(QString(kTitle) + " - " + kUntitled);
    ShowPage(std::nullopt);
}

void TfmMain::StartDesign(FilterKind kind) {
    if (!ConfirmDiscard()) {
        // The button of the design that stays remains the pressed one.
        for (int k = 0; k < 5; ++k)
            kindActions_[k]->setChecked(CurrentPage().has_value() && k == static_cast<int>(state_->FilterKind));
        return;
    }
    NewDesign();
    const SpecEntries entries = tavrel::StartDesign(*design_, kind);
    kindActions_[static_cast<int>(kind)]->setChecked(true);
    if (kind == FilterKind::UserDefined) return;  // its stage entry page is not part of the program yet
    lastKind_ = kind;
    newDesign_->setText(QString("&New %1 Design").arg(kKindNames[static_cast<int>(kind)]));
    parEnt_->Reset(entries);
    ShowPage(WizardPage::Specification);
}

void TfmMain::CloseDesign() {
    if (ConfirmDiscard()) NewDesign();
}

void TfmMain::Calculated(bool gainAccepted) {
    saveable_ = gainAccepted;
    if (gainAccepted) SetTransferEnabled(false);
    UpdateCommands();
    UpdateStatus();
    UpdateSteps();
}

void TfmMain::SpecificationNext() {
    WaitCursor wait;
    tavrel::SpecificationNext(*design_);
    graph_->Open();
    ShowPage(WizardPage::Approximation);
}

void TfmMain::ApproximationBack() {
    tavrel::ApproximationBack(*design_);
    ShowPage(WizardPage::Specification);
}

void TfmMain::ApproximationNext() {
    WaitCursor wait;
    const ApproximationNextPlan plan = tavrel::ApproximationNext(*design_, graph_->CheckedApprox());
    if (plan.enableTransferFunction) SetTransferEnabled(true);
    switch (plan.show) {
        case WizardPage::Pairing:
            pairs_->Open();
            ShowPage(WizardPage::Pairing);
            break;
        case WizardPage::Cascading:
            cascade_->Open();
            SetTransferEnabled(true);
            ShowPage(WizardPage::Cascading);
            break;
        default: StagesFormed(); break;
    }
    StagesChanged();
}

void TfmMain::PairingFinished() {
    if (state_->AutoCascading) {
        StagesFormed();
        return;
    }
    cascade_->Open();
    SetTransferEnabled(true);
    ShowPage(WizardPage::Cascading);
}

void TfmMain::ShowApproximationPage() {
    graph_->Redisplay();
    ShowPage(WizardPage::Approximation);
}

void TfmMain::CascadeBack() {
    if (state_->AutoPairing) {
        ShowApproximationPage();
        return;
    }
    pairs_->Open();
    ShowPage(WizardPage::Pairing);
}

void TfmMain::StagesFormed() {
    SetTransferEnabled(true);
    StagesChanged();
    // Circuit selection comes next; until its page is part of the program the design stays
    // on the page it is at, and the status line and the steps say how far it got.
    ShowPage(WizardPage::CircuitSelection);
    UpdateStatus();
    UpdateSteps();
}

void TfmMain::SetTransferEnabled(bool enabled) {
    showTransfer_->setEnabled(enabled);
    // Stages of an earlier pairing are not shown once the design has changed.
    if (!enabled) transfer_->hide();
}

void TfmMain::StagesChanged() {
    if (transfer_->isVisible()) transfer_->Redisplay();
    UpdateStatus();
}

void TfmMain::SetPairingMode(bool automatic, bool fromMenu) {
    state_->AutoPairing = automatic;
    (automatic ? pairingAutomatic_ : pairingInteractive_)->setChecked(true);
    if (automatic && fromMenu && CurrentPage() == WizardPage::Pairing) ShowApproximationPage();
    UpdateSteps();
}

void TfmMain::SetCascadingMode(bool automatic, bool fromMenu) {
    state_->AutoCascading = automatic;
    (automatic ? cascadingAutomatic_ : cascadingInteractive_)->setChecked(true);
    if (automatic && fromMenu && CurrentPage() == WizardPage::Cascading) ShowApproximationPage();
    UpdateSteps();
}

void TfmMain::SetHzUnits(bool hz) {
    // The entries first, while the state still holds the unit they were typed in.
    if (hz != state_->HzUnits) parEnt_->ConvertFrequencyUnits(state_->HzUnits);
    SetFrequencyUnits(*state_, hz);
    (hz ? hz_ : rads_)->setChecked(true);
    toggleUnits_->setIcon(TextGlyph(hz ? "Hz" : "rad"));
    parEnt_->Redisplay();
    const auto page = CurrentPage();
    if (page == WizardPage::Approximation) graph_->Redisplay();
    if (page == WizardPage::Pairing) pairs_->Redisplay();
    if (page == WizardPage::Cascading) cascade_->Redisplay();
    blocks_->SetHz(hz);
    UpdateStatus();
}

void TfmMain::CopyToClipboard() {
    QImage picture;
    if (CurrentPage() == WizardPage::Approximation)
        picture = graph_->Picture();
    else if (parEnt_->ShowsResultTable())
        picture = parEnt_->Picture();
    if (!picture.isNull()) QGuiApplication::clipboard()->setImage(picture);
}

void TfmMain::UpdateCommands() {
    for (QAction* a : {save_, saveAs_}) a->setEnabled(false);  // no design file can be written yet
    closeDesign_->setEnabled(CurrentPage().has_value());
    copy_->setEnabled(saveable_ && (CurrentPage() == WizardPage::Approximation || parEnt_->ShowsResultTable()));
    for (QAction* a : {ascii_, netlist_, print_}) a->setEnabled(false);  // enabled by later pages
    QPushButton* next = PageButton("next");
    QPushButton* back = PageButton("back");
    next_->setEnabled(next && next->isEnabled());
    back_->setEnabled(back && back->isEnabled());
}

QString TfmMain::StatusText() const {
    const auto page = CurrentPage();
    if (!page) return "No design. Start one from the Start Design menu or the toolbar.";
    QString step = StepIndicator::Caption(*page);
    if (state_->DesignStep >= Step::CascadingDone && state_->StageCount > 0)
        step += QString(", %1 stages formed and cascaded").arg(state_->StageCount);
    const QString file = state_->DesignFileName.empty() ? kUntitled : QString::fromStdString(state_->DesignFileName);
    return QString("%1 design   |   %2   |   %3   |   frequencies in %4")
        .arg(kKindNames[static_cast<int>(state_->FilterKind)], file, step, state_->HzUnits ? "Hz" : "rad/s");
}

void TfmMain::UpdateStatus() { status_->setText(StatusText()); }

void TfmMain::UpdateSteps() {
    std::array<StepIndicator::Mark, kWizardPageCount> marks{};
    const auto current = CurrentPage();
    for (int p = 0; p < kWizardPageCount; ++p) {
        const auto page = static_cast<WizardPage>(p);
        if (!current || !PageWidget(page))
            marks[p] = StepIndicator::Mark::Ahead;
        else if (page == *current)
            marks[p] = StepIndicator::Mark::Current;
        else if (PageSkipped(*state_, page))
            marks[p] = PageReached(*state_, page) ? StepIndicator::Mark::Automatic : StepIndicator::Mark::Ahead;
        else
            marks[p] = PageReached(*state_, page) ? StepIndicator::Mark::Reached : StepIndicator::Mark::Ahead;
    }
    steps_->Show(marks);
}

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
    for (QWidget* w : std::initializer_list<QWidget*>{criteria_, transfer_, blocks_, dbConv_, help_, resist_, invent_})
        w->hide();
    event->accept();
}

}  // namespace tavrel::ui
