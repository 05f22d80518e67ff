#pragma once
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>
#include <initializer_list>

namespace tavrel::ui {

// A push button with the object name tests and the tour find it by.
inline QPushButton* NamedButton(QWidget* parent, const QString& caption, const char* name) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

// Esc closes a tool window, as it closes a dialog.
inline void CloseOnEscape(QWidget* window) {
    auto* escape = new QShortcut(QKeySequence::Cancel, window);
    QObject::connect(escape, &QShortcut::activated, window, &QWidget::close);
}

// A titled group of buttons, one under the other; `extra` (if any) comes last.
inline QGroupBox* ButtonGroupBox(QWidget* parent, const QString& title, std::initializer_list<QPushButton*> buttons,
                                 QWidget* extra = nullptr) {
    auto* box = new QGroupBox(title, parent);
    auto* layout = new QVBoxLayout(box);
    for (QPushButton* b : buttons) layout->addWidget(b);
    if (extra) layout->addWidget(extra);
    return box;
}

// A caption above a list.
inline QVBoxLayout* CaptionedColumn(QWidget* parent, const QString& caption, QWidget* list) {
    auto* layout = new QVBoxLayout;
    layout->addWidget(new QLabel(caption, parent));
    layout->addWidget(list, 1);
    return layout;
}

// The bottom row of a wizard window: `left` (a check box) and the buttons on the right.
inline QHBoxLayout* WizardButtonRow(QWidget* left, std::initializer_list<QPushButton*> buttons) {
    auto* row = new QHBoxLayout;
    row->addWidget(left);
    row->addStretch(1);
    for (QPushButton* b : buttons) row->addWidget(b);
    return row;
}

}  // namespace tavrel::ui
