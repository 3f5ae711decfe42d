#include "ui/kit/controls/TCImageButton.h"

#include <QPainter>

namespace ui {

TCImageButton::TCImageButton(QWidget* parent) : ImageStateButton(true, parent) {}

void TCImageButton::picturesChanged() { resize(dstRect.size().toSize()); }

// srcRect is in points; the picture holds device pixels.
void TCImageButton::drawPicture(QPainter& painter, const QPixmap& picture) const {
    const qreal ratio = picture.devicePixelRatio();
    const QRectF source(srcRect.topLeft() * ratio, srcRect.size() * ratio);
    painter.drawPixmap(dstRect, picture, source);
}

}  // namespace ui
