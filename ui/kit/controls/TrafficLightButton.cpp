#include "ui/kit/controls/TrafficLightButton.h"

#include "ui/kit/looks/Colors.h"

#include <QPainter>

namespace ui {
namespace {

constexpr qreal kDiameter = 12;

struct LightColours {
    QColor fill;
    QColor rim;
    QColor glyph;
};

LightColours coloursOf(NSWindowButton kind) {
    switch (kind) {
    case NSWindowCloseButton: return {getColor(255, 95, 87, 1), getColor(224, 68, 62, 1), getColor(77, 0, 0, 1)};
    case NSWindowMiniaturizeButton:
        return {getColor(254, 188, 46, 1), getColor(222, 161, 35, 1), getColor(153, 87, 0, 1)};
    default: return {getColor(40, 200, 64, 1), getColor(29, 173, 43, 1), getColor(0, 100, 0, 1)};
    }
}

const LightColours kInactive{getColor(221, 221, 221, 1), getColor(206, 206, 206, 1), QColor()};

}  // namespace

TrafficLightButton::TrafficLightButton(NSWindowButton kind, QWidget* parent)
    : QAbstractButton(parent), buttonKind(kind) {
    resize(kWidth, kHeight);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover);
}

void TrafficLightButton::setRollover(bool isOver) {
    if (rollover == isOver) return;
    rollover = isOver;
    update();
}

// Coloured while the window is active, and also in an inactive window under the pointer.
bool TrafficLightButton::showsColour() const {
    return isEnabled() && (rollover || window()->isActiveWindow());
}

void TrafficLightButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF circle((width() - kDiameter) / 2, (height() - kDiameter) / 2, kDiameter, kDiameter);
    const LightColours colours = showsColour() ? coloursOf(buttonKind) : kInactive;
    painter.setPen(QPen(colours.rim, 0.5));
    painter.setBrush(isDown() ? colours.fill.darker(125) : colours.fill);
    painter.drawEllipse(circle.adjusted(0.25, 0.25, -0.25, -0.25));
    if (rollover && isEnabled()) drawGlyph(painter, circle);
}

void TrafficLightButton::drawGlyph(QPainter& painter, const QRectF& circle) const {
    painter.setPen(QPen(coloursOf(buttonKind).glyph, 1.2, Qt::SolidLine, Qt::RoundCap));
    const QPointF centre = circle.center();
    const qreal arm = kDiameter * 0.22;
    switch (buttonKind) {
    case NSWindowCloseButton:
        painter.drawLine(centre + QPointF(-arm, -arm), centre + QPointF(arm, arm));
        painter.drawLine(centre + QPointF(-arm, arm), centre + QPointF(arm, -arm));
        break;
    case NSWindowMiniaturizeButton: painter.drawLine(centre + QPointF(-arm - 1, 0), centre + QPointF(arm + 1, 0)); break;
    default:
        painter.drawLine(centre + QPointF(-arm - 1, 0), centre + QPointF(arm + 1, 0));
        painter.drawLine(centre + QPointF(0, -arm - 1), centre + QPointF(0, arm + 1));
        break;
    }
}

}  // namespace ui
