#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace testsupport {

// What a fake of a service that never answers waits on: every call is held until the gate is
// opened, and calls pass at once while it stays open. A call is held at most longestHold, so
// code that waits for the service on the main thread shows as a stall that long rather than as
// a test that never ends. Counts the calls that came, so a test can tell that one is out.
class ServiceGate {
public:
    explicit ServiceGate(std::chrono::milliseconds longestHold = std::chrono::seconds(10)) : longestHold_(longestHold) {}
    ~ServiceGate() { open(); }

    void pass() {
        std::unique_lock<std::mutex> lock(mutex_);
        ++calls_;
        opened_.wait_for(lock, longestHold_, [this] { return isOpen_; });
    }
    // Holds the call as pass() does, then gives the answer.
    template <class Answer>
    Answer answer(Answer value) {
        pass();
        return value;
    }
    void open() {
        std::lock_guard<std::mutex> lock(mutex_);
        isOpen_ = true;
        opened_.notify_all();
    }
    // Holds the calls from now on again.
    void close() {
        std::lock_guard<std::mutex> lock(mutex_);
        isOpen_ = false;
    }
    int calls() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return calls_;
    }

private:
    const std::chrono::milliseconds longestHold_;
    mutable std::mutex mutex_;
    std::condition_variable opened_;
    bool isOpen_ = false;
    int calls_ = 0;
};

}  // namespace testsupport
