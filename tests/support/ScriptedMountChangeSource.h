#pragma once

#include "platform/mounts/MountChangeSource.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

namespace testsupport {

// A mount change source that plays a script: each wait runs the next step (which typically
// rewrites a fixture mount table) and reports a change. Once the script is played, a wait
// with a timeout reports quiet at once, and a wait without one blocks until interrupted.
class ScriptedMountChangeSource : public platform::MountChangeSource {
public:
    explicit ScriptedMountChangeSource(std::deque<std::function<void()>> steps) : steps_(std::move(steps)) {}

    bool waitForChange(std::optional<std::chrono::milliseconds> timeout) override {
        std::unique_lock<std::mutex> lock(mutex_);
        if (!steps_.empty()) {
            auto step = std::move(steps_.front());
            steps_.pop_front();
            step();
            return true;
        }
        if (timeout) return false;
        idle_ = true;
        woken_.notify_all();
        woken_.wait(lock, [this] { return interrupted_; });
        interrupted_ = false;
        return false;
    }

    void interrupt() override {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            interrupted_ = true;
        }
        woken_.notify_all();
    }

    // Waits until the script is played and the watcher waits for the next change, that is,
    // until it has dealt with everything the script did; false after the timeout.
    bool waitUntilIdle(std::chrono::milliseconds timeout) {
        std::unique_lock<std::mutex> lock(mutex_);
        return woken_.wait_for(lock, timeout, [this] { return idle_; });
    }

private:
    std::mutex mutex_;
    std::condition_variable woken_;
    std::deque<std::function<void()>> steps_;
    bool interrupted_ = false;
    bool idle_ = false;
};

}  // namespace testsupport
