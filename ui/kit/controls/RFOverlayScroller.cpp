#include "ui/kit/controls/RFOverlayScroller.h"

#include "ui/kit/looks/Colors.h"

#include <QPainter>
#include <QStyleOptionSlider>

namespace ui {
namespace {

constexpr int kKnobInset = 2;
constexpr qreal kKnobWidth = 7;

}  // namespace

RFOverlayScroller::RFOverlayScroller(QWidget* parent) : QScrollBar(Qt::Vertical, parent) {
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_TranslucentBackground);
    setCursor(Qt::ArrowCursor);
}

QRect RFOverlayScroller::knobRect() const {
    QStyleOptionSlider option;
    initStyleOption(&option);
    return style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, this);
}

void RFOverlayScroller::paintEvent(QPaintEvent*) {
    if (maximum() <= minimum()) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRect knob = knobRect();
    const QRectF drawn(width() - kKnobInset - kKnobWidth, knob.top() + kKnobInset, kKnobWidth,
                       qMax<qreal>(kKnobWidth, knob.height() - 2 * kKnobInset));
    painter.setPen(Qt::NoPen);
    painter.setBrush(getColor(0, 0, 0, 0.35));
    painter.drawRoundedRect(drawn, kKnobWidth / 2, kKnobWidth / 2);
}

}  // namespace ui
