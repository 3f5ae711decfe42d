#include "support/TaskPool.h"

namespace bench {

void TaskPool::post(core::Task task) {
    std::call_once(started_, [this] {
        for (std::size_t thread = 0; thread < threadCount_; ++thread) std::thread([this] { run(); }).detach();
    });
    {
        std::lock_guard<std::mutex> lock(mutex_);
        tasks_.push_back(std::move(task));
    }
    wake_.notify_one();
}

void TaskPool::run() {
    for (;;) {
        core::Task task;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            wake_.wait(lock, [this] { return !tasks_.empty(); });
            task = std::move(tasks_.front());
            tasks_.pop_front();
        }
        task();
    }
}

}  // namespace bench
