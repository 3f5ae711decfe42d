#pragma once

#include <chrono>
#include <optional>

namespace platform {

// Tells when the mount table may have changed. The mount watcher waits on it from its own
// thread; tests drive the watcher with a scripted source.
class MountChangeSource {
public:
    virtual ~MountChangeSource() = default;
    // Blocks until a change (true) or until the timeout passes or interrupt() is called
    // (false). Without a timeout it waits for a change or an interruption.
    virtual bool waitForChange(std::optional<std::chrono::milliseconds> timeout) = 0;
    // Wakes a waiting call; callable from any thread.
    virtual void interrupt() = 0;
};

}  // namespace platform
