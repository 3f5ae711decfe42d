#include "ui/panel/CustomSlider.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>

namespace ui {
namespace {

constexpr double kWheelNotch = 120;
constexpr double kWheelStepOfRange = 1.0 / 20;

}  // namespace

CustomSlider::CustomSlider(QWidget* parent) : QWidget(parent) { setCursor(Qt::PointingHandCursor); }

void CustomSlider::setRange(double newMinimum, double newMaximum) {
    minimum = newMinimum;
    maximum = std::max(newMinimum, newMaximum);
    setDoubleValue(value);
}

void CustomSlider::setDoubleValue(double newValue) {
    const double kept = std::clamp(newValue, minimum, maximum);
    if (kept == value) return;
    value = kept;
    update();
}

double CustomSlider::valueAt(qreal y) const {
    if (height() <= 0) return minimum;
    const double fraction = std::clamp((height() - y) / height(), 0.0, 1.0);
    return minimum + fraction * (maximum - minimum);
}

void CustomSlider::takeUserValue(double newValue) {
    setDoubleValue(newValue);
    emit action();
}

void CustomSlider::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    sliderCell.drawWithFrame(painter, QRectF(rect()), value);
}

void CustomSlider::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    window()->activateWindow();
    dragged = true;
    takeUserValue(valueAt(event->position().y()));
}

void CustomSlider::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) dragged = false;
    QWidget::mouseReleaseEvent(event);
}

void CustomSlider::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) takeUserValue(valueAt(event->position().y()));
}

void CustomSlider::wheelEvent(QWheelEvent* event) {
    const double notches = event->angleDelta().y() / kWheelNotch;
    if (notches == 0) return;
    takeUserValue(value + notches * kWheelStepOfRange * (maximum - minimum));
}

}  // namespace ui
