#pragma once

#include <QColor>

namespace ui {

// The ground of the lists' rows, and of the row that a list marks.
QColor rowGroundColor();
QColor markedRowColor();

}  // namespace ui
