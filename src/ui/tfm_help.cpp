#include "ui/tfm_help.h"

#include <QTextBrowser>
#include <QVBoxLayout>

#include "ui/window_parts.h"

namespace tavrel::ui {

namespace {

const char* const kHelpText = R"(
<h2><a name="contents"></a>Tavrel help</h2>
<p>Tavrel designs active analog filters built from operational amplifiers, resistors and
capacitors. A design moves through a row of steps, each with <b>Back</b> and <b>Next</b>:</p>
<ol>
<li><a href="#specification">Specification</a>: what the filter must do.</li>
<li><a href="#approximation">Approximation</a>: compare the five classical approximations and choose one.</li>
<li><a href="#pairing">Pole-zero pairing</a>: group the poles and zeros into stages.</li>
<li><a href="#cascading">Stage cascading</a>: put the stages in order.</li>
</ol>
<p>The steps are pages of the one window; the row above the page shows the step the design is
at, the steps it has reached and those it passes automatically. Circuit selection, component
calculation and final responses follow the cascading.</p>
<p>Start a design with <b>Start Design</b> (menu or toolbar): lowpass, highpass, bandpass or bandstop;
<b>Ctrl+N</b> starts a new design of the kind started last.</p>
<h3>Keyboard</h3>
<p><b>Alt+Right</b> and <b>Alt+Left</b> go to the next and the previous step; <b>Enter</b> presses
the highlighted button of the page (Calculate, then Next); <b>Esc</b> closes a dialog;
<b>F1</b> opens this help; <b>Ctrl+W</b> closes the design and <b>Ctrl+Q</b> leaves the program.</p>

<h3><a name="specification"></a>The specification page</h3>
<p>Enter the passband attenuation <i>Apb</i> (the largest loss allowed in the passband, in dB),
the stopband attenuation <i>Asb</i> (the smallest loss required in the stopband), the band edges
and the overall gain. Lowpass and highpass designs take a passband and a stopband frequency;
bandpass and bandstop designs take the passband and stopband bandwidths and the center
frequency. Each frequency has its own unit box; the Options menu switches between Hz and rad/s.</p>
<p><b>Force Filter Order</b> fixes the order instead of estimating it; the stopband entries are
then not used. Bandpass and bandstop orders must be even; the highest order is 20.</p>
<p><b>Calculate</b> checks the entries, estimates the order each approximation needs and
computes them all. Numbers may carry an engineering prefix: 2k, 4.7n, 10m, 1M. A refused
entry is named in a message, gets the focus and stays framed in red until it is edited;
nothing is computed then. Switching between Hz and rad/s rewrites the frequencies so that
the filter stays the same (1 kHz becomes 6.2832 krad/s). The <i>Calculation results</i> tab shows the orders, stages, ripple, pole and
zero counts and the largest pole Q of each approximation. An approximation whose order
exceeds 20, whose order comes out below 1 or whose largest pole Q exceeds 300 cannot be
chosen. <b>Next</b> opens the
approximation page.</p>

<h3><a name="approximation"></a>The approximation page</h3>
<p>The radio buttons choose the approximation; each shows its order N. The pages show gain,
phase, group delay, step and impulse responses and the pole-zero plot with a listing of the
poles and zeros. <b>View all</b> draws every usable approximation, <b>View single</b> only the
chosen one.</p>
<p>To zoom, draw a rectangle from its upper left to its lower right corner with the left mouse
button held down. <b>Unzoom</b> (or the right mouse button) goes back one zoom step.
<b>Configure Axes</b> sets the frequency range, logarithmic or linear frequency axis, dB or V/V
gain axis, grid lines and the 3 dB line. The <b>Point Calculator</b> gives the exact
responses at one frequency and one time.</p>

<h3><a name="pairing"></a>Pole-zero pairing</h3>
<p>Every complex pole pair and every real pole becomes a first- or second-order stage; each
stage takes at most one zero pair or two single zeros, and two real poles may share a stage.
With <b>Options &gt; Pole-zero pairing &gt; Automatic</b> this is done without the page: every
pole, highest Q first, takes the nearest free zero. On the pairing page select poles and
zeros and press <b>Add</b>; <b>Auto Add All</b> pairs everything automatically, <b>Undo</b>
dissolves the selected stage and <b>Undo All</b> starts again. <b>Next</b> needs every pole and
zero to be part of a stage. Help &gt; The building blocks shows the eight kinds of stage.</p>

<h3><a name="cascading"></a>Stage cascading</h3>
<p>The order of the stages decides how flat the response is from the input to each stage
output; the flatness column gives the ratio of its largest to its smallest value in the
passband. <b>Up</b> and <b>Down</b> move the selected stage, <b>Cascade</b> orders all stages
automatically by the <b>Criteria</b>: preferred types for the first and the last stage by
priority, then the others by increasing Qp or by maximum flatness. Options &gt; Show transfer
function lists the coefficients of every stage.</p>

<h3><a name="tools"></a>Tools</h3>
<p><b>dB&lt;--&gt;V/V</b> converts a gain between decibels and volts per volt.</p>

<h3><a name="errors"></a>Messages</h3>
<p>When a number is too large for the calculation, the program says so and ends with
"Try using smaller numbers."; the results of the previous calculation stay.</p>
)";

}  // namespace

TfmHelp::TfmHelp(QWidget* parent) : QWidget(parent, Qt::Window) {
    CloseOnEscape(this);
    setObjectName("TfmHelp");
    setWindowTitle("Tavrel Help");
    browser_ = new QTextBrowser(this);
    browser_->setHtml(kHelpText);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(browser_);
    resize(560, 520);
}

void TfmHelp::Open(const QString& section) {
    browser_->scrollToAnchor(section);
    show();
    raise();
}

QString TfmHelp::Text() const { return browser_->toPlainText(); }

QString AboutText() {
    return "Tavrel 3.0\n\nDesign of active analog filters with operational amplifiers, resistors and "
           "capacitors: five classical approximations, their ideal responses and, in later steps, "
           "the circuits that realize them.";
}

}  // namespace tavrel::ui
