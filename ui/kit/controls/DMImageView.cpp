#include "ui/kit/controls/DMImageView.h"

#include "ui/kit/looks/ImageScale.h"

#include <QMouseEvent>
#include <QPainter>

namespace ui {

DMImageView::DMImageView(QWidget* parent) : QWidget(parent) {}

void DMImageView::setImage(const QPixmap& image) {
    picture = image;
    update();
}

void DMImageView::paintEvent(QPaintEvent*) {
    if (picture.isNull()) return;
    const QRectF target = centredFit(picture.deviceIndependentSize(), QRectF(rect()));
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(target, picture, QRectF(picture.rect()));
}

void DMImageView::mousePressEvent(QMouseEvent* event) { event->accept(); }

void DMImageView::mouseReleaseEvent(QMouseEvent* event) { event->accept(); }

}  // namespace ui
