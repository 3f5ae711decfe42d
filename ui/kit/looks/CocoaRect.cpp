#include "ui/kit/looks/CocoaRect.h"

namespace ui {

QRectF cocoaRect(qreal parentHeight, qreal x, qreal y, qreal width, qreal height) {
    return QRectF(x, parentHeight - y - height, width, height);
}

QRectF cocoaRect(qreal parentHeight, const QRectF& frame) {
    return cocoaRect(parentHeight, frame.x(), frame.y(), frame.width(), frame.height());
}

}  // namespace ui
