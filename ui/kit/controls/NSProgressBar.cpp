#include "ui/kit/controls/NSProgressBar.h"

#include "ui/kit/looks/Colors.h"
#include "ui/kit/windows/RoundedFill.h"

#include <QLinearGradient>

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
    fillRoundedRect(this, QRectF(rect()), kCornerRadius, gradient);
}

}  // namespace ui
