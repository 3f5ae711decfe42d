#pragma once

namespace ui {

struct LeftCellItem;

// A cell's controller, told that its view was clicked.
class MouseEvent {
public:
    virtual ~MouseEvent() = default;
    virtual void mouseDown(LeftCellItem* item) = 0;
};

}  // namespace ui
