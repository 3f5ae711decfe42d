#include "ui/kit/NSProgressBar.h"

#include "ui/kit/Colors.h"

#include <QLinearGradient>
#include <QPainter>

namespace ui {

namespace {
constexpr qreal kCornerRadius = 2.0;
}

NSProgressBar::NSProgressBar(QWidget* parent) : QWidget(parent) {}

void NSProgressBar::paintEvent(QPaintEvent*) {
    if (width() <= 0) return;
    QLinearGradient gradient(0, 0, width(), 0);
    gradient.setColorAt(0, getColor(119, 199, 66, 1));
    gradient.setColorAt(1, getColor(58, 181, 73, 1));
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(gradient);
    painter.drawRoundedRect(QRectF(rect()), kCornerRadius, kCornerRadius);
}

}  // namespace ui
