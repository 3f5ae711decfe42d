#include "ui/shell/TopBgView.h"

#include "ui/kit/looks/Colors.h"
#include "ui/shell/ToolColumn.h"

#include <QPainter>
#include <QPainterPath>

namespace ui {
namespace {
constexpr qreal kCornerRadius = 10;
}  // namespace

TopBgView::TopBgView(QWidget* parent) : QWidget(parent) {}

void TopBgView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath outline;
    outline.addRoundedRect(rect(), kCornerRadius, kCornerRadius);
    QPainterPath column;
    column.addRect(QRectF(0, 0, kToolColumnWidth, height()));
    painter.fillPath(outline.intersected(column), getColor(244, 244, 244, 1));
    painter.fillPath(outline.subtracted(column), getColor(254, 253, 255, 1));
}

}  // namespace ui
