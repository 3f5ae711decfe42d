#pragma once

#include <string>

namespace core::largefiles {

// What the large-file page hears from Controller, always on the main thread.
class ControllerDelegate {
public:
    virtual ~ControllerDelegate() = default;
    // Ticks or the tree changed: the outline is to be shown again.
    virtual void reloadTreeList() = 0;
    // A deletion's progress: before each item, and 100 at its end.
    virtual void changeProgressWithPoint(int point, const std::string& path) = 0;
    // The select-all box's state (0, 1, 2) and the number of items a deletion would take.
    virtual void changeSelectAllButtonState(int state, int selectCount) = 0;
};

}  // namespace core::largefiles
