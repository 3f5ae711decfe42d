#include "ui/disks/TextFiledBgView.h"

#include "ui/kit/looks/Colors.h"

#include <QPainter>

namespace ui {

TextFiledBgView::TextFiledBgView(QWidget* parent) : QWidget(parent) {}

void TextFiledBgView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(getColor(228, 229, 237, 0.8));
    painter.drawRoundedRect(rect(), 2, 2);
}

}  // namespace ui
