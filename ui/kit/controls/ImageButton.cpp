#include "ui/kit/controls/ImageButton.h"

#include "ui/kit/looks/ImageNamed.h"
#include "ui/kit/looks/ImageScale.h"

#include <QPainter>

namespace ui {
namespace {

constexpr qreal kUnusableOpacity = 0.35;
constexpr qreal kPressedOpacity = 0.7;

}  // namespace

ImageButton::ImageButton(QWidget* parent) : QAbstractButton(parent) {
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
}

void ImageButton::setImageNamed(const QString& imageName) {
    if (imageName == name) return;
    name = imageName;
    picture = imageNamed(name);
    update();
}

void ImageButton::paintEvent(QPaintEvent*) {
    if (picture.isNull()) return;
    const QRectF target = centredFit(picture.deviceIndependentSize(), QRectF(rect()));
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!isEnabled()) painter.setOpacity(kUnusableOpacity);
    else if (isDown()) painter.setOpacity(kPressedOpacity);
    painter.drawPixmap(target, picture, QRectF(picture.rect()));
}

}  // namespace ui
