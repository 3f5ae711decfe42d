#include "ui/kit/windows/RoundedClipEffect.h"

#include "ui/kit/windows/RoundedTopPath.h"

#include <QPainter>

namespace ui {

RoundedClipEffect::RoundedClipEffect(qreal radius, QObject* parent) : QGraphicsEffect(parent), radius(radius) {}

// A clip path would cut along whole pixels; filling the outline with the rendered view as the
// brush smooths the corners.
void RoundedClipEffect::draw(QPainter* painter) {
    QPoint offset;
    const QPixmap source = sourcePixmap(Qt::LogicalCoordinates, &offset, QGraphicsEffect::NoPad);
    if (source.isNull()) return;
    QBrush brush(source);
    brush.setTransform(QTransform::fromTranslate(offset.x(), offset.y()));
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(brush);
    painter->drawPath(roundedTopPath(QRectF(offset, source.deviceIndependentSize()), radius));
    painter->restore();
}

}  // namespace ui
