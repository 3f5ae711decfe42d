#pragma once

namespace ui {

// What the status item asks of the application.
class StatusBarViewDelegate {
public:
    virtual ~StatusBarViewDelegate() = default;
    // Passes the start-up volume's name and free space to the status item, when known.
    virtual void getSystemInfo() = 0;
    // Opens the main window when it is closed, closes it when it is open.
    virtual void showMainWindow() = 0;
    // The main window on the task manager page.
    virtual void freeUpButtonAction() = 0;
    // The main window on the junk cleaner page.
    virtual void optimizeButtonAction() = 0;
};

// What the panel asks of the status item.
class StatusViewDelegate {
public:
    virtual ~StatusViewDelegate() = default;
    virtual void showMainWindow() = 0;
    // Hides the panel whatever the pointer does.
    virtual void cleanWindow() = 0;
    virtual void freeUpButtonAction() = 0;
    virtual void optimizeButtonAction() = 0;
};

}  // namespace ui
