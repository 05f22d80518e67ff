#include "ui/settings_session.h"

#include "io/user_directories.h"
#include "ui/messages.h"
#include "ui/tfm_main.h"

namespace tavrel::ui {

SettingsSession::SettingsSession(TfmMain& main, std::optional<std::filesystem::path> file)
    : main_(main), file_(std::move(file)) {
    if (!file_) {
        ShowInformation(kNoConfigDirectoryMessage);
    } else {
        SettingsFileText read = ReadSettingsFile(*file_);
        if (read.problem) {
            ShowWarning(QString("The settings file %1 cannot be read (%2). Tavrel runs on its default settings and "
                                "leaves the file as it is.")
                            .arg(QString::fromStdString(file_->string()), QString::fromStdString(*read.problem)));
        } else {
            text_ = std::move(read.text);
            settings_ = ReadSettings(text_);
            keep_ = true;
        }
    }
    ApplySettings(settings_, main_.CurrentDesign());
    main_.ApplyOptions();
    main_.SetGeometry({settings_.MainLeft, settings_.MainTop, settings_.MainWidth, settings_.MainHeight,
                       settings_.MainMaximized});
    connect(&main_, &TfmMain::exitConfirmed, this, &SettingsSession::Write);
}

void SettingsSession::Write() {
    if (!keep_) return;
    const WindowGeometry geometry = main_.Geometry();
    settings_.MainLeft = geometry.x;
    settings_.MainTop = geometry.y;
    settings_.MainWidth = geometry.width;
    settings_.MainHeight = geometry.height;
    settings_.MainMaximized = geometry.maximized;
    TakeSettings(main_.CurrentDesign(), settings_);
    WriteSettings(settings_, text_);
    if (const auto error = WriteSettingsFile(*file_, text_))
        ShowWarning(QString("The settings were not kept: %1 (%2).")
                        .arg(QString::fromStdString(error->message), QString::fromStdString(error->reason)));
    // Written once: a second close event (the application quitting after the window) adds nothing.
    keep_ = false;
}

}  // namespace tavrel::ui
