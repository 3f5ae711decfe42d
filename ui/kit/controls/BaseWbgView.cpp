#include "ui/kit/controls/BaseWbgView.h"

#include "ui/kit/looks/Colors.h"
#include "ui/kit/windows/RoundedFill.h"

namespace ui {

BaseWbgView::BaseWbgView(QWidget* parent) : QWidget(parent) {}

void BaseWbgView::enterEvent(QEnterEvent*) {
    if (_delegate) _delegate->dropMouseEixtView(false);
}

void BaseWbgView::leaveEvent(QEvent*) {
    if (_delegate) _delegate->dropMouseEixtView(true);
}

void BaseWbgView::paintEvent(QPaintEvent*) { fillRoundedRect(this, rect(), 4, getColor(0, 0, 0, 0.16)); }

}  // namespace ui
