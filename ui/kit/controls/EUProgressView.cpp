#include "ui/kit/controls/EUProgressView.h"

#include "ui/kit/looks/Colors.h"
#include "ui/kit/controls/NSProgressBar.h"
#include "ui/kit/windows/RoundedFill.h"

#include <cmath>

namespace ui {

namespace {
constexpr qreal kCornerRadius = 2.0;
}

EUProgressView::EUProgressView(QWidget* parent) : QWidget(parent), pProgress1(new NSProgressBar(this)) {
    pProgress1->setGeometry(0, 0, 0, height());
}

EUProgressView::EUProgressView(const QRect& frame, QWidget* parent) : EUProgressView(parent) {
    setGeometry(frame);
    pProgress1->setGeometry(0, 0, 0, frame.height());
}

void EUProgressView::changeProgressValue(float percentage) {
    const float frameWidth = static_cast<float>(width());
    float barWidth = frameWidth * (percentage / 100.0f);
    if (barWidth > frameWidth - 1) barWidth = frameWidth;
    // A negative or not-a-number percentage leaves the track empty instead of a bar of no size.
    if (!(barWidth > 0)) barWidth = 0;
    pProgress1->setGeometry(0, 0, static_cast<int>(std::lround(barWidth)), height());
    pProgress1->update();
}

void EUProgressView::paintEvent(QPaintEvent*) {
    fillRoundedRect(this, QRectF(rect()), kCornerRadius, getColor(230, 236, 241, 1));
}

}  // namespace ui
