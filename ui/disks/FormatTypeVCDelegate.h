#pragma once

namespace ui {

// Told by the format type pop-up which type was chosen and whether the pointer left it.
class FormatTypeVCDelegate {
public:
    virtual ~FormatTypeVCDelegate() = default;
    virtual void selectFormatbyType(int index) = 0;
    virtual void mouseEixtView(bool exited) = 0;
};

}  // namespace ui
