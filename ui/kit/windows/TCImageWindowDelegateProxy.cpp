#include "ui/kit/windows/TCImageWindowDelegateProxy.h"

#include "ui/kit/looks/CocoaRect.h"
#include "ui/kit/windows/TCImageWindow.h"

namespace ui {

bool TCImageWindowDelegateProxy::windowShouldClose(TCImageWindow* sender) {
    return secondary ? secondary->windowShouldClose(sender) : true;
}

// The rectangle's origin, counted from the window's bottom, moves to the window's height minus
// the bar's: the sheet comes out at the bar's lower edge.
QRectF TCImageWindowDelegateProxy::windowWillPositionSheet(TCImageWindow* window, QWidget*, const QRectF& rect) {
    const qreal frameHeight = window->height();
    const QRectF proposed = cocoaRect(frameHeight, rect);
    const QRectF placed(proposed.x(), frameHeight - window->titleBarHeight(), proposed.width(), proposed.height());
    return cocoaRect(frameHeight, placed);
}

}  // namespace ui
