#include "ui/kit/tables/OpenButtonCell.h"

namespace ui {
namespace {
constexpr qreal kImageSize = 16;
}  // namespace

QRectF OpenButtonCell::imageRect(const QRectF& cell) {
    return QRectF(cell.center() - QPointF(kImageSize / 2, kImageSize / 2), QSizeF(kImageSize, kImageSize));
}

void OpenButtonCell::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    drawPicture(*painter, imageRect(option.rect), index);
}

}  // namespace ui
