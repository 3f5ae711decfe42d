#include "ui/kit/looks/ImageScale.h"

#include <algorithm>

namespace ui {

QPixmap scaleImage(const QPixmap& image, const QSizeF& toSize, bool proportionally) {
    if (image.isNull()) return QPixmap();
    const QSizeF imageSize = image.deviceIndependentSize();
    QSizeF size = toSize;
    if (proportionally) {
        const float ratio = std::min(static_cast<float>(toSize.width() / imageSize.width()),
                                     static_cast<float>(toSize.height() / imageSize.height()));
        size = imageSize * ratio;
    }
    const qreal pixelRatio = image.devicePixelRatio();
    QPixmap scaled = image.scaled((size * pixelRatio).toSize(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    scaled.setDevicePixelRatio(pixelRatio);
    return scaled;
}

QRectF centredFit(const QSizeF& picture, const QRectF& area) {
    QSizeF size = picture;
    if (size.width() > area.width() || size.height() > area.height()) size.scale(area.size(), Qt::KeepAspectRatio);
    QRectF target(QPointF(0, 0), size);
    target.moveCenter(area.center());
    return target;
}

}  // namespace ui
