#include "support/ManualExecutors.h"

namespace testsupport {

ManualExecutors::~ManualExecutors() {
    runQueued();
    for (;;) {
        std::unique_lock<std::mutex> lock(mutex_);
        if (delayed_.empty()) break;
        auto due = delayed_.begin()->first;
        lock.unlock();
        advance(due - now_);
    }
}

core::Executors ManualExecutors::executors() {
    auto post = [this](core::Task task) { this->post(std::move(task)); };
    auto postAfter = [this](std::chrono::milliseconds delay, core::Task task) { this->postAfter(delay, std::move(task)); };
    return core::Executors{post, post, post, postAfter};
}

void ManualExecutors::post(core::Task task) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        queue_.push_back(std::move(task));
    }
    posted_.notify_all();
}

void ManualExecutors::postAfter(std::chrono::milliseconds delay, core::Task task) {
    std::lock_guard<std::mutex> lock(mutex_);
    delayed_.emplace(now_ + delay, std::move(task));
}

bool ManualExecutors::runNext() {
    core::Task task;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (queue_.empty()) return false;
        task = std::move(queue_.front());
        queue_.pop_front();
    }
    if (task) task();
    return true;
}

int ManualExecutors::runQueued() {
    int count = 0;
    while (runNext()) ++count;
    return count;
}

void ManualExecutors::advance(std::chrono::milliseconds by) {
    std::chrono::milliseconds target;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        target = now_ + by;
    }
    runQueued();
    for (;;) {
        core::Task task;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (delayed_.empty() || delayed_.begin()->first > target) break;
            now_ = delayed_.begin()->first;
            task = std::move(delayed_.begin()->second);
            delayed_.erase(delayed_.begin());
        }
        if (task) task();
        runQueued();
    }
    std::lock_guard<std::mutex> lock(mutex_);
    now_ = target;
}

bool ManualExecutors::waitForQueued(std::chrono::milliseconds timeout) {
    std::unique_lock<std::mutex> lock(mutex_);
    return posted_.wait_for(lock, timeout, [this] { return !queue_.empty(); });
}

size_t ManualExecutors::queuedCount() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return queue_.size();
}

}  // namespace testsupport
