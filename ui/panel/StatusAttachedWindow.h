#pragma once

#include "ui/kit/windows/MAAttachedWindow.h"

namespace ui {

class StatusAttachedWindowDelegate {
public:
    virtual ~StatusAttachedWindowDelegate() = default;
    // The pointer entered (true) or left (false) the panel.
    virtual void mouseInWindow(bool inside) = 0;
    // The panel stopped being the active window: hide it unless the pointer is over it or the icon.
    virtual void closeMattachedWindow() = 0;
};

// The status item's panel window: an attached window below a point of the screen, or, where it
// does not fit there, on the side that keeps it on the screen; near-white over light grey with
// a faint outline, corners of 4 points and no arrow, in front of other windows. It tells its
// delegate when the pointer enters or leaves it and when it stops being active.
class StatusAttachedWindow : public MAAttachedWindow {
    Q_OBJECT
public:
    // Null when there is no view. The point is in Cocoa form on the screen.
    static StatusAttachedWindow* initWithView(QWidget* view, const QPointF& point, qreal distance);

    StatusAttachedWindowDelegate* statusDelegate() const { return delegate; }
    void setStatusDelegate(StatusAttachedWindowDelegate* windowDelegate) { delegate = windowDelegate; }

    void closeMattachedWindow() override;

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    StatusAttachedWindow(QWidget* view, const QPointF& point, qreal distance);

    StatusAttachedWindowDelegate* delegate = nullptr;  // not owned
};

}  // namespace ui
