#include "ui/panel/RoundedBlockView.h"

#include "ui/kit/looks/Colors.h"
#include "ui/kit/windows/RoundedFill.h"

#include <QPainter>

namespace ui {

RoundedBlockView::RoundedBlockView(qreal radius, const QColor& colour, QWidget* parent)
    : QWidget(parent), cornerRadius(radius), fill(colour) {}

QRectF RoundedBlockView::drawnArea() const { return QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5); }

void RoundedBlockView::paintEvent(QPaintEvent*) { fillRoundedRect(this, drawnArea(), cornerRadius, fill); }

StatusPopBgView::StatusPopBgView(QWidget* parent) : RoundedBlockView(15, getColor(253, 253, 253, 1), parent) {}

SubbgView::SubbgView(QWidget* parent) : RoundedBlockView(6, getColor(245, 245, 245, 1), parent) {}

SubBlowbgView::SubBlowbgView(QWidget* parent) : RoundedBlockView(10, getColor(245, 245, 245, 1), parent) {}

// Everything of the drawn area higher than 10 points above the view's bottom edge, filled
// square, leaves only the lower corners round.
void SubBlowbgView::paintEvent(QPaintEvent* event) {
    RoundedBlockView::paintEvent(event);
    QRectF top = drawnArea();
    top.setBottom(height() - 10.0);
    QPainter(this).fillRect(top, fill);
}

}  // namespace ui
