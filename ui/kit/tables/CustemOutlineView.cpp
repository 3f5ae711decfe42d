#include "ui/kit/tables/CustemOutlineView.h"

#include "ui/kit/looks/Colors.h"
#include "ui/kit/tables/RowFill.h"

#include <QItemSelectionModel>

namespace ui {

CustemOutlineView::CustemOutlineView(QWidget* parent) : FlatOutlineView(parent) { redrawsOnSelectionChange = true; }

QColor CustemOutlineView::rowColor(const QModelIndex& item) const {
    const bool selected = selectionModel() && selectionModel()->isRowSelected(item.row(), item.parent());
    return selected ? getColor(61, 142, 237, 1) : rowGroundColor();
}

}  // namespace ui
