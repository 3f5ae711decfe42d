#include "core/kit/PooledTask.h"

#include <atomic>
#include <condition_variable>
#include <mutex>

namespace core {

struct PooledTask::State {
    explicit State(Task task) : work(std::move(task)) {}

    // Runs the work unless another thread has claimed it; true when this call ran it.
    bool runUnlessClaimed() {
        if (claimed.exchange(true)) return false;
        work();
        std::lock_guard<std::mutex> lock(mutex);
        done = true;
        finished.notify_all();
        return true;
    }

    Task work;
    std::atomic<bool> claimed{false};
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
};

PooledTask::PooledTask(const Executor& pool, Task work) : state_(std::make_shared<State>(std::move(work))) {
    if (pool) pool([state = state_] { state->runUnlessClaimed(); });
}

PooledTask::~PooledTask() { wait(); }

void PooledTask::wait() {
    if (state_->runUnlessClaimed()) return;
    std::unique_lock<std::mutex> lock(state_->mutex);
    state_->finished.wait(lock, [this] { return state_->done; });
}

}  // namespace core
