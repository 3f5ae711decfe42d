#pragma once

#include "ui/kit/windows/CustomWindowDelegate.h"

namespace ui {

// The delegate a custom window really has. It passes every question on to the delegate the
// window's user set (secondaryDelegate, not owned), except where sheets go: they always hang
// from the lower edge of the custom title bar, whatever was proposed.
class TCImageWindowDelegateProxy : public CustomWindowDelegate {
public:
    CustomWindowDelegate* secondaryDelegate() const { return secondary; }
    void setSecondaryDelegate(CustomWindowDelegate* delegate) { secondary = delegate; }

    bool windowShouldClose(TCImageWindow* sender) override;
    QRectF windowWillPositionSheet(TCImageWindow* window, QWidget* sheet, const QRectF& rect) override;

private:
    CustomWindowDelegate* secondary = nullptr;
};

}  // namespace ui
