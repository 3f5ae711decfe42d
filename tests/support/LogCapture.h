#pragma once

#include "platform/system/Log.h"

#include <mutex>
#include <string>
#include <vector>

namespace testsupport {

// Collects log lines while it lives, so a test can check what was reported.
class LogCapture {
public:
    LogCapture() {
        platform::setLogSink([this](platform::LogLevel, const std::string& line) {
            std::lock_guard<std::mutex> lock(mutex_);
            lines_.push_back(line);
        });
    }
    ~LogCapture() { platform::setLogSink({}); }

    std::vector<std::string> lines() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return lines_;
    }
    bool contains(const std::string& fragment) const { return !linesWith(fragment).empty(); }
    std::vector<std::string> linesWith(const std::string& fragment) const {
        std::vector<std::string> found;
        for (const auto& line : lines())
            if (line.find(fragment) != std::string::npos) found.push_back(line);
        return found;
    }

private:
    mutable std::mutex mutex_;
    std::vector<std::string> lines_;
};

}  // namespace testsupport
