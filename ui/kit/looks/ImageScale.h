#pragma once

#include <QPixmap>
#include <QRectF>
#include <QSizeF>

namespace ui {

// A copy of the picture at the target size, or, proportionally, at the largest size that keeps
// its aspect and fits the target (scaling up as well as down). A null picture gives null.
QPixmap scaleImage(const QPixmap& image, const QSizeF& toSize, bool proportionally);

// Where a picture of that size is drawn in an area: at its own size, shrunk to fit (keeping
// its aspect) when it is larger, and centred.
QRectF centredFit(const QSizeF& picture, const QRectF& area);

}  // namespace ui
