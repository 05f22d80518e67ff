#include <QApplication>
#include <QDir>
#include <QTextStream>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "app/screenshot_tour.h"
#include "io/settings_file.h"
#include "io/user_directories.h"
#include "ui/guarded_application.h"
#include "ui/settings_session.h"
#include "ui/tfm_main.h"

namespace {

// Qt aborts when it cannot reach a display; say what to do instead.
bool DisplayAvailable(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--screenshots") == 0) return true;
    for (const char* variable : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(variable);
        if (value && *value) return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (!DisplayAvailable(argc, argv)) {
        QTextStream(stderr) << "tavrel: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set).\n"
                               "Start it from a desktop session, over 'ssh -X', or under a virtual display\n"
                               "such as 'xvfb-run tavrel'. To take pictures of all windows without a display:\n"
                               "  tavrel --screenshots FOLDER\n";
        return 2;
    }
    QString screenshots;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--screenshots") == 0) screenshots = QString::fromLocal8Bit(argv[i + 1]);
    if (!screenshots.isEmpty() && !std::getenv("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");

    tavrel::ui::GuardedApplication app(argc, argv);
    QApplication::setApplicationName("Tavrel");
    const tavrel::CalcEnvironment environment{
        QDir(QCoreApplication::applicationDirPath()).filePath("BessRoot.dat").toStdString()};
    if (!screenshots.isEmpty()) return tavrel::app::RunScreenshotTour(environment, screenshots);

    const std::filesystem::path programDirectory = QCoreApplication::applicationDirPath().toStdString();
    tavrel::ui::TfmMain window(environment);
    window.UseInventoryFile(tavrel::InventoryFilePath(programDirectory, tavrel::DataDirectory()));
    const tavrel::ui::SettingsSession settings(
        window, tavrel::PrepareSettingsFile(tavrel::ConfigDirectory(), programDirectory / tavrel::kSettingsFileName));
    window.show();
    return QApplication::exec();
}
