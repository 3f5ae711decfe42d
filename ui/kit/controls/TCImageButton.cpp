#include "ui/kit/controls/TCImageButton.h"

#include <QPainter>

namespace ui {

TCImageButton::TCImageButton(QWidget* parent) : ImageStateButton(true, parent) {}

TCImageButton* TCImageButton::backButton(QWidget* parent, const QPoint& place) {
    auto* button = new TCImageButton(parent);
    button->setImageFromFileNormalName(QStringLiteral("btn_detail_back"), QStringLiteral("btn_detail_back_press"),
                                       QStringLiteral("btn_detail_back_hover"), QStringLiteral("btn_detail_back_disable"));
    button->move(place);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

void TCImageButton::picturesChanged() { resize(dstRect.size().toSize()); }

// srcRect is in points; the picture holds device pixels.
void TCImageButton::drawPicture(QPainter& painter, const QPixmap& picture) const {
    const qreal ratio = picture.devicePixelRatio();
    const QRectF source(srcRect.topLeft() * ratio, srcRect.size() * ratio);
    painter.drawPixmap(dstRect, picture, source);
}

}  // namespace ui
