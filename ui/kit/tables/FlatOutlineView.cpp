#include "ui/kit/tables/FlatOutlineView.h"

#include "ui/kit/tables/FlatHeaderView.h"
#include "ui/kit/tables/FlatListLook.h"

#include <QPainter>

namespace ui {

FlatOutlineView::FlatOutlineView(QWidget* parent) : QTreeView(parent), flatHeader(new FlatHeaderView(this)) {
    setHeader(flatHeader);
    useFlatListLook(*this);
}

void FlatOutlineView::_setupHeaderCell() { flatHeader->setupHeaderCells(); }

int FlatOutlineView::rowForItem(const QModelIndex& item) const {
    if (!item.isValid() || item.model() != model()) return -1;
    for (QModelIndex ancestor = item.parent(); ancestor.isValid() && ancestor != rootIndex(); ancestor = ancestor.parent())
        if (!isExpanded(ancestor)) return -1;
    int row = -1;
    for (QModelIndex above = item.siblingAtColumn(0); above.isValid(); above = indexAbove(above)) ++row;
    return row;
}

QModelIndex FlatOutlineView::itemAtRow(int row) const {
    if (row < 0 || !model()) return QModelIndex();
    QModelIndex item = model()->index(0, 0, rootIndex());
    for (int shown = 0; shown < row && item.isValid(); ++shown) item = indexBelow(item);
    return item;
}

QModelIndexList FlatOutlineView::shownRows() const {
    QModelIndexList rows;
    const int bottom = viewport()->height();
    for (QModelIndex item = indexAt(QPoint(0, 0)); item.isValid() && visualRect(item).top() < bottom;
         item = indexBelow(item))
        rows.append(item.siblingAtColumn(0));
    return rows;
}

bool FlatOutlineView::isMarkedRow(const QModelIndex& item) const {
    return markedItem.isValid() && item.siblingAtColumn(0) == markedItem;
}

void FlatOutlineView::paintEvent(QPaintEvent* event) {
    markedItem = itemAtRow(markedRow);
    QTreeView::paintEvent(event);
}

void FlatOutlineView::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) {
    QTreeView::selectionChanged(selected, deselected);
    if (redrawsOnSelectionChange) viewport()->update();
}

void FlatOutlineView::drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    painter->fillRect(QRect(0, option.rect.y(), viewport()->width(), option.rect.height()), rowColor(index));
    QTreeView::drawRow(painter, option, index);
}

}  // namespace ui
