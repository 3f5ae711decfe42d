#include "ui/panel/CustomSliderCell.h"

#include "ui/kit/looks/Colors.h"

#include <QPainter>
#include <QPainterPath>

namespace ui {
namespace {

constexpr qreal kBarX = 8;
constexpr qreal kBarWidth = 4;
constexpr double kFullHeight = 85;

void fillBar(QPainter& painter, const QRectF& bar, double radius, const QColor& colour) {
    QPainterPath path;
    path.addRoundedRect(bar, radius, radius);
    painter.fillPath(path, colour);
}

}  // namespace

CustomSliderCell::CustomSliderCell()
    : sliderProgressColor(getColor(58, 181, 73, 1)), sliderBackgroundColor(getColor(51, 58, 72, 1)) {}

double CustomSliderCell::progressHeight(double value) const {
    return identifier == QLatin1String("sound") ? value * kFullHeight / 100 : value * kFullHeight;
}

void CustomSliderCell::drawWithFrame(QPainter& painter, const QRectF& frame, double value) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    fillBar(painter, QRectF(kBarX, frame.y(), kBarWidth, frame.height()), sliderBarRadius, sliderBackgroundColor);
    const double filled = progressHeight(value);
    if (filled > 0)
        fillBar(painter, QRectF(kBarX, frame.height() - filled, kBarWidth, filled), sliderBarRadius, sliderProgressColor);
    painter.restore();
}

}  // namespace ui
