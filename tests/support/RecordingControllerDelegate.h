#pragma once

#include "core/largefiles/ControllerDelegate.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace testsupport {

// Keeps what the large-file engine told its page.
class RecordingControllerDelegate : public core::largefiles::ControllerDelegate {
public:
    void reloadTreeList() override { ++reloads; }
    void changeProgressWithPoint(int point, const std::string& path) override {
        points.push_back(point);
        paths.push_back(path);
        if (onProgress) onProgress(point);
    }
    void changeSelectAllButtonState(int state, int selectCount) override { selectAll = {state, selectCount}; }

    int reloads = 0;
    std::vector<int> points;
    std::vector<std::string> paths;
    std::pair<int, int> selectAll{-1, -1};
    std::function<void(int)> onProgress;
};

}  // namespace testsupport
