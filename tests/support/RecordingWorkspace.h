#pragma once

#include "platform/desktop/Workspace.h"

#include <mutex>
#include <string>
#include <vector>

namespace testsupport {

// A workspace that opens nothing and remembers what it was asked, in order.
class RecordingWorkspace : public platform::Workspace {
public:
    bool openURL(const std::string& url) override { return record("openURL " + url); }
    bool openFile(const std::string& path) override { return record("openFile " + path); }
    bool revealFile(const std::string& path) override { return record("revealFile " + path); }
    bool launchApplication(const std::string& program) override { return record("launchApplication " + program); }

    std::vector<std::string> calls() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return calls_;
    }

private:
    bool record(std::string call) {
        std::lock_guard<std::mutex> lock(mutex_);
        calls_.push_back(std::move(call));
        return true;
    }
    mutable std::mutex mutex_;
    std::vector<std::string> calls_;
};

}  // namespace testsupport
