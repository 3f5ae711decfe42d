#include "ui/kit/SocialOutlineView.h"

#include "ui/kit/Colors.h"
#include "ui/kit/RowFill.h"

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
