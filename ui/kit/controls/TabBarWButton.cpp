#include "ui/kit/controls/TabBarWButton.h"

#include "ui/kit/looks/Colors.h"
#include "ui/kit/windows/RoundedFill.h"
#include "ui/kit/looks/SystemFont.h"
#include "ui/kit/looks/WidgetColors.h"

#include <QLabel>

namespace ui {

namespace {
constexpr qreal kCornerRadius = 4.0;
constexpr int kLabelY = 2;
constexpr int kLabelHeight = 19;
constexpr double kLabelFontSize = 14;
}  // namespace

TabBarWButton::TabBarWButton(QWidget* parent) : StateButton(false, parent) {}

void TabBarWButton::setTextWithName(const QString& text) {
    if (!textField) {
        textField = makeLabel(QRect(0, kLabelY, width(), kLabelHeight), systemFontOfSize(kLabelFontSize));
        setTextColor(textField, getColor(45, 45, 45, 1));
    }
    textField->setText(text);
    update();
}

void TabBarWButton::paintEvent(QPaintEvent*) {
    const QColor green = getColor(53, 198, 47, 1);
    QColor fill = getColor(255, 255, 255, 1);
    if (isTracking())
        fill = green;
    else if (isFocus())
        fill = getColor(53, 198, 47, 0.8);
    fillRoundedRect(this, QRectF(rect()), kCornerRadius, fill);
}

}  // namespace ui
