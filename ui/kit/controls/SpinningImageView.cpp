#include "ui/kit/controls/SpinningImageView.h"

#include "ui/kit/looks/ImageNamed.h"

#include <QPainter>

namespace ui {
namespace {
constexpr int kFrameMilliseconds = 40;
constexpr qreal kDegreesPerFrame = 12;
}  // namespace

SpinningImageView::SpinningImageView(const QString& imageName, QWidget* parent)
    : QWidget(parent), picture(imageNamed(imageName)) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    resize(picture.deviceIndependentSize().toSize());
    timer.setInterval(kFrameMilliseconds);
    connect(&timer, &QTimer::timeout, this, [this] {
        turned = turned + kDegreesPerFrame >= 360 ? 0 : turned + kDegreesPerFrame;
        update();
    });
}

void SpinningImageView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QSizeF size = picture.deviceIndependentSize();
    painter.translate(QRectF(rect()).center());
    painter.rotate(turned);
    painter.drawPixmap(QRectF(QPointF(-size.width() / 2, -size.height() / 2), size), picture, QRectF(picture.rect()));
}

void SpinningImageView::showEvent(QShowEvent*) { timer.start(); }

void SpinningImageView::hideEvent(QHideEvent*) { timer.stop(); }

}  // namespace ui
