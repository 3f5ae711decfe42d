#include "ui/switches/SwitchButton.h"

#include "ui/kit/looks/ImageNamed.h"

#include <QEvent>
#include <QPainter>

namespace ui {
namespace {

constexpr qreal kUnusableOpacity = 0.45;

}  // namespace

SwitchButton::SwitchButton(QWidget* parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
}

void SwitchButton::setImage(const QString& name) {
    imageName = name;
    update();
}

void SwitchButton::paintEvent(QPaintEvent*) {
    const QPixmap picture = imageNamed(imageName);
    if (picture.isNull()) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!isEnabled()) painter.setOpacity(kUnusableOpacity);
    painter.drawPixmap(QRectF(QPointF(0, 0), picture.deviceIndependentSize()), picture, QRectF(picture.rect()));
}

void SwitchButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange) setCursor(isEnabled() ? Qt::PointingHandCursor : Qt::ArrowCursor);
    QAbstractButton::changeEvent(event);
}

}  // namespace ui
