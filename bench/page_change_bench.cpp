// Changing the page of the main window, up to the window repainted: Next from the
// specification to the approximation page (which draws the gain curves of every usable
// approximation) and Back. Target: within one frame, 16 ms at 60 Hz.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QPushButton>

#include "core/bessel_prototype.h"
#include "ui/messages.h"
#include "ui/tfm_main.h"
#include "ui/tfm_par_ent.h"

namespace {

using namespace tavrel;

// The program's window after a Calculate of the default lowpass, on the specification page.
ui::TfmMain& Window() {
    static ui::TfmMain* window = [] {
        auto* w = new ui::TfmMain(CalcEnvironment{std::string(TAVREL_BIN_DIR) + "/" + kBesselTableName});
        w->resize(ui::TfmMain::PreferredSize());
        w->show();
        w->Command("Lowpass")->trigger();
        w->ParEnt()->findChild<QPushButton*>("calculate")->click();
        QApplication::processEvents();
        return w;
    }();
    return *window;
}

void Change(ui::TfmMain& window, const char* command) {
    window.Command(command)->trigger();
    window.repaint();
}

void NextToApproximation(benchmark::State& bench) {
    ui::TfmMain& window = Window();
    for (auto _ : bench) {
        Change(window, "Next");
        bench.PauseTiming();
        Change(window, "Back");
        bench.ResumeTiming();
    }
    if (window.CurrentPage() != WizardPage::Specification) bench.SkipWithError("not back on the specification page");
}

void BackToSpecification(benchmark::State& bench) {
    ui::TfmMain& window = Window();
    for (auto _ : bench) {
        bench.PauseTiming();
        Change(window, "Next");
        bench.ResumeTiming();
        Change(window, "Back");
    }
}

BENCHMARK(NextToApproximation)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BackToSpecification)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
