#pragma once

namespace ui {

// The tool view that hosts the duplicate page's three views and swaps them when told.
class SameFileDeleteViewControllerDelegate {
public:
    virtual ~SameFileDeleteViewControllerDelegate() = default;
    virtual void changeToProgressView() = 0;
    virtual void changeToDetailView() = 0;
    // Back to the first view.
    virtual void backButtonAction() = 0;
};

}  // namespace ui
