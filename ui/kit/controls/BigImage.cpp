#include "ui/kit/controls/BigImage.h"

#include <QImage>

namespace ui {

QPixmap get120X120BigImage(const QPixmap& image, int flipFlag, float /*amountReflected*/) {
    if (image.isNull()) return QPixmap();
    const qreal ratio = image.devicePixelRatio();
    QImage scaled = image.toImage().scaled(QSize(120, 120) * ratio, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (flipFlag != 0) scaled = scaled.mirrored(false, true);
    QPixmap result = QPixmap::fromImage(scaled);
    result.setDevicePixelRatio(ratio);
    return result;
}

}  // namespace ui
