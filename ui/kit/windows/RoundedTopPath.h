#pragma once

#include <QPainterPath>
#include <QRectF>

namespace ui {

// The outline of a custom window and of its title bar: the two top corners rounded with the
// given radius, the bottom corners square.
QPainterPath roundedTopPath(const QRectF& rect, qreal radius);

}  // namespace ui
