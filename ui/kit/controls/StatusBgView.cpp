#include "ui/kit/controls/StatusBgView.h"

#include "platform/system/Log.h"

#include <QCursor>

namespace ui {

StatusBgView::StatusBgView(QWidget* parent) : QWidget(parent) { setFocusPolicy(Qt::ClickFocus); }

void StatusBgView::closeWindow() {
    const bool pointerInside = rect().contains(mapFromGlobal(QCursor::pos()));
    if (!pointerInside && _delegate) _delegate->mouseOutView();
}

void StatusBgView::enterEvent(QEnterEvent*) { _isIn = true; }

void StatusBgView::leaveEvent(QEvent*) {
    platform::logInfo("mouseExited");
    if (!_isIn) return;
    if (_delegate) _delegate->mouseOutView();
    _isIn = false;
}

}  // namespace ui
