#pragma once

namespace ui {

// The owner of the erase-method pop-up.
class FormatLTypeViewDelegate {
public:
    virtual ~FormatLTypeViewDelegate() = default;
    // A method was chosen: its tag.
    virtual void delegateMouseEntered(int tag) = 0;
    // The pointer entered the pop-up (false) or left it (true).
    virtual void mouseEixtView(bool exited) = 0;
};

}  // namespace ui
