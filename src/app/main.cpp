#include <QApplication>
#include <QDir>
#include <QTextStream>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/design_export.h"
#include "app/screenshot_tour.h"
#include "io/program_arguments.h"
#include "io/settings_file.h"
#include "io/user_directories.h"
#include "ui/guarded_application.h"
#include "ui/settings_session.h"
#include "ui/tfm_main.h"

namespace {

// Qt aborts when it cannot reach a display; say what to do instead.
bool DisplayAvailable(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--screenshots") == 0 ||
            std::strcmp(argv[i], "--export") == 0)
            return true;
    for (const char* variable : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(variable);
        if (value && *value) return true;
    }
    return false;
}

std::vector<std::string> ArgumentsAfterName(int argc, char** argv) {
    return std::vector<std::string>(argv + 1, argv + argc);
}

// 0 after --help, 1 after a refused command line; nothing when the program goes on.
std::optional<int> AnswerWithoutWindow(const tavrel::ProgramArgumentsResult& read) {
    if (!read.error.empty()) {
        QTextStream err(stderr);
        err << "tavrel: " << QString::fromStdString(read.error) << "\n";
        for (const std::string& line : tavrel::ProgramUsage()) err << QString::fromStdString(line) << "\n";
        return 1;
    }
    if (read.arguments.help) {
        QTextStream out(stdout);
        for (const std::string& line : tavrel::ProgramUsage()) out << QString::fromStdString(line) << "\n";
        return 0;
    }
    return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
    if (!DisplayAvailable(argc, argv)) {
        // Without a display the toolkit cannot take its own options out of the command line, so
        // only --help is answered here.
        const auto read = tavrel::ReadProgramArguments(ArgumentsAfterName(argc, argv));
        if (read.arguments.help) return *AnswerWithoutWindow({read.arguments, ""});
        QTextStream(stderr) << "tavrel: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set).\n"
                               "Start it from a desktop session, over 'ssh -X', or under a virtual display\n"
                               "such as 'xvfb-run tavrel'. To take pictures of all windows without a display:\n"
                               "  tavrel --screenshots FOLDER\n";
        return 2;
    }
    // Pictures need no display: choose the offscreen platform before the application starts.
    for (int i = 1; i + 1 < argc; ++i)
        if ((std::strcmp(argv[i], "--screenshots") == 0 || std::strcmp(argv[i], "--export") == 0) &&
            !std::getenv("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");

    tavrel::ui::GuardedApplication app(argc, argv);
    const tavrel::ProgramArgumentsResult read = tavrel::ReadProgramArguments(ArgumentsAfterName(argc, argv));
    if (const auto answer = AnswerWithoutWindow(read)) return *answer;
    const QString screenshots = QString::fromStdString(read.arguments.screenshots.value_or(""));
    QApplication::setApplicationName("Tavrel");
    const tavrel::CalcEnvironment environment{
        QDir(QCoreApplication::applicationDirPath()).filePath("BessRoot.dat").toStdString()};
    if (!screenshots.isEmpty()) return tavrel::app::RunScreenshotTour(environment, screenshots);
    if (read.arguments.exportFolder) {
        const bool both = !read.arguments.svg && !read.arguments.png;
        return tavrel::app::ExportDesign(QString::fromStdString(*read.arguments.exportFolder),
                                         QString::fromStdString(*read.arguments.exportFile),
                                         {both || read.arguments.svg, both || read.arguments.png});
    }

    const std::filesystem::path programDirectory = QCoreApplication::applicationDirPath().toStdString();
    tavrel::ui::TfmMain window(environment);
    window.UseInventoryFile(tavrel::InventoryFilePath(programDirectory, tavrel::DataDirectory()));
    const tavrel::ui::SettingsSession settings(
        window, tavrel::PrepareSettingsFile(tavrel::ConfigDirectory(), programDirectory / tavrel::kSettingsFileName));
    window.show();
    return QApplication::exec();
}
