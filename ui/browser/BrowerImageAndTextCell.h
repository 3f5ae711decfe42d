#pragma once

#include "ui/kit/tables/FlatItemDelegate.h"

namespace ui {

// The browser tables' text cell: an icon (the model's decoration) 9 points from the left and
// centred on the row, a title 13 points below the top (30 points in with an icon narrower than
// 25 points, else 48), and the subtitle (the model's SubtitleRole) in small grey type under it.
// Without an icon (the size column) the title is right-aligned.
class BrowerImageAndTextCell : public FlatItemDelegate {
    Q_OBJECT
public:
    static constexpr int SubtitleRole = Qt::UserRole + 1;

    BrowerImageAndTextCell(qreal iconSize, qreal subWidth, bool isSize, QObject* parent = nullptr);

    qreal iconSize() const { return iconSize_; }
    qreal subWidth() const { return subWidth_; }
    bool isSize() const { return isSize_; }
    // Where the parts of a cell lie.
    QRectF iconRect(const QRectF& cell) const;
    QRectF titleRect(const QRectF& cell) const;
    QRectF subtitleRect(const QRectF& cell) const;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    qreal iconSize_;
    qreal subWidth_;
    bool isSize_;
};

}  // namespace ui
