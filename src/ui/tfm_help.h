#pragma once
#include <QWidget>

class QTextBrowser;

namespace tavrel::ui {

// The program's own short help.
class TfmHelp : public QWidget {
    Q_OBJECT
public:
    explicit TfmHelp(QWidget* parent = nullptr);
    // Shows the help at one of its sections ("contents", "specification", ...).
    void Open(const QString& section = "contents");
    QString Text() const;

private:
    QTextBrowser* browser_;
};

// The text of the About box.
QString AboutText();

}  // namespace tavrel::ui
