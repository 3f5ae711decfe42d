#pragma once

class QMouseEvent;

namespace ui {

// Told about a right click on a NewOutlineView; the event's position is in the outline's
// viewport, so indexAt finds the clicked row.
class NewOutlineViewDelegate {
public:
    virtual ~NewOutlineViewDelegate() = default;
    virtual void listRightMouseDown(QMouseEvent* event) = 0;
};

}  // namespace ui
