#include "ui/kit/tables/ImageAndTextCell.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QWidget>

#include <cmath>

namespace ui {

namespace {
// The room a plain text cell leaves on either side of its text.
constexpr qreal kTextInset = 2;
// Between the icon's slice and the text, when editing and when measuring.
constexpr qreal kIconGap = 3;
}  // namespace

ImageAndTextCell::ImageAndTextCell(QObject* parent) : ImageAndTextCell(Layout{35, 32, 0, 0, 0, 0.5, 0}, parent) {}

ImageAndTextCell::ImageAndTextCell(const Layout& layout, QObject* parent) : FlatItemDelegate(parent), layout(layout) {}

QRectF ImageAndTextCell::imageFrameForCellFrame(const QRectF& cellFrame, const QModelIndex& index) const {
    if (!hasPicture(index)) return QRectF();
    const qreal y = cellFrame.y() + std::ceil((cellFrame.height() - layout.iconSize) / 2);
    return QRectF(cellFrame.x(), y, layout.iconSize, layout.iconSize);
}

QRectF ImageAndTextCell::titleRectForBounds(const QRectF& bounds, const QFont& font) const {
    const qreal textHeight = QFontMetricsF(font).height();
    const QRectF plain = bounds.adjusted(kTextInset, 0, -kTextInset, 0);
    const qreal y = bounds.y() - layout.titleLift + (bounds.height() - textHeight) / 2;
    return QRectF(plain.x() + layout.titleX, y, plain.width(), textHeight);
}

void ImageAndTextCell::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QStyleOptionViewItem cell(option);
    initStyleOption(&cell, index);
    const QRectF frame = option.rect;
    if (cell.backgroundBrush.style() != Qt::NoBrush) painter->fillRect(frame, cell.backgroundBrush);
    if (!hasPicture(index)) {
        drawInteriorWithFrame(*painter, cell, frame);
        return;
    }
    const QRectF slice(frame.x(), frame.y(), layout.slice, frame.height());
    // Centred on the row, rounded down to whole points.
    const qreal iconY = slice.y() + std::ceil((frame.height() + layout.iconSize) / 2) - layout.iconSize - layout.iconLift;
    drawPicture(*painter, QRectF(slice.x() + layout.iconX, iconY, layout.iconSize, layout.iconSize), index);
    drawInteriorWithFrame(*painter, cell, frame.adjusted(layout.slice, 0, 0, 0));
}

void ImageAndTextCell::drawInteriorWithFrame(QPainter& painter, const QStyleOptionViewItem& option,
                                             const QRectF& frame) const {
    QRectF title = titleRectForBounds(frame, option.font);
    title.setWidth(title.width() - layout.titleNarrowing);
    if (title.width() <= 0 || option.text.isEmpty()) return;
    const QString shown = QFontMetricsF(option.font).elidedText(option.text, option.textElideMode, title.width());
    painter.save();
    painter.setFont(option.font);
    painter.setPen(option.palette.color(QPalette::Text));
    painter.drawText(title, int(Qt::TextSingleLine | Qt::AlignTop | (option.displayAlignment & Qt::AlignHorizontal_Mask)),
                     shown);
    painter.restore();
}

qreal ImageAndTextCell::leftSlice(const QModelIndex& index) const {
    return (hasPicture(index) ? layout.iconSize : 0) + kIconGap;
}

QSize ImageAndTextCell::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QStyleOptionViewItem cell(option);
    initStyleOption(&cell, index);
    const QFontMetricsF metrics(cell.font);
    const QSizeF text(metrics.horizontalAdvance(cell.text) + 2 * kTextInset, metrics.height());
    return QSizeF(text.width() + leftSlice(index), text.height()).toSize();
}

void ImageAndTextCell::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                            const QModelIndex& index) const {
    editor->setGeometry(option.rect.adjusted(int(leftSlice(index)), 0, 0, 0));
}

}  // namespace ui
