#pragma once
#include <QObject>
#include <filesystem>
#include <optional>

#include "io/profile_text.h"
#include "io/settings_file.h"

namespace tavrel::ui {

class TfmMain;

// The settings file of one run of the program: read once when the main window is made, its
// options put into the design and onto the menus, and written once when the window closes (not
// when the close is cancelled at the save question). A settings file that cannot be used (no
// configuration folder, or a file that cannot be read) leaves the program on its defaults; the
// user is told once, and the file is left as it is.
class SettingsSession : public QObject {
    Q_OBJECT
public:
    // file: the settings file, or nothing when no configuration folder could be found or made.
    SettingsSession(TfmMain& main, std::optional<std::filesystem::path> file);

    const Settings& Current() const { return settings_; }

private:
    void Write();

    TfmMain& main_;
    std::optional<std::filesystem::path> file_;
    ProfileText text_;
    Settings settings_;
    bool keep_ = false;  // the file was read and is written back at exit
};

}  // namespace tavrel::ui
