#pragma once

#include "core/kit/Executors.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>

namespace testsupport {

// Executors that run nothing by themselves: work posted to any queue waits in one FIFO
// until the test runs it, and delayed work waits on a clock that only the test moves. Other
// threads may post; the test runs everything on its own thread.
class ManualExecutors {
public:
    ManualExecutors() = default;
    // Runs what is left, delayed work included, so no engine is left half-way (its guards set).
    ~ManualExecutors();
    ManualExecutors(const ManualExecutors&) = delete;
    ManualExecutors& operator=(const ManualExecutors&) = delete;

    core::Executors executors();

    // Runs the oldest queued task; false when none is queued.
    bool runNext();
    // Runs queued tasks, and those they queue, until none is left; returns how many ran.
    int runQueued();
    // Moves the clock on, running delayed work as it falls due (in time order) and the
    // queued work each piece leads to.
    void advance(std::chrono::milliseconds by);
    // Waits until work is queued from another thread; false if none came within the timeout.
    bool waitForQueued(std::chrono::milliseconds timeout);
    size_t queuedCount() const;

private:
    void post(core::Task task);
    void postAfter(std::chrono::milliseconds delay, core::Task task);

    mutable std::mutex mutex_;
    std::condition_variable posted_;
    std::deque<core::Task> queue_;
    std::multimap<std::chrono::milliseconds, core::Task> delayed_;
    std::chrono::milliseconds now_{0};
};

}  // namespace testsupport
