#include "ui/startup/StartItemImageAndTextCell.h"

#include "ui/kit/looks/Colors.h"
#include "ui/kit/looks/SystemFont.h"

#include <QFontMetricsF>
#include <QPainter>

namespace ui {
namespace {

constexpr qreal kImageSize = 22;
constexpr qreal kImageX = 12;
constexpr qreal kTextGap = 11;
constexpr qreal kImageStrip = 25;

void drawLine(QPainter& painter, const QRectF& box, const QString& text, const QFont& font, const QColor& color) {
    if (text.isEmpty()) return;
    painter.setFont(font);
    painter.setPen(color);
    const QString shown = QFontMetricsF(font).elidedText(text, Qt::ElideRight, box.width());
    painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);
}

}  // namespace

StartItemImageAndTextCell::StartItemImageAndTextCell(QObject* parent) : FlatItemDelegate(parent) {}

QRectF StartItemImageAndTextCell::imageRect(const QRectF& cell) {
    return QRectF(cell.x() + kImageX, cell.y() + (cell.height() - kImageSize) / 2, kImageSize, kImageSize);
}

QRectF StartItemImageAndTextCell::primaryTextRect(const QRectF& cell) {
    return QRectF(cell.x() + cell.height() + kTextGap, cell.y() + 3, 200, 18);
}

QRectF StartItemImageAndTextCell::secondaryTextRect(const QRectF& cell) {
    return QRectF(cell.x() + cell.height() + kTextGap, cell.y() + 23, 250, 14);
}

void StartItemImageAndTextCell::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                      const QModelIndex& index) const {
    const QRectF cell = option.rect;
    painter->save();
    painter->setClipRect(cell);
    drawLine(*painter, primaryTextRect(cell), index.data(Qt::DisplayRole).toString(), systemFontOfSize(12),
             getColor(102, 102, 102, 1));
    drawLine(*painter, secondaryTextRect(cell), index.data(kSecondaryTextRole).toString(), systemFontOfSize(10),
             getColor(150, 150, 150, 1));
    drawPicture(*painter, imageRect(cell), index);
    painter->restore();
}

QSize StartItemImageAndTextCell::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const QSize base = FlatItemDelegate::sizeHint(option, index);
    return QSize(base.width() + static_cast<int>(hasPicture(index) ? kImageStrip + 3 : 3), base.height());
}

}  // namespace ui
