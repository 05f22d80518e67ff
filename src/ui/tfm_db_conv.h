#pragma once
#include <QWidget>

#include "core/db_converter.h"

class QLineEdit;

namespace tavrel::ui {

// The dB <-> V/V converter of the Tools menu.
class TfmDbConv : public QWidget {
    Q_OBJECT
public:
    explicit TfmDbConv(QWidget* parent = nullptr);
    void Open();

public slots:
    void ToVoltsPerVolt();
    void ToDb();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Show(const std::optional<std::string>& message);

    DbConverter converter_;
    QLineEdit* box_;
};

}  // namespace tavrel::ui
