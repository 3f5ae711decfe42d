#include "core/kit/LatestTaskQueue.h"

namespace core {

LatestTaskQueue::LatestTaskQueue(Executor executor) : executor_(std::move(executor)) {}

void LatestTaskQueue::submit(Task task) {
    {
        std::lock_guard<std::mutex> lock(state_->mutex);
        state_->waiting = std::move(task);
        if (state_->running) return;
        state_->running = true;
    }
    executor_([state = state_] { drain(state); });
}

void LatestTaskQueue::drain(const std::shared_ptr<State>& state) {
    for (;;) {
        Task task;
        {
            std::lock_guard<std::mutex> lock(state->mutex);
            if (!state->waiting) {
                state->running = false;
                return;
            }
            task = std::move(*state->waiting);
            state->waiting.reset();
        }
        task();
    }
}

}  // namespace core
