#include "ui/kit/tables/CustomHeaderCell.h"

#include "ui/kit/looks/Colors.h"
#include "ui/kit/looks/InterfaceFonts.h"
#include "ui/kit/looks/SystemFont.h"

#include <QPainter>
#include <QPolygonF>

namespace ui {

namespace {
constexpr double kLightTitlePoints = 12;
constexpr qreal kSeparatorInset = 3;
constexpr qreal kSeparatorOffset = 2;
constexpr qreal kTitleTop = 6;
constexpr qreal kSortKeyTitleShortening = 8;
constexpr qreal kTriangleRightInset = 12;
constexpr qreal kTriangleBaseInset = 10;
constexpr qreal kTriangleWidth = 8;
constexpr qreal kTriangleHeight = 7;
}  // namespace

CustomHeaderCell::CustomHeaderCell(const HeaderTitle& oldCell) : attributedTitle(oldCell) {
    const QString lightFont = lightFontName();
    if (lightFont.isEmpty()) return;
    attributedTitle.font = fontWithName(lightFont, kLightTitlePoints);
    attributedTitle.color = getColor(0, 0, 0, 1);
}

bool CustomHeaderCell::hasSeparator(qreal columnWidth) { return columnWidth > 45 && columnWidth < 400; }

void CustomHeaderCell::drawWithFrame(QPainter& painter, const QRectF& frame) const {
    painter.save();
    painter.fillRect(frame, getColor(254, 253, 255, 1));
    if (hasSeparator(frame.width())) {
        painter.setPen(QPen(getColor(209, 209, 201, 1), 1));
        const qreal x = frame.x() - kSeparatorOffset;
        painter.drawLine(QPointF(x, kSeparatorInset), QPointF(x, frame.height() - kSeparatorInset));
    }
    const qreal titleWidth = frame.width() - (_priority == 0 ? kSortKeyTitleShortening : 0);
    const QRectF titleRect(frame.x(), frame.y() + kTitleTop, titleWidth, frame.height());
    painter.setFont(attributedTitle.font);
    painter.setPen(attributedTitle.color);
    painter.setClipRect(titleRect.intersected(frame));
    painter.drawText(titleRect, int(Qt::TextSingleLine | Qt::AlignTop | (attributedTitle.alignment & Qt::AlignHorizontal_Mask)),
                     attributedTitle.text);
    painter.restore();
    drawSortIndicatorWithFrame(painter, frame, _ascending, _priority);
}

void CustomHeaderCell::drawSortIndicatorWithFrame(QPainter& painter, const QRectF& frame, bool ascending,
                                                  qint64 priority) const {
    if (priority != 0) return;  // the clear colour: nothing shows
    const qreal x0 = frame.right() - kTriangleRightInset;
    // Ascending points up, descending down.
    const qreal y0 = ascending ? frame.y() + frame.height() - kTriangleBaseInset : frame.y() + kTriangleBaseInset;
    const qreal apexY = ascending ? y0 - kTriangleHeight : y0 + kTriangleHeight;
    const QPolygonF triangle({QPointF(x0, y0), QPointF(x0 + kTriangleWidth / 2, apexY), QPointF(x0 + kTriangleWidth, y0)});
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(getColor(255, 255, 255, 1));
    painter.drawPolygon(triangle);
    painter.restore();
}

void CustomHeaderCell::setSortAscending(bool ascending, qint64 priority) {
    _ascending = ascending;
    _priority = priority;
}

}  // namespace ui
