#pragma once

#include <QBrush>
#include <QRectF>

class QPaintDevice;

namespace ui {

// Fills a rounded rectangle (the same radius both ways) antialiased, with no outline.
void fillRoundedRect(QPaintDevice* device, const QRectF& rect, qreal radius, const QBrush& brush);

}  // namespace ui
