#include "ui/shell/LeftCellView.h"

#include "ui/shell/MouseEvent.h"

#include <QMouseEvent>

namespace ui {

LeftCellView::LeftCellView(QWidget* parent) : QWidget(parent) {}

void LeftCellView::setItem(LeftCellItem* item) { dictItem = item; }

void LeftCellView::setDelegate(MouseEvent* newDelegate) { delegate = newDelegate; }

void LeftCellView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    if (delegate) delegate->mouseDown(dictItem);
}

}  // namespace ui
