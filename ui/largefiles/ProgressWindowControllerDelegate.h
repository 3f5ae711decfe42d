#pragma once

namespace ui {

// What the large-file finder's delete progress window tells the page.
class ProgressWindowControllerDelegate {
public:
    virtual ~ProgressWindowControllerDelegate() = default;
    // "停止" was clicked: no further item is to be started.
    virtual void stopRemove() = 0;
    // The deletion reported its end; the window has closed.
    virtual void removeEnd() = 0;
};

}  // namespace ui
