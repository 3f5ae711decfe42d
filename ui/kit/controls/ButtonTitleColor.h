#pragma once

#include <QColor>

class QAbstractButton;

namespace ui {

// Colours the whole title of a plain button.
void setTitleTextColor(QAbstractButton* button, const QColor& color);
// The title colour that plain buttons report: always white.
QColor titleTextColor(const QAbstractButton* button);

}  // namespace ui
