#pragma once

namespace ui {

// The page behind the shred window.
class ShredProgressWindowDelegate {
public:
    virtual ~ShredProgressWindowDelegate() = default;
    // "继续": the erasing starts.
    virtual void doDeleteButtonClick() = 0;
    // "停止": the run stops after the item in hand.
    virtual void cancelShred() = 0;
};

}  // namespace ui
