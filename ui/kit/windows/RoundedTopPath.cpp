#include "ui/kit/windows/RoundedTopPath.h"

namespace ui {

QPainterPath roundedTopPath(const QRectF& rect, qreal radius) {
    const qreal diameter = 2 * radius;
    QPainterPath path;
    path.moveTo(rect.bottomLeft());
    path.lineTo(rect.left(), rect.top() + radius);
    path.arcTo(QRectF(rect.left(), rect.top(), diameter, diameter), 180, -90);
    path.lineTo(rect.right() - radius, rect.top());
    path.arcTo(QRectF(rect.right() - diameter, rect.top(), diameter, diameter), 90, -90);
    path.lineTo(rect.bottomRight());
    path.closeSubpath();
    return path;
}

}  // namespace ui
