#pragma once
#include <QIcon>
#include <QString>

#include "core/design_state.h"

namespace tavrel::ui {

// The toolbar pictures: the magnitude shape of each filter kind, and short words.
QIcon KindGlyph(FilterKind kind);
QIcon TextGlyph(const QString& text);

}  // namespace tavrel::ui
