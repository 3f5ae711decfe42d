#include "ui/kit/controls/DMImageView.h"

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
    QSizeF size = picture.deviceIndependentSize();
    if (size.width() > width() || size.height() > height()) size.scale(QSizeF(this->size()), Qt::KeepAspectRatio);
    QRectF target(QPointF(0, 0), size);
    target.moveCenter(QRectF(rect()).center());
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(target, picture, QRectF(picture.rect()));
}

void DMImageView::mousePressEvent(QMouseEvent* event) { event->accept(); }

void DMImageView::mouseReleaseEvent(QMouseEvent* event) { event->accept(); }

}  // namespace ui
