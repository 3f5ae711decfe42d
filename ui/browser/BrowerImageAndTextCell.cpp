#include "ui/browser/BrowerImageAndTextCell.h"

#include "ui/kit/looks/Colors.h"
#include "ui/kit/looks/SystemFont.h"

#include <QFontMetricsF>
#include <QPainter>

namespace ui {
namespace {

constexpr qreal kIconX = 9;
constexpr qreal kTitleTop = 13;
constexpr qreal kTitleHeight = 18;
constexpr qreal kSubtitleTop = 32;
constexpr qreal kSubtitleHeight = 14;
constexpr qreal kSmallIconTitleX = 30;
constexpr qreal kLargeIconTitleX = 48;
constexpr qreal kSizeInset = 12;

}  // namespace

BrowerImageAndTextCell::BrowerImageAndTextCell(qreal iconSize, qreal subWidth, bool isSize, QObject* parent)
    : FlatItemDelegate(parent), iconSize_(iconSize), subWidth_(subWidth), isSize_(isSize) {}

QRectF BrowerImageAndTextCell::iconRect(const QRectF& cell) const {
    return QRectF(cell.x() + kIconX, cell.y() + (cell.height() - iconSize_) / 2, iconSize_, iconSize_);
}

QRectF BrowerImageAndTextCell::titleRect(const QRectF& cell) const {
    if (isSize_) return QRectF(cell.x(), cell.y() + kTitleTop, cell.width() - kSizeInset, kTitleHeight);
    const qreal x = iconSize_ < 25 ? kSmallIconTitleX : kLargeIconTitleX;
    return QRectF(cell.x() + x, cell.y() + kTitleTop, qMin(subWidth_, cell.width() - x), kTitleHeight);
}

QRectF BrowerImageAndTextCell::subtitleRect(const QRectF& cell) const {
    const QRectF title = titleRect(cell);
    return QRectF(title.x(), cell.y() + kSubtitleTop, cell.right() - title.x(), kSubtitleHeight);
}

void BrowerImageAndTextCell::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const {
    const QRectF cell = option.rect;
    if (!isSize_) drawPicture(*painter, iconRect(cell), index);
    painter->save();
    const QFont titleFont = systemFontOfSize(13);
    const QRectF title = titleRect(cell);
    const QString text = index.data(Qt::DisplayRole).toString();
    painter->setFont(titleFont);
    painter->setPen(getColor(51, 51, 51, 1));
    painter->drawText(title, int(Qt::TextSingleLine | Qt::AlignVCenter | (isSize_ ? Qt::AlignRight : Qt::AlignLeft)),
                      QFontMetricsF(titleFont).elidedText(text, Qt::ElideRight, title.width()));
    const QString subtitle = index.data(SubtitleRole).toString();
    if (!subtitle.isEmpty()) {
        const QFont subtitleFont = systemFontOfSize(10);
        const QRectF below = subtitleRect(cell);
        painter->setFont(subtitleFont);
        painter->setPen(getColor(153, 153, 153, 1));
        painter->drawText(below, int(Qt::TextSingleLine | Qt::AlignVCenter | Qt::AlignLeft),
                          QFontMetricsF(subtitleFont).elidedText(subtitle, Qt::ElideRight, below.width()));
    }
    painter->restore();
}

QSize BrowerImageAndTextCell::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QSize size = FlatItemDelegate::sizeHint(option, index);
    size.setWidth(size.width() + int(iconSize_) + 3);
    if (!index.data(SubtitleRole).toString().isEmpty()) size.setHeight(48);
    return size;
}

}  // namespace ui
