#pragma once

namespace ui {

// Told when the user chose to close the browsers.
class CloseBrowerWindowControllerDelegate {
public:
    virtual ~CloseBrowerWindowControllerDelegate() = default;
    virtual void closeBrowerButtonAction() = 0;
};

}  // namespace ui
