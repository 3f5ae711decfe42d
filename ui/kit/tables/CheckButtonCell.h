#pragma once

#include "ui/kit/tables/FlatItemDelegate.h"

namespace ui {

class CheckButtonCellDelegate;

// The check-box column's cell: the row's check picture (the model's decoration, set by the page)
// drawn 16 by 16 near the list's left edge, and clicks on a 20 by 20 spot around it reported to
// the delegate. Positions count from the list's own left edge, wherever the column sits. At most
// one click is reported per 0.2 s across every check cell of the process, so a double click or a
// click that reaches two lists ticks once.
class CheckButtonCell : public FlatItemDelegate {
    Q_OBJECT
public:
    explicit CheckButtonCell(QObject* parent = nullptr);

    CheckButtonCellDelegate* delegate() const { return clickDelegate; }
    void setDelegate(CheckButtonCellDelegate* delegate) { clickDelegate = delegate; }
    // The chat-application outline's layout: the picture sits 4 points further left.
    bool isQQ() const { return qqLayout; }
    void setIsQQ(bool isQQ) { qqLayout = isQQ; }

    // Where the picture and the clickable spot lie for a cell, in the list's viewport.
    QRectF imageRect(const QStyleOptionViewItem& option) const;
    static QRectF hotRect(const QStyleOptionViewItem& option);

    // Ends the quiet time after a reported click.
    static void changeVlaue();

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

protected:
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;

private:
    void hitTestForEvent(const QPointF& position, const QStyleOptionViewItem& option, const QModelIndex& index);

    CheckButtonCellDelegate* clickDelegate = nullptr;
    bool qqLayout = false;
};

}  // namespace ui
