#include "ui/kit/controls/SortSelectBgView.h"

#include "ui/kit/looks/Colors.h"

#include <QMouseEvent>
#include <QPainter>

namespace ui {

SortSelectBgView::SortSelectBgView(QWidget* parent) : QWidget(parent) {}

void SortSelectBgView::enterEvent(QEnterEvent*) {
    _isMouseIn = true;
    update();
}

void SortSelectBgView::leaveEvent(QEvent*) {
    _isMouseIn = false;
    update();
}

void SortSelectBgView::paintEvent(QPaintEvent*) {
    if (!_isMouseIn) return;
    QPainter painter(this);
    painter.fillRect(rect(), getColor(10, 132, 255, 1));
}

void SortSelectBgView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    event->accept();
    if (_delegate) _delegate->selectSortType(this);
}

}  // namespace ui
