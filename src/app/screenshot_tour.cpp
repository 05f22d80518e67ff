#include "app/screenshot_tour.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTextStream>

#include "ui/graph_view.h"
#include "ui/messages.h"
#include "ui/column_list.h"
#include "ui/tfm_axes.h"
#include "ui/tfm_blocks.h"
#include "ui/tfm_cascade.h"
#include "ui/tfm_criteria.h"
#include "ui/tfm_db_conv.h"
#include "ui/tfm_graph.h"
#include "ui/tfm_help.h"
#include "ui/tfm_invent.h"
#include "ui/tfm_main.h"
#include "ui/tfm_pairs.h"
#include "ui/tfm_par_ent.h"
#include "ui/tfm_point_calc.h"
#include "ui/tfm_resist.h"
#include "ui/tfm_transfer.h"

namespace tavrel::app {

namespace {

using ui::MessageAnswer;
using ui::MessageButtons;
using ui::MessageIcon;

constexpr const char* kKindFiles[4] = {"lowpass", "highpass", "bandpass", "bandstop"};
constexpr const char* kPageFiles[6] = {"gain", "phase", "delay", "step", "impulse", "polezero"};

class Tour {
public:
    explicit Tour(const QString& folder) : dir_(folder) {}

    bool Save(QWidget* window, const QString& name) {
        window->show();
        QApplication::processEvents();
        const QString path = dir_.filePath(name + ".png");
        const bool saved = window->grab().save(path);
        QTextStream(stdout) << (saved ? "saved " : "FAILED ") << path << "\n";
        ok_ = ok_ && saved;
        return saved;
    }
    bool Ok() const { return ok_; }

private:
    QDir dir_;
    bool ok_ = true;
};

// Answers every box with its first button and keeps a picture of it.
class PicturedMessages : public ui::MessageService {
public:
    explicit PicturedMessages(Tour& tour) : tour_(tour) {}
    MessageAnswer Show(MessageIcon icon, const QString& text, MessageButtons buttons) override {
        QMessageBox box;
        box.setWindowTitle("Tavrel");
        box.setText(text);
        box.setIcon(icon == MessageIcon::Warning       ? QMessageBox::Warning
                    : icon == MessageIcon::Error       ? QMessageBox::Critical
                    : icon == MessageIcon::Information ? QMessageBox::Information
                                                       : QMessageBox::Question);
        box.setStandardButtons(buttons == MessageButtons::Ok         ? QMessageBox::Ok
                               : buttons == MessageButtons::OkCancel ? QMessageBox::Ok | QMessageBox::Cancel
                                                                     : QMessageBox::Yes | QMessageBox::No |
                                                                           QMessageBox::Cancel);
        tour_.Save(&box, QString("message_%1").arg(++count_));
        return buttons == MessageButtons::YesNoCancel ? MessageAnswer::No : MessageAnswer::Ok;
    }

private:
    Tour& tour_;
    int count_ = 0;
};

void Click(QWidget* window, const char* name) { window->findChild<QPushButton*>(name)->click(); }

// Automatic pairing and cascading from the approximation page, the transfer functions,
// the criteria and the building blocks.
void TourAutomaticStages(Tour& tour, ui::TfmMain& main, const QString& k) {
    Click(main.Graph(), "next");
    tour.Save(&main, k + "_6_stages_formed");
    ui::TfmTransfer* transfer = main.Transfer();
    main.Command("Show transfer function")->trigger();
    tour.Save(transfer, k + "_7_transfer_hz");
    Click(transfer, "radians");
    tour.Save(transfer, k + "_8_transfer_rads");
    transfer->hide();
    main.Command("Stage cascading criteria")->trigger();
    tour.Save(main.Criteria(), "cascading_criteria");
    main.Criteria()->reject();
    ui::TfmBlocks* blocks = main.Blocks();
    main.Command("The building blocks")->trigger();
    blocks->resize(760, 420);
    for (const char* type : {"lowpass", "bandpass", "lowpassNotch", "highpassNotch", "notch"}) {
        blocks->findChild<QRadioButton*>(type)->click();
        tour.Save(blocks, QString("building_blocks_") + type);
    }
    blocks->findChild<QRadioButton*>("first")->click();
    blocks->findChild<QRadioButton*>("highpass")->click();
    tour.Save(blocks, "building_blocks_first_highpass");
    blocks->hide();
}

// The pairing and cascading pages of an elliptic design, joined by hand.
void TourInteractiveStages(Tour& tour, ui::TfmMain& main, const QString& k) {
    main.Command("Pairing User-interactive")->trigger();
    main.Command("Cascading User-interactive")->trigger();
    main.Graph()->findChild<QRadioButton*>("approx3")->click();
    Click(main.Graph(), "next");
    ui::TfmPairs* pairs = main.Pairs();
    tour.Save(&main, k + "_6_pairing");
    pairs->Poles()->topLevelItem(0)->setSelected(true);
    pairs->Zeros()->topLevelItem(0)->setSelected(true);
    Click(pairs, "add");
    tour.Save(&main, k + "_7_pairing_joined");
    Click(pairs, "next");  // not complete yet: the message is pictured
    Click(pairs, "autoAddAll");
    tour.Save(&main, k + "_8_pairing_all");
    Click(pairs, "next");
    ui::TfmCascade* cascade = main.Cascade();
    tour.Save(&main, k + "_9_cascading");
    cascade->Pairs()->SelectRow(1);
    Click(cascade, "down");
    tour.Save(&main, k + "_10_cascading_moved");
    main.Command("Show transfer function")->trigger();
    tour.Save(main.Transfer(), k + "_11_transfer_hz");
    main.Transfer()->hide();
    main.Command("Pairing Automatic")->trigger();
    main.Command("Cascading Automatic")->trigger();
}

// The mends of the specification page: converted entries in rad/s, a refused entry framed,
// and a specification whose approximations come out below order 1 (nothing to go on with).
void TourSpecificationMends(Tour& tour, ui::TfmMain& main) {
    main.StartDesign(FilterKind::Lowpass);
    main.Command("rad/s")->trigger();
    tour.Save(&main, "lowpass_units_rads");
    main.Command("Hz")->trigger();
    auto* f2 = main.ParEnt()->findChild<QLineEdit*>("f2");
    f2->setText("2 k");
    main.ParEnt()->Calculate();
    main.ParEnt()->findChild<QLineEdit*>("apb")->setFocus();
    tour.Save(&main, "specification_refused_entry");
    f2->setText("2");
    main.ParEnt()->findChild<QLineEdit*>("apb")->setText("40");
    main.ParEnt()->Calculate();
    tour.Save(&main, "specification_asking_for_no_filter");
    main.CloseDesign();
}

// The standard resistance values and the inventory windows: the resistors of 5 % as they come,
// then with a narrower range, a few values taken out and the in-between column cleared.
void TourComponentValues(Tour& tour, ui::TfmMain& main) {
    main.Command("Resistor values")->trigger();
    for (const char* series : {"e96", "e24", "e12"}) {
        Click(main.Resist(), series);
        tour.Save(main.Resist(), QString("standard_values_") + series);
    }
    main.Resist()->hide();
    ui::TfmInvent* invent = main.Invent();
    main.Command("5 percent")->trigger();
    tour.Save(invent, "inventory_resistors_5");
    invent->findChild<QComboBox*>("rangeMin")->setCurrentIndex(2);
    invent->findChild<QComboBox*>("rangeEnd")->setCurrentIndex(5);
    for (int row : {1, 3, 4}) invent->ToggleCell(row, 2);
    invent->findChild<QCheckBox*>("column1")->setChecked(false);
    Click(invent, "unmarkAll");
    tour.Save(invent, "inventory_resistors_5_edited");
    invent->reject();
    main.Command("1 percent")->trigger();
    tour.Save(invent, "inventory_resistors_1");
    invent->reject();
    main.Command("Capacitor Edit")->trigger();
    tour.Save(invent, "inventory_capacitors");
    invent->reject();
}

}  // namespace

int RunScreenshotTour(const CalcEnvironment& environment, const QString& folder) {
    if (!QDir().mkpath(folder)) {
        QTextStream(stderr) << "cannot create " << folder << "\n";
        return 1;
    }
    Tour tour(folder);
    PicturedMessages messages(tour);
    ui::SetMessageService(&messages);
    {
        ui::TfmMain main(environment);
        // The size the window opens with on a desktop, whatever the screen of the platform.
        main.resize(ui::TfmMain::PreferredSize());
        main.show();
        tour.Save(&main, "main_window");
        for (int kind = 0; kind < 4; ++kind) {
            const QString k = kKindFiles[kind];
            main.StartDesign(static_cast<FilterKind>(kind));
            ui::TfmParEnt* spec = main.ParEnt();
            tour.Save(&main, k + "_1_specification");
            spec->Calculate();
            tour.Save(&main, k + "_2_results");
            Click(spec, "next");
            ui::TfmGraph* graph = main.Graph();
            for (int page = 0; page < 6; ++page) {
                graph->SetPage(static_cast<draw::GraphPage>(page));
                tour.Save(&main, k + "_3_graph_" + kPageFiles[page]);
            }
            if (kind == 0) {
                graph->SetPage(draw::GraphPage::Gain);
                graph->findChild<QWidget*>("viewSingle")->setProperty("checked", true);
                tour.Save(&main, k + "_4_graph_single");
                graph->findChild<QWidget*>("viewAll")->setProperty("checked", true);
                const auto& plot = graph->View()->Plot();
                graph->Zoom(plot.xLo * 5, plot.xLo * 30, -5, 1);
                tour.Save(&main, k + "_5_graph_zoomed");
                graph->Unzoom();
                Click(graph, "configureAxes");
                tour.Save(graph->findChild<ui::TfmAxes*>(), "configure_axes");
                graph->findChild<ui::TfmAxes*>()->reject();
                Click(graph, "pointCalculator");
                auto* calculator = graph->findChild<ui::TfmPointCalc*>();
                calculator->Calculate();
                tour.Save(calculator, "point_calculator");
                calculator->hide();
                TourAutomaticStages(tour, main, k);
            }
            if (kind == 3) TourInteractiveStages(tour, main, k);
            main.CloseDesign();
        }
        TourSpecificationMends(tour, main);
        main.DbConv()->Open();
        tour.Save(main.DbConv(), "db_converter");
        TourComponentValues(tour, main);
        main.Help()->Open();
        tour.Save(main.Help(), "help");
        main.Command("About Tavrel")->trigger();
    }
    ui::SetMessageService(nullptr);
    return tour.Ok() ? 0 : 1;
}

}  // namespace tavrel::app
