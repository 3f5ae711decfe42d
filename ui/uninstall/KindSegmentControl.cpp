#include "ui/uninstall/KindSegmentControl.h"

#include "ui/kit/looks/Colors.h"
#include "ui/kit/looks/SystemFont.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace ui {
namespace {

constexpr qreal kCornerRadius = 5;

}  // namespace

KindSegmentControl::KindSegmentControl(const QStringList& labels, QWidget* parent) : QWidget(parent), labels(labels) {
    setCursor(Qt::PointingHandCursor);
}

void KindSegmentControl::setSelectedSegment(int segment) {
    if (segment < 0 || segment >= labels.size()) return;
    selected = segment;
    update();
}

QRect KindSegmentControl::segmentRect(int segment) const {
    const int count = std::max<int>(1, labels.size());
    const int left = width() * segment / count;
    return QRect(left, 0, width() * (segment + 1) / count - left, height());
}

int KindSegmentControl::segmentAt(const QPoint& point) const {
    for (int segment = 0; segment < labels.size(); ++segment)
        if (segmentRect(segment).contains(point)) return segment;
    return -1;
}

void KindSegmentControl::mouseReleaseEvent(QMouseEvent* event) {
    const int segment = event->button() == Qt::LeftButton ? segmentAt(event->position().toPoint()) : -1;
    if (segment < 0 || segment == selected) return;
    setSelectedSegment(segment);
    emit segmentClicked(segment);
}

void KindSegmentControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor green = isEnabled() ? getColor(74, 186, 71, 1) : getColor(190, 190, 190, 1);
    QPainterPath outline;
    outline.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), kCornerRadius, kCornerRadius);
    painter.fillPath(outline, getColor(255, 255, 255, 1));
    painter.save();
    painter.setClipPath(outline);
    painter.fillRect(segmentRect(selected), green);
    painter.restore();
    painter.setPen(QPen(green, 1));
    painter.drawPath(outline);
    painter.setFont(systemFontOfSize(13));
    for (int segment = 0; segment < labels.size(); ++segment) {
        const QRect frame = segmentRect(segment);
        if (segment > 0) painter.drawLine(QPointF(frame.left() + 0.5, 0), QPointF(frame.left() + 0.5, height()));
        painter.setPen(segment == selected ? getColor(255, 255, 255, 1) : getColor(51, 51, 51, 1));
        painter.drawText(frame, Qt::AlignCenter, labels[segment]);
        painter.setPen(QPen(green, 1));
    }
}

}  // namespace ui
