#pragma once

#include <QColor>

class QWidget;

namespace ui {

// A widget painted with a flat background colour of its own.
void fillBackground(QWidget* widget, const QColor& color);
// The colour of a label's (or any widget's) text.
void setTextColor(QWidget* widget, const QColor& color);

}  // namespace ui
