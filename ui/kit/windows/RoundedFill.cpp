#include "ui/kit/windows/RoundedFill.h"

#include <QPainter>

namespace ui {

void fillRoundedRect(QPaintDevice* device, const QRectF& rect, qreal radius, const QBrush& brush) {
    QPainter painter(device);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(brush);
    painter.drawRoundedRect(rect, radius, radius);
}

}  // namespace ui
