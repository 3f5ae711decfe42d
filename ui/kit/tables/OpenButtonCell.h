#pragma once

#include "ui/kit/tables/FlatItemDelegate.h"

namespace ui {

// A column of row buttons (the junk outline's open button, the uninstaller's row button): the
// row's picture (the model's decoration) drawn 16 by 16 in the middle of the cell. The list
// reports the click on it with the clicked row.
class OpenButtonCell : public FlatItemDelegate {
    Q_OBJECT
public:
    explicit OpenButtonCell(QObject* parent = nullptr) : FlatItemDelegate(parent) {}

    static QRectF imageRect(const QRectF& cell);
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace ui
