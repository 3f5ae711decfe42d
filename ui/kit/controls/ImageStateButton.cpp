#include "ui/kit/controls/ImageStateButton.h"

#include "ui/kit/looks/ImageNamed.h"

#include <QPainter>

namespace ui {

ImageStateButton::ImageStateButton(bool startsUsable, QWidget* parent) : StateButton(startsUsable, parent) {}

void ImageStateButton::setImageFromFileNormalName(const QString& normal, const QString& active,
                                                  const QString& hover, const QString& disable) {
    normalName = normal;
    normalImage = loadPicture(normal);
    dstRect = QRectF(QPointF(0, 0), pictureFrameSize());
    srcRect = dstRect;
    activeImage = loadPicture(active);
    hoverImage = loadPicture(hover);
    disableImage = loadPicture(disable);
    picturesChanged();
    update();
}

QPixmap ImageStateButton::loadPicture(const QString& name) const { return imageNamed(name); }

QSizeF ImageStateButton::pictureFrameSize() const { return normalImage.deviceIndependentSize(); }

void ImageStateButton::clipPicture(QPainter&) const {}

void ImageStateButton::drawPicture(QPainter& painter, const QPixmap& picture) const {
    painter.drawPixmap(dstRect, picture, QRectF(picture.rect()));
}

const QPixmap& ImageStateButton::chosenPicture() const {
    if (!isUsable()) return disableImage;
    if (isTracking()) return activeImage;
    if (isFocus()) return hoverImage;
    return normalImage;
}

void ImageStateButton::paintEvent(QPaintEvent* event) {
    refreshLabelColor();
    if (normalImage.isNull()) {
        QPushButton::paintEvent(event);
        return;
    }
    const QPixmap& picture = chosenPicture();
    if (picture.isNull()) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    clipPicture(painter);
    drawPicture(painter, picture);
}

}  // namespace ui
