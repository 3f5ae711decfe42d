#include "ui/duplicates/Animation.h"

#include "ui/kit/looks/ImageNamed.h"

#include <QPainter>
#include <QPainterPath>

namespace ui {
namespace {

constexpr qreal kStep = 6;

}  // namespace

Animation::Animation(QWidget* parent)
    : QWidget(parent),
      track(imageNamed(QStringLiteral("bottom_prograss"))),
      bar(imageNamed(QStringLiteral("animation_prograss"))),
      position(-bar.deviceIndependentSize().width()) {
    resize(track.deviceIndependentSize().toSize());
    timer.setInterval(static_cast<int>(timeSize * 1000));
    connect(&timer, &QTimer::timeout, this, &Animation::step);
}

void Animation::startAnimation() {
    position = -bar.deviceIndependentSize().width();
    timer.start();
    update();
}

void Animation::stopAnimation() { timer.stop(); }

void Animation::step() {
    position += kStep;
    if (position >= width()) position = -bar.deviceIndependentSize().width();
    update();
}

void Animation::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.drawPixmap(QPointF(0, 0), track);
    // The bar shows only within the track's rounded shape.
    QPainterPath shape;
    shape.addRoundedRect(rect(), height() / 2.0, height() / 2.0);
    painter.setClipPath(shape);
    painter.drawPixmap(QPointF(position, 0), bar);
}

}  // namespace ui
