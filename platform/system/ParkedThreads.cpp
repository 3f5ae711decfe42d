#include "platform/system/ParkedThreads.h"

#include <thread>
#include <utility>

namespace platform {

// Never destroyed: its threads wait on it until the process ends.
ParkedThreads& ParkedThreads::shared() {
    static ParkedThreads& threads = *new ParkedThreads;
    return threads;
}

void ParkedThreads::run(std::function<void()> job) {
    std::lock_guard<std::mutex> lock(mutex_);
    jobs_.push_back(std::move(job));
    // Each parked thread takes one waiting job; a job beyond them gets a thread of its own.
    if (parked_ >= jobs_.size()) jobArrived_.notify_one();
    else std::thread([this] { serve(); }).detach();
}

void ParkedThreads::serve() {
    for (;;) {
        std::function<void()> job;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            ++parked_;
            jobArrived_.wait(lock, [this] { return !jobs_.empty(); });
            --parked_;
            job = std::move(jobs_.front());
            jobs_.pop_front();
        }
        job();
    }
}

}  // namespace platform
