#include "ui/tfm_graph.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QVBoxLayout>

#include "core/pole_zero_listing.h"
#include "core/responses.h"
#include "analysis/workflow.h"
#include "ui/event_guard.h"
#include "ui/graph_view.h"
#include "ui/tfm_axes.h"
#include "ui/tfm_point_calc.h"

namespace tavrel::ui {

namespace {

constexpr const char* kRadioCaptions[kApproxCount] = {" Butterworth ", " Chebyshev ", " Inverse Chebyshev",
                                                      " Elliptic  (Cauer)  ", " Bessel (Thompson) "};
constexpr const char* kPageTabs[draw::kGraphPageCount] = {"  Gain  ", "  Phase  ", "  Grp. Delay  ",
                                                          "  Step  ", "  Impulse  ", "  Pole-zero"};
constexpr const char* kZoomHint =
    "Draw zoom rectangle from upper left to lower right, holding down left mouse button as you draw.";

QString OrderText(const ApproxRecord& record) {
    if (record.OrderTooHigh) return QString("N > %1").arg(kMaxOrder);
    if (record.Order < 1) return "N < 1";
    return QString("N = %1").arg(record.Order);
}

constexpr const char* kBelowOrderOne =
    "The specification gives this approximation no order of 1 or more: nothing to realize. "
    "Check that Asb exceeds Apb and that the stopband lies beyond the passband.";

}  // namespace

TfmGraph::TfmGraph(Design& design, QWidget* parent)
    : QWidget(parent), design_(design), state_(design.State) {
    setObjectName("TfmGraph");
    setWindowTitle("View frequency and time responses, select Approximation:");

    auto* choice = new QGroupBox("Approximation", this);
    auto* choiceGrid = new QGridLayout(choice);
    auto* group = new QButtonGroup(this);
    for (int approx = 0; approx < kApproxCount; ++approx) {
        radio_[approx] = new QRadioButton(kRadioCaptions[approx], choice);
        radio_[approx]->setObjectName(QString("approx%1").arg(approx));
        orderLabel_[approx] = new QLabel(choice);
        orderLabel_[approx]->setObjectName(QString("order%1").arg(approx));
        group->addButton(radio_[approx], approx);
        choiceGrid->addWidget(radio_[approx], approx, 0);
        choiceGrid->addWidget(orderLabel_[approx], approx, 1);
        connect(radio_[approx], &QRadioButton::clicked, this, GuardedSlot([this, approx] { Choose(approx); }));
    }

    auto* viewBox = new QGroupBox("Curves", this);
    auto* viewLayout = new QVBoxLayout(viewBox);
    viewAll_ = new QRadioButton("View all", viewBox);
    viewAll_->setObjectName("viewAll");
    viewSingle_ = new QRadioButton("View single", viewBox);
    viewSingle_->setObjectName("viewSingle");
    viewAll_->setChecked(true);
    mask_ = new QCheckBox("Specification mask", viewBox);
    mask_->setObjectName("mask");
    mask_->setChecked(options_.showMask);
    mask_->setToolTip("Shade the regions of the gain page that the specification rules out: below -Apb in the "
                      "passband, above -Asb in the stopband");
    viewLayout->addWidget(viewAll_);
    viewLayout->addWidget(viewSingle_);
    viewLayout->addWidget(mask_);
    connect(viewAll_, &QRadioButton::toggled, this, GuardedSlot([this] { UpdatePlot(); }));
    connect(mask_, &QCheckBox::toggled, this, GuardedSlot([this](bool on) {
                options_.showMask = on;
                UpdatePlot();
            }));

    auto* configure = new QPushButton("Configure Axes", this);
    configure->setObjectName("configureAxes");
    auto* calculator = new QPushButton("Point Calculator", this);
    calculator->setObjectName("pointCalculator");
    unzoom_ = new QPushButton("Unzoom", this);
    unzoom_->setObjectName("unzoom");
    auto* back = new QPushButton("< &Back", this);
    back->setObjectName("back");
    next_ = new QPushButton("&Next >", this);
    next_->setObjectName("next");
    next_->setEnabled(false);
    next_->setDefault(true);
    auto* close = new QPushButton("&Close", this);
    close->setObjectName("close");

    auto* left = new QVBoxLayout;
    left->addWidget(choice);
    left->addWidget(viewBox);
    left->addWidget(configure);
    left->addWidget(calculator);
    left->addWidget(unzoom_);
    left->addStretch(1);
    auto* steps = new QHBoxLayout;
    steps->addWidget(back);
    steps->addWidget(next_);
    left->addLayout(steps);
    left->addWidget(close);

    tabs_ = new QTabBar(this);
    tabs_->setObjectName("pages");
    for (const char* tab : kPageTabs) tabs_->addTab(tab);
    view_ = new GraphView(this);
    listing_ = new QPlainTextEdit(this);
    listing_->setObjectName("listing");
    listing_->setReadOnly(true);
    listing_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    listing_->setFixedHeight(150);
    listing_->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto* hint = new QLabel(kZoomHint, this);
    hint->setWordWrap(true);

    auto* pictures = new QVBoxLayout;
    pictures->addWidget(view_, 1);
    pictures->addWidget(listing_);
    auto* right = new QVBoxLayout;
    right->addWidget(tabs_);
    right->addLayout(pictures, 1);
    right->addWidget(hint);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(right, 1);

    axes_ = new TfmAxes(this);
    pointCalc_ = new TfmPointCalc(state_, this);

    connect(tabs_, &QTabBar::currentChanged, this, GuardedSlot([this] { UpdatePlot(); }));
    connect(view_, &GraphView::zoomRequested, this, &TfmGraph::Zoom);
    connect(view_, &GraphView::unzoomRequested, this, &TfmGraph::Unzoom);
    connect(unzoom_, &QPushButton::clicked, this, &TfmGraph::Unzoom);
    connect(back, &QPushButton::clicked, this, &TfmGraph::backClicked);
    connect(next_, &QPushButton::clicked, this, &TfmGraph::nextClicked);
    connect(close, &QPushButton::clicked, this, &TfmGraph::closeClicked);
    connect(configure, &QPushButton::clicked, this, GuardedSlot([this] { axes_->Edit(state_, options_); }));
    connect(axes_, &TfmAxes::accepted, this, GuardedSlot([this] { ApplyAxes(); }));
    connect(calculator, &QPushButton::clicked, this, GuardedSlot([this] { pointCalc_->Open(CheckedApprox()); }));
    setFocusProxy(next_);
}

void TfmGraph::Open() {
    zoomStack_.clear();
    views_.fill(std::nullopt);
    Redisplay();
}

void TfmGraph::Redisplay() {
    UpdateRadios();
    UpdatePlot();
}

void TfmGraph::UpdateRadios() {
    int checked = IsUsable(state_, state_.ChosenApprox) ? state_.ChosenApprox : -1;
    for (int approx = 0; approx < kApproxCount; ++approx) {
        const bool offered = approx <= state_.HighestApprox;
        radio_[approx]->setVisible(offered);
        orderLabel_[approx]->setVisible(offered);
        const bool usable = offered && IsUsable(state_, approx);
        radio_[approx]->setEnabled(usable);
        orderLabel_[approx]->setEnabled(usable);
        orderLabel_[approx]->setText(OrderText(state_.Approx[approx]));
        const bool belowOne = offered && !state_.Approx[approx].OrderTooHigh && state_.Approx[approx].Order < 1;
        for (QWidget* w : {static_cast<QWidget*>(radio_[approx]), static_cast<QWidget*>(orderLabel_[approx])})
            w->setToolTip(belowOne ? kBelowOrderOne : QString());
        if (checked < 0 && usable) checked = approx;
    }
    if (checked >= 0) radio_[checked]->setChecked(true);
    next_->setEnabled(checked >= 0);
}

int TfmGraph::CheckedApprox() const {
    for (int approx = 0; approx < kApproxCount; ++approx)
        if (radio_[approx]->isChecked() && radio_[approx]->isEnabled()) return approx;
    return -1;
}

std::vector<int> TfmGraph::ShownApprox() const {
    std::vector<int> shown;
    const int checked = CheckedApprox();
    if (viewSingle_->isChecked() || Page() == draw::GraphPage::PoleZero) {
        if (checked >= 0) shown.push_back(checked);
        return shown;
    }
    for (int approx = 0; approx <= state_.HighestApprox && approx < kApproxCount; ++approx)
        if (IsUsable(state_, approx)) shown.push_back(approx);
    return shown;
}

draw::GraphPage TfmGraph::Page() const { return static_cast<draw::GraphPage>(tabs_->currentIndex()); }

void TfmGraph::SetPage(draw::GraphPage page) { tabs_->setCurrentIndex(static_cast<int>(page)); }

void TfmGraph::Choose(int approx) {
    ChooseApproximation(design_, approx);
    UpdatePlot();
    pointCalc_->SetApprox(approx);
    emit approximationChosen();
}

void TfmGraph::UpdatePlot() {
    const draw::GraphPage page = Page();
    std::optional<draw::ViewRange> view = views_[static_cast<int>(page)];
    if (view && draw::IsFrequencyPage(page)) view->xLo = state_.FreqLo, view->xHi = state_.FreqHi;
    view_->SetPlot(draw::ResponsePlot(state_, page, ShownApprox(), options_, view));
    const bool poleZero = page == draw::GraphPage::PoleZero;
    listing_->setVisible(poleZero);
    if (poleZero) {
        QStringList lines;
        const int checked = CheckedApprox();
        if (checked >= 0)
            for (const std::string& line : PoleZeroListing(state_, checked)) lines << QString::fromStdString(line);
        listing_->setPlainText(lines.join('\n'));
    }
    unzoom_->setEnabled(!zoomStack_.empty());
}

void TfmGraph::RecomputeResponses() {
    WaitCursor wait;
    BuildFrequencyGrid(state_);
    for (int approx = 0; approx < kApproxCount; ++approx)
        if (IsUsable(state_, approx)) ComputeResponses(state_, approx);
}

void TfmGraph::SetFrequencyRange(long double lo, long double hi) {
    if (lo == state_.FreqLo && hi == state_.FreqHi) return;
    const long double oldLo = state_.FreqLo, oldHi = state_.FreqHi;
    state_.FreqLo = lo;
    state_.FreqHi = hi;
    try {
        RecomputeResponses();
    } catch (...) {
        state_.FreqLo = oldLo;
        state_.FreqHi = oldHi;
        RecomputeResponses();
        throw;
    }
}

void TfmGraph::Zoom(double xLo, double xHi, double yLo, double yHi) {
    Guarded([&] {
        const draw::GraphPage page = Page();
        zoomStack_.push_back({state_.FreqLo, state_.FreqHi, views_});
        try {
            if (draw::IsFrequencyPage(page)) SetFrequencyRange(xLo, xHi);
        } catch (...) {
            zoomStack_.pop_back();
            throw;
        }
        views_[static_cast<int>(page)] = draw::ViewRange{xLo, xHi, yLo, yHi};
        UpdatePlot();
    });
}

void TfmGraph::Unzoom() {
    Guarded([&] {
        if (zoomStack_.empty()) return;
        const ZoomState previous = zoomStack_.back();
        zoomStack_.pop_back();
        views_ = previous.views;
        SetFrequencyRange(previous.freqLo, previous.freqHi);
        UpdatePlot();
    });
}

void TfmGraph::ApplyAxes() {
    const TfmAxes::Choice c = axes_->Chosen();
    options_ = c.options;
    state_.DbDisplay = c.dbDisplay;
    const bool gridChanged = c.logFrequency != state_.LogFrequencyAxis;
    state_.LogFrequencyAxis = c.logFrequency;
    zoomStack_.clear();
    views_.fill(std::nullopt);
    if (c.freqLo != state_.FreqLo || c.freqHi != state_.FreqHi)
        SetFrequencyRange(c.freqLo, c.freqHi);
    else if (gridChanged)  // the same range on the other kind of axis
        RecomputeResponses();
    UpdatePlot();
}

QImage TfmGraph::Picture() const { return view_->Picture(); }

void TfmGraph::closeEvent(QCloseEvent* event) {
    event->ignore();
    emit closeClicked();
}

}  // namespace tavrel::ui
