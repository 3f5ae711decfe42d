#pragma once

#include "ui/kit/tables/FlatItemDelegate.h"

namespace ui {

// The startup items' name cell: the row's icon (the model's decoration) drawn 22 by 22, 12 points
// in and centred on the row; the name (display text) at 12 points in grey 102 in a 200 by 18
// box and the path (kSecondaryTextRole) at 10 points in grey 150 in a 250 by 14 box below it,
// both a cell height plus 11 points from the cell's left edge and cut short at the end.
class StartItemImageAndTextCell : public FlatItemDelegate {
    Q_OBJECT
public:
    static constexpr int kSecondaryTextRole = Qt::UserRole + 1;

    explicit StartItemImageAndTextCell(QObject* parent = nullptr);

    static QRectF imageRect(const QRectF& cell);
    static QRectF primaryTextRect(const QRectF& cell);
    static QRectF secondaryTextRect(const QRectF& cell);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace ui
