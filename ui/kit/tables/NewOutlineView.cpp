#include "ui/kit/tables/NewOutlineView.h"

#include "ui/kit/tables/NewOutlineViewDelegate.h"
#include "ui/kit/tables/RowFill.h"

#include <QMouseEvent>

namespace ui {

NewOutlineView::NewOutlineView(QWidget* parent) : FlatOutlineView(parent) {
    setContextMenuPolicy(Qt::PreventContextMenu);
}

QColor NewOutlineView::rowColor(const QModelIndex& item) const {
    return isMarkedRow(item) ? markedRowColor() : rowGroundColor();
}

void NewOutlineView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) return;
    FlatOutlineView::mousePressEvent(event);
}

void NewOutlineView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::RightButton) {
        FlatOutlineView::mouseReleaseEvent(event);
        return;
    }
    if (rightClickDelegate) rightClickDelegate->listRightMouseDown(event);
}

}  // namespace ui
