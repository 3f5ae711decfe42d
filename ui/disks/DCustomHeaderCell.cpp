#include "ui/disks/DCustomHeaderCell.h"

#include "ui/kit/looks/Colors.h"
#include "ui/kit/looks/SystemFont.h"

#include <QPainter>
#include <QPolygonF>

namespace ui {
namespace {

constexpr qreal kTitleTop = 5;
constexpr qreal kIndicatorWidth = 8;
constexpr qreal kIndicatorHeight = 7;
constexpr qreal kIndicatorInset = 12;

}  // namespace

DCustomHeaderCell::DCustomHeaderCell(const QString& title) : title_(title) {}

QFont DCustomHeaderCell::titleFont() { return systemFontOfSize(12); }
QColor DCustomHeaderCell::titleColor() { return getColor(194, 200, 230, 1); }
QColor DCustomHeaderCell::lineColor() { return getColor(58, 66, 95, 1); }

void DCustomHeaderCell::setSortAscending(bool isAscending, int sortPriority) {
    ascending = isAscending;
    priority = sortPriority;
}

QPolygonF DCustomHeaderCell::sortIndicatorIn(const QRectF& frame) const {
    const qreal left = frame.right() - kIndicatorInset;
    const qreal top = frame.center().y() - kIndicatorHeight / 2;
    const qreal bottom = top + kIndicatorHeight;
    if (ascending)
        return QPolygonF({QPointF(left, bottom), QPointF(left + kIndicatorWidth / 2, top), QPointF(left + kIndicatorWidth, bottom)});
    return QPolygonF({QPointF(left, top), QPointF(left + kIndicatorWidth / 2, bottom), QPointF(left + kIndicatorWidth, top)});
}

void DCustomHeaderCell::drawWithFrame(QPainter& painter, const QRectF& frame) const {
    painter.save();
    painter.fillRect(frame, getColor(254, 253, 255, 1));
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(lineColor(), 1));
    painter.drawLine(QPointF(frame.left(), frame.top()), QPointF(frame.right(), frame.top()));
    painter.drawLine(QPointF(frame.left(), frame.bottom() - 1), QPointF(frame.right(), frame.bottom() - 1));

    QRectF titleFrame(frame.left(), frame.top() + kTitleTop, frame.width() - (priority != 0 ? 0 : 8),
                      frame.height() - kTitleTop);
    painter.setFont(titleFont());
    painter.setPen(titleColor());
    painter.drawText(titleFrame, Qt::AlignLeft | Qt::AlignTop, title_);

    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    painter.setBrush(priority == 0 ? QBrush(Qt::white) : QBrush(Qt::transparent));
    painter.drawPolygon(sortIndicatorIn(frame));
    painter.restore();
}

}  // namespace ui
