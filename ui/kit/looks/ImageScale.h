#pragma once

#include <QPixmap>
#include <QSizeF>

namespace ui {

// A copy of the picture at the target size, or, proportionally, at the largest size that keeps
// its aspect and fits the target (scaling up as well as down). A null picture gives null.
QPixmap scaleImage(const QPixmap& image, const QSizeF& toSize, bool proportionally);

}  // namespace ui
