#pragma once

#include "core/kit/Executors.h"

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

namespace bench {

// A fixed set of threads that run the tasks posted to it in turn, as the application's shared
// pool does, so a whole search timed in a benchmark starts no thread per task. The threads are
// made at the first post and live as long as the process: the pool itself must never be
// destroyed.
class TaskPool {
public:
    explicit TaskPool(std::size_t threadCount) : threadCount_(threadCount) {}
    TaskPool(const TaskPool&) = delete;
    TaskPool& operator=(const TaskPool&) = delete;

    void post(core::Task task);
    // An executor that posts to the pool; the pool must outlive it.
    core::Executor executor() {
        return [this](core::Task task) { post(std::move(task)); };
    }

private:
    void run();

    std::size_t threadCount_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<core::Task> tasks_;
    std::once_flag started_;
};

}  // namespace bench
