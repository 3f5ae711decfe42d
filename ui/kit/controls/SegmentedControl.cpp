#include "ui/kit/controls/SegmentedControl.h"

#include "ui/kit/looks/Colors.h"
#include "ui/kit/looks/SystemFont.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace ui {
namespace {

constexpr qreal kRadius = 4;

}  // namespace

SegmentedControl::SegmentedControl(const QStringList& segmentLabels, QWidget* parent)
    : QWidget(parent), labels(segmentLabels) {
    setCursor(Qt::PointingHandCursor);
    setFont(systemFontOfSize(12));
}

void SegmentedControl::setSelectedSegment(int segment) {
    if (segment < 0 || segment >= segmentCount() || segment == selected) return;
    selected = segment;
    update();
}

QRect SegmentedControl::segmentRect(int segment) const {
    const int count = std::max(segmentCount(), 1);
    const int left = width() * segment / count;
    const int right = width() * (segment + 1) / count;
    return QRect(left, 0, right - left, height());
}

void SegmentedControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF frame = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath outline;
    outline.addRoundedRect(frame, kRadius, kRadius);
    painter.fillPath(outline, getColor(254, 253, 255, 1));
    painter.save();
    painter.setClipPath(outline);
    painter.fillRect(segmentRect(selected), isEnabled() ? getColor(74, 186, 71, 1) : getColor(190, 190, 190, 1));
    painter.restore();
    painter.setPen(getColor(207, 209, 215, 1));
    painter.drawPath(outline);
    for (int segment = 1; segment < segmentCount(); ++segment) {
        const qreal x = segmentRect(segment).left() + 0.5;
        painter.drawLine(QPointF(x, frame.top()), QPointF(x, frame.bottom()));
    }
    for (int segment = 0; segment < segmentCount(); ++segment) {
        painter.setPen(segment == selected ? getColor(255, 255, 255, 1) : getColor(68, 68, 68, 1));
        painter.drawText(segmentRect(segment), Qt::AlignCenter, labels[segment]);
    }
}

void SegmentedControl::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    for (int segment = 0; segment < segmentCount(); ++segment) {
        if (!segmentRect(segment).contains(event->position().toPoint()) || segment == selected) continue;
        setSelectedSegment(segment);
        emit segmentSelected(segment);
        return;
    }
}

}  // namespace ui
