#pragma once

class QWidget;

namespace ui {

// What every tool page answers to the view switcher.
class ViewDelegate {
public:
    virtual ~ViewDelegate() = default;
    // The page's view, placed in the main window's right area.
    virtual QWidget* getView() = 0;
    // The page's fixed tool identifier, 0 to 9.
    virtual int getViewID() = 0;
    // false while the page is busy; then no tool switch happens at all.
    virtual bool isCanClick() = 0;
};

}  // namespace ui
