#pragma once

#include "ui/kit/tables/FlatItemDelegate.h"

#include <QPersistentModelIndex>

#include <functional>

namespace ui {

// A row's push button drawn in its cell: the title (display text) on the secondary button's
// picture, dimmed when the row answers false to kUsableRole. A click (press and release on the
// button of one row) is reported with the index of the row clicked, whichever row is selected.
class RemoveButtonCell : public FlatItemDelegate {
    Q_OBJECT
public:
    static constexpr int kUsableRole = Qt::UserRole + 2;
    static constexpr qreal kButtonWidth = 64;
    static constexpr qreal kButtonHeight = 24;

    explicit RemoveButtonCell(std::function<void(const QModelIndex&)> clicked, QObject* parent = nullptr);

    static QRectF buttonRect(const QRectF& cell);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

protected:
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;

private:
    std::function<void(const QModelIndex&)> clicked;
    QPersistentModelIndex pressed;
};

}  // namespace ui
