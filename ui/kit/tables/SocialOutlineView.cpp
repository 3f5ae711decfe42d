#include "ui/kit/tables/SocialOutlineView.h"

#include "ui/kit/looks/Colors.h"
#include "ui/kit/tables/RowFill.h"

namespace ui {

SocialOutlineView::SocialOutlineView(QWidget* parent) : FlatOutlineView(parent) { redrawsOnSelectionChange = true; }

void SocialOutlineView::setRowNum(int row) {
    FlatOutlineView::setRowNum(row);
    viewport()->update();
}

QColor SocialOutlineView::rowColor(const QModelIndex& item) const {
    return isMarkedRow(item) ? getColor(237, 237, 237, 1) : rowGroundColor();
}

}  // namespace ui
