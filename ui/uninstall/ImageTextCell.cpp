#include "ui/uninstall/ImageTextCell.h"

#include "ui/kit/looks/Colors.h"
#include "ui/kit/looks/SystemFont.h"

#include <QFontMetricsF>
#include <QPainter>

namespace ui {
namespace {

void drawLine(QPainter& painter, const QRectF& frame, const QString& text, const QFont& font, const QColor& color) {
    painter.setFont(font);
    painter.setPen(color);
    painter.drawText(frame, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                     QFontMetricsF(font).elidedText(text, Qt::ElideRight, frame.width()));
}

}  // namespace

ImageTextCell::ImageTextCell(QObject* parent) : FlatItemDelegate(parent) {}

void ImageTextCell::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const QRectF cell = option.rect;
    const qreal height = cell.height();
    painter->save();
    painter->setRenderHint(QPainter::SmoothPixmapTransform);
    drawPicture(*painter, QRectF(cell.x() + 5, cell.y() + 8, 32, 32), index);
    const QString secondary = index.data(SecondaryTextRole).toString();
    const qreal textX = cell.x() + height - 2;
    const qreal width = std::min<qreal>(300, cell.right() - textX);
    drawLine(*painter, QRectF(textX, cell.y() + (secondary.isEmpty() ? 19 : 10), width, 20),
             index.data(Qt::DisplayRole).toString(), systemFontOfSize(14), getColor(51, 51, 51, 1));
    if (!secondary.isEmpty())
        drawLine(*painter, QRectF(textX, cell.y() + height / 2 + 2, std::min<qreal>(200, width), 20), secondary,
                 systemFontOfSize(12), getColor(153, 153, 153, 1));
    painter->restore();
}

}  // namespace ui
