#include "ui/disks/PopBgView.h"

#include "ui/kit/looks/Colors.h"

#include <QPainter>

namespace ui {

PopBgView::PopBgView(QWidget* parent) : QWidget(parent) {}

void PopBgView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(getColor(255, 255, 255, 0.8), 1));
    painter.setBrush(getColor(249, 249, 249, 1));
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 10, 10);
}

}  // namespace ui
