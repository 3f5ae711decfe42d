#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>

namespace platform {

// Threads kept for the life of the process and parked between jobs, so that work which wants a
// few helpers for a moment (every folder walk) does not pay a thread start for each of them.
// As many are kept as were ever busy at once.
class ParkedThreads {
public:
    static ParkedThreads& shared();

    // Runs the job on a parked thread, or on a new one when every kept thread is busy.
    void run(std::function<void()> job);

private:
    ParkedThreads() = default;
    void serve();

    std::mutex mutex_;
    std::condition_variable jobArrived_;
    std::deque<std::function<void()>> jobs_;
    size_t parked_ = 0;
};

}  // namespace platform
