#pragma once

#include "platform/desktop/LoginItemList.h"

#include <atomic>
#include <chrono>
#include <optional>
#include <string>
#include <thread>

namespace platform {

// Watches an autostart folder with inotify on a thread of its own and calls the handler once
// a burst of changes has been quiet for a while. A folder that does not exist yet is waited
// for through its nearest existing parent, and taken up when it appears; a folder that is
// removed is waited for again.
class AutostartWatcher : public LoginItemList::Watch {
public:
    AutostartWatcher(std::string folder, LoginItemList::ChangeHandler handler,
                     std::chrono::milliseconds quietPeriod = std::chrono::milliseconds(150));
    ~AutostartWatcher() override;
    AutostartWatcher(const AutostartWatcher&) = delete;
    AutostartWatcher& operator=(const AutostartWatcher&) = delete;

private:
    void watch();
    void watchFolderOrNearestParent();
    // True when events came (and were read) before the timeout or an interruption.
    bool waitForEvents(std::optional<std::chrono::milliseconds> timeout);

    std::string folder_;
    LoginItemList::ChangeHandler handler_;
    std::chrono::milliseconds quietPeriod_;
    int inotifyFd_ = -1;
    int wakeFd_ = -1;
    int watchDescriptor_ = -1;
    bool watchingFolder_ = false;
    std::atomic<bool> stopping_{false};
    std::thread thread_;
};

}  // namespace platform
